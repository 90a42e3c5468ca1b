// The least program of the ostrev library: opens a Matcher on a catalogue database and
// identifies one recording from what could be read about it.
//   identify DATABASE USER PASSWORD TITLE [ARTIST [ALBUM]]
// Exit status 0 when a track was found, 1 when none was or the catalogue failed, 2 for bad
// arguments.
#include <cstdio>
#include <memory>

#include "ostrev/matcher.h"

int main(int argc, char* argv[]) {
  if (argc < 5 || argc > 7) {
    fprintf(stderr, "usage: identify DATABASE USER PASSWORD TITLE [ARTIST [ALBUM]]\n");
    return 2;
  }
  ostrev::Options options;
  options.database = argv[1];
  options.user = argv[2];
  options.password = argv[3];
  options.fuzzy = true;

  std::unique_ptr<ostrev::Matcher> matcher;
  ostrev::Status status = ostrev::Matcher::Open(options, &matcher);
  if (!status.ok()) {
    fprintf(stderr, "identify: %s\n", status.ToString().c_str());
    return 1;
  }

  ostrev::Query query;
  query.title = argv[4];
  if (argc > 5) query.artist = argv[5];
  if (argc > 6) query.album = argv[6];
  ostrev::Match match;
  status = matcher->Identify(query, &match);
  if (!status.ok()) {
    fprintf(stderr, "identify: %s\n", status.ToString().c_str());
    return 1;
  }
  if (!match.found()) {
    printf("no track\n");
    return 1;
  }
  printf("%lld\t%s\t%s\t%s\t%.2f\t%s\n", static_cast<long long>(match.track_id),
         match.track.c_str(), match.artist.c_str(), match.album.c_str(), match.score,
         match.confident() ? "confident" : "low");
  for (const std::string& reason : match.reasons) printf("\t%s\n", reason.c_str());
  return 0;
}
