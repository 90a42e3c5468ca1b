#include "verify/AnswerCheck.h"

#include <algorithm>
#include <optional>

#include "fuzzy/NameFolding.h"
#include "fuzzy/NameSimilarity.h"
#include "ostrev/scores.h"
#include "text/Normalize.h"
#include "verify/TitleVersion.h"

namespace {

// A field this alike to the track's says the query knows more than the title.
constexpr float kEvidence = 50;
// Names this alike may be one name misread; less alike, they are two names.
constexpr float kMisread = 75;

size_t wordCount(const std::string& folded) {
  return folded.empty() ? 0 : static_cast<size_t>(std::count(folded.begin(), folded.end(), ' ')) + 1;
}

float similarity(const std::string& query, const std::string& track) {
  return query.empty() || track.empty() ? 0 : nameSimilarity(query, track);
}

// Whether the query's album text is evidence for the track's album: alike, and not of
// other numbers ("Hits 2010" is not "Hits 2011", "Vol. 2" not "Vol. 3").
bool albumSays(const std::string& query, const std::string& track) {
  const NameParts queryParts = titleParts(query);
  const NameParts trackParts = titleParts(track);
  if (similarity(queryParts.core, trackParts.core) < kEvidence) return false;
  const std::vector<uint32_t> queryNumbers = readTitleVersion(queryParts).numbers;
  const std::vector<uint32_t> trackNumbers = readTitleVersion(trackParts).numbers;
  return queryNumbers.empty() || trackNumbers.empty() || queryNumbers == trackNumbers;
}

// How alike two names are as wholes: neither taken for the other cut short.
float wholeSimilarity(const std::string& a, const std::string& b) {
  return std::min(similarity(a, b), similarity(b, a));
}

bool bracketLeftOpen(const std::string& title) {
  const size_t open = title.find_last_of("([");
  return open != std::string::npos && title.find_first_of(")]", open) == std::string::npos;
}

// Whether a title (folded), cut short of the track's (folded), is as much another of
// `titles`: the same when folded, or cut short of it too.
bool fitsAnother(const std::string& folded, const std::string& trackFolded,
                 const std::vector<std::string>& titles) {
  return std::any_of(titles.begin(), titles.end(), [&](const std::string& other) {
    const std::string otherFolded = foldName(other);
    return otherFolded != trackFolded &&
           (otherFolded == folded || cutShortOf(folded, otherFolded));
  });
}

}  // namespace

std::vector<std::string> answerDoubts(const AnswerTexts& query, const AnswerTexts& track,
                                      const CatalogueFacts& catalogue, bool identified) {
  // The track's own title and artist, as they stand: nothing to doubt.
  if (query.title == track.title && query.artist == track.artist && !query.artist.empty() &&
      !is_unknown(query.artist)) {
    return {};
  }
  // A placeholder artist ("Unknown", "Various Artists") says nothing.
  const std::string queryArtist = is_unknown(query.artist) ? "" : artistParts(query.artist).core;
  const NameParts queryTitleParts = titleParts(query.title);
  const std::string trackArtist = artistParts(track.artist).core;
  const NameParts trackTitleParts = titleParts(track.title);
  const std::string& queryTitle = queryTitleParts.core;
  const std::string& trackTitle = trackTitleParts.core;
  // The fields read the other way round.
  const NameParts artistAsTitleParts = titleParts(query.artist);
  const std::string titleAsArtist = artistParts(query.title).core;
  // The reading the track fits better: artist and title as given, or swapped.
  const bool swapped = similarity(artistAsTitleParts.core, trackTitle) +
                           similarity(titleAsArtist, trackArtist) >
                       similarity(queryTitle, trackTitle) + similarity(queryArtist, trackArtist);
  const std::string& title = swapped ? query.artist : query.title;
  const NameParts& titleRead = swapped ? artistAsTitleParts : queryTitleParts;
  const std::string& titleCore = titleRead.core;
  const std::string& artistCore = swapped ? titleAsArtist : queryArtist;
  const std::string titleFolded = foldName(title);
  const std::string trackTitleFolded = foldName(track.title);

  std::vector<std::string> doubts;
  TitleVersion queryVersion = readTitleVersion(titleRead);
  const TitleVersion trackVersion = readTitleVersion(trackTitleParts);
  const bool cutShort = cutShortOf(titleFolded, trackTitleFolded);
  if (cutShort) {
    // A title cut short says nothing against the numbers it lost, nor, when the cut falls
    // inside the track's version, against that version. One that stops with the track's
    // core still names no version: "Song" is not "Song (Live)".
    queryVersion.numbers = trackVersion.numbers;
    queryVersion.plainNumbers = trackVersion.plainNumbers;
    if (wordCount(titleFolded) > wordCount(trackTitle)) {
      queryVersion.kinds = trackVersion.kinds;
      queryVersion.remixer = trackVersion.remixer;
    }
  }
  // Whether the query names the track's album; read once, when it matters.
  std::optional<bool> albumNamedRead;
  auto albumNamed = [&] {
    if (!albumNamedRead) albumNamedRead = albumSays(query.album, track.album);
    return *albumNamedRead;
  };
  // The track's album, when the query names it, names the versions its title says too:
  // "Cedar Smoke" asked on "Live at the Grand Ballroom" is "Cedar Smoke (Live)".
  if ((trackVersion.kinds & ~queryVersion.kinds) != 0 && albumNamed()) {
    queryVersion.kinds |= versionKindsIn(query.album) & trackVersion.kinds;
  }
  // A query without a title says nothing of the track's version.
  const std::string disagreement =
      titleCore.empty() ? "" : titleDisagreement(queryVersion, trackVersion);
  if (!disagreement.empty()) doubts.push_back(disagreement);
  if (catalogue.firstDoubtOnly && !doubts.empty()) return doubts;
  // A cut that fits another track of the album as well ("Part" of "Part 4" and "Part 5")
  // cannot tell them apart. A bracket left open says the title was cut.
  if ((cutShort || bracketLeftOpen(title)) && catalogue.albumTitles &&
      fitsAnother(titleFolded, trackTitleFolded, catalogue.albumTitles(track))) {
    doubts.push_back("cut short: fits several tracks");
    if (catalogue.firstDoubtOnly) return doubts;
  }

  const bool artistSays = similarity(artistCore, trackArtist) >= kEvidence;
  if (!identified && !artistSays && !albumNamed()) {
    // A title alone names one recording only when it is the track's whole title, as
    // folded, and the catalogue holds it for one artist.
    const bool exact = titleFolded == trackTitleFolded;
    if (!exact || !catalogue.titleCount || catalogue.titleCount(track.title).artists != 1) {
      doubts.push_back(artistCore.empty() ? "title only" : "artist matches nothing");
    }
  }
  return doubts;
}

