#include "verify/AnswerCheck.h"

#include <algorithm>

#include "fuzzy/NameFolding.h"
#include "fuzzy/NameSimilarity.h"
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
  if (similarity(titleParts(query).core, titleParts(track).core) < kEvidence) return false;
  const std::vector<uint32_t> queryNumbers = readTitleVersion(query).numbers;
  const std::vector<uint32_t> trackNumbers = readTitleVersion(track).numbers;
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

// Whether `title`, cut short of `track`, is as much another of `titles`: the same when
// folded, or cut short of it too.
bool fitsAnother(const std::string& title, const std::string& track,
                 const std::vector<std::string>& titles) {
  const std::string folded = foldName(title);
  const std::string trackFolded = foldName(track);
  return std::any_of(titles.begin(), titles.end(), [&](const std::string& other) {
    const std::string otherFolded = foldName(other);
    return otherFolded != trackFolded && (otherFolded == folded || cutShortOf(title, other));
  });
}

}  // namespace

std::vector<std::string> answerDoubts(const AnswerTexts& query, const AnswerTexts& track,
                                      const CatalogueFacts& catalogue, bool identified) {
  // A placeholder artist ("Unknown", "Various Artists") says nothing.
  const std::string queryArtist = is_unknown(query.artist) ? "" : artistParts(query.artist).core;
  const std::string queryTitle = titleParts(query.title).core;
  const std::string trackArtist = artistParts(track.artist).core;
  const std::string trackTitle = titleParts(track.title).core;
  // The fields read the other way round.
  const std::string artistAsTitle = titleParts(query.artist).core;
  const std::string titleAsArtist = artistParts(query.title).core;
  // The reading the track fits better: artist and title as given, or swapped.
  const bool swapped =
      similarity(artistAsTitle, trackTitle) + similarity(titleAsArtist, trackArtist) >
      similarity(queryTitle, trackTitle) + similarity(queryArtist, trackArtist);
  const std::string& title = swapped ? query.artist : query.title;
  const std::string& titleCore = swapped ? artistAsTitle : queryTitle;
  const std::string& artistCore = swapped ? titleAsArtist : queryArtist;

  std::vector<std::string> doubts;
  TitleVersion queryVersion = readTitleVersion(title);
  const TitleVersion trackVersion = readTitleVersion(track.title);
  if (cutShortOf(title, track.title)) {
    // A title cut short says nothing against the numbers it lost, nor, when the cut falls
    // inside the track's version, against that version. One that stops with the track's
    // core still names no version: "Song" is not "Song (Live)".
    queryVersion.numbers = trackVersion.numbers;
    queryVersion.plainNumbers = trackVersion.plainNumbers;
    if (wordCount(foldName(title)) > wordCount(trackTitle)) {
      queryVersion.kinds = trackVersion.kinds;
      queryVersion.remixer = trackVersion.remixer;
    }
  }
  // A query without a title says nothing of the track's version.
  // The track's album, when the query names it, names the versions its title says too:
  // "Cedar Smoke" asked on "Live at the Grand Ballroom" is "Cedar Smoke (Live)".
  const bool albumNamed = albumSays(query.album, track.album);
  if (albumNamed) queryVersion.kinds |= versionKindsIn(query.album) & trackVersion.kinds;
  const std::string disagreement =
      titleCore.empty() ? "" : titleDisagreement(queryVersion, trackVersion);
  if (!disagreement.empty()) doubts.push_back(disagreement);
  // A cut that fits another track of the album as well ("Part" of "Part 4" and "Part 5")
  // cannot tell them apart. A bracket left open says the title was cut.
  const bool cut = cutShortOf(title, track.title) || bracketLeftOpen(title);
  if (cut && catalogue.albumTitles &&
      fitsAnother(title, track.title, catalogue.albumTitles(track))) {
    doubts.push_back("cut short: fits several tracks");
  }

  const bool artistSays = similarity(artistCore, trackArtist) >= kEvidence;
  if (!identified && !artistSays && !albumNamed) {
    // A title alone names one recording only when it is the track's whole title, as
    // folded, and the catalogue holds it for one artist.
    const bool exact = foldName(title) == foldName(track.title);
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
  if (verdict.disagrees) verdict.score = kDoubtedCeiling;
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
  return doubts.empty() ? score : std::min(score, kDoubtedCeiling);
}