IdentifierVerdict identifierVerdict(const AnswerTexts& query,
                                    const std::vector<AnswerTexts>& tracks) {
  // On the identifier alone, and on it with texts that agree throughout.
  constexpr float kAlone = 90;
  constexpr float kAgreeing = 100;
  IdentifierVerdict verdict;
  if (tracks.empty()) return verdict;
  const std::string queryTitle = titleParts(query.title).core;
  const std::string queryArtist = is_unknown(query.artist) ? "" : artistParts(query.artist).core;
  const std::string queryAlbum = titleParts(query.album).core;
  // One recording may be on several albums; several recordings leave it to the texts.
  const std::string title = titleParts(tracks[0].title).core;
  const std::string artist = artistParts(tracks[0].artist).core;
  const TitleVersion version = readTitleVersion(tracks[0].title);
  for (const AnswerTexts& track : tracks) {
    if (titleParts(track.title).core != title || artistParts(track.artist).core != artist ||
        !titleDisagreement(readTitleVersion(track.title), version).empty()) {
      return verdict;
    }
  }
  verdict.decides = true;
  const float titleSimilarity = similarity(queryTitle, title);
  const float artistSimilarity = similarity(queryArtist, artist);
  // Another title and another artist, each read whole: a query cut short of the track's
  // names gets no credit here, or "Ocean" would be "Ocean Fire".
  verdict.disagrees = !queryTitle.empty() && !queryArtist.empty() &&
                      wholeSimilarity(queryTitle, title) < kMisread &&
                      wholeSimilarity(queryArtist, artist) < kMisread;
  float bestAgreement = -1;
  for (size_t i = 0; i < tracks.size(); ++i) {
    const float albumSimilarity = similarity(queryAlbum, titleParts(tracks[i].album).core);
    float sum = 0;
    int given = 0;
    for (const auto& [text, value] : {std::make_pair(&queryTitle, titleSimilarity),
                                      std::make_pair(&queryArtist, artistSimilarity),
                                      std::make_pair(&queryAlbum, albumSimilarity)}) {
      if (text->empty()) continue;
      sum += value;
      ++given;
    }
    const float agreement = given == 0 ? 0 : sum / given / 100;
    if (agreement > bestAgreement) {
      bestAgreement = agreement;
      verdict.best = i;
      verdict.score = kAlone + (kAgreeing - kAlone) * agreement;
    }
  }
  if (verdict.disagrees) verdict.score = ostrev::kDoubtedCeiling;
  return verdict;
}

IdentifierVerdict titledTrackVerdict(const AnswerTexts& query,
                                     const std::vector<AnswerTexts>& albumTracks) {
  const std::string queryTitle = titleParts(query.title).core;
  std::vector<size_t> named;
  std::vector<AnswerTexts> tracks;
  for (size_t i = 0; !queryTitle.empty() && i < albumTracks.size(); ++i) {
    if (similarity(queryTitle, titleParts(albumTracks[i].title).core) >= kMisread) {
      named.push_back(i);
      tracks.push_back(albumTracks[i]);
    }
  }
  IdentifierVerdict verdict = identifierVerdict(query, tracks);
  if (verdict.decides) verdict.best = named[verdict.best];
  return verdict;
}

float doubtedScore(float score, const std::vector<std::string>& doubts) {
  return doubts.empty() ? score : std::min(score, ostrev::kDoubtedCeiling);
}
