// The text lookup cascade of TextTrackLookup and its strategies: each strategy gathers
// candidate artists or albums its own way and ends in the shared selection step.
#include <glib.h>

#include <mutex>
#include <utility>

#include "TextTrackLookup.h"
#include "engine/Timer.h"
#include "getdata/IdentifierLookups.h"
#include "getdata/NameCandidates.h"
#include "text/Normalize.h"
#include "text/Utf8.h"

namespace {

// Reports one step of the cascade on its timer (silent in synonym mode).
struct StepTimers {
  explicit StepTimers(int option_flags) : flags(option_flags) {
    initTimer(&total, "total");
    initTimer(&step, "step");
    startTimer(&total);
    if (flags & OPT_METRICS) startTimer(&step);
  }
  void found(const std::string& label, float score) {
    if (flags & OPT_METRICS) gotResult(&step, label + " FOUND", score, flags);
    gotResult(&total, label, score, flags);
  }
  void notFound(const std::string& label) {
    if (!(flags & OPT_METRICS)) return;
    gotResult(&step, label + " NOT FOUND", 0, flags);
    startTimer(&step);
  }
  int flags;
  _timer total;
  _timer step;
};

}  // namespace

float TextTrackLookup::findTrackByText(OCRData query, std::string* result, std::string* stage) {
  query.unknownArtist = is_unknown(query.artist);
  StepTimers timers(option_flags);
  const bool everyStep = option_flags & OPT_SYNONYM;
  float score = 0;
  std::string found = "none";
  // Whichever way it returns, the stage goes with the answer.
  struct StageReport {
    ~StageReport() {
      if (to != nullptr) *to = *from;
    }
    std::string* to;
    const std::string* from;
  } report{stage, &found};

  if (!everyStep && findExactTrack(query, result, &score)) {
    timers.found("exact track", score);
    found = "exact track";
    return score;
  }
  timers.notFound("exact track");

  using Strategy = bool (TextTrackLookup::*)(OCRData, std::string*, float*);
  const struct {
    Strategy find;
    const char* label;
  } kSteps[] = {{&TextTrackLookup::findExactArtist, "exact artist"},
                {&TextTrackLookup::findExactAlbum, "exact album"},
                {&TextTrackLookup::findTrackByName, "track by name"}};
  for (const auto& step : kSteps) {
    if ((this->*step.find)(query, result, &score)) {
      timers.found(step.label, score);
      found = step.label;
      if (!everyStep) return score;
    }
    timers.notFound(step.label);
  }
  // The last step always sets the score (10 without any candidate).
  if ((option_flags & OPT_FUZZY) && score < highConfScore) {
    if (findFuzzyTrack(query, result, &score)) {
      timers.found("fuzzy", score);
      found = "fuzzy";
      return score;
    }
    timers.notFound("fuzzy");
  }
  gotResult(&timers.total, "failed", score, option_flags);
  return score;
}

float TextTrackLookup::findTrackByText(OCRData query, std::string* result) {
  return findTrackByText(std::move(query), result, nullptr);
}

float TextTrackLookup::findTrackByExactText(OCRData query, std::string* result) {
  float score = 0;
  return findExactTrack(query, result, &score) ? 100 : 0;
}

bool TextTrackLookup::findExactTrack(OCRData query, std::string* result, float* score) {
  if (!get_the_track(reader(), &query, result)) return false;
  addRecentQuery(query, 100, *result);
  *score = 100;
  return true;
}

bool TextTrackLookup::findExactArtist(OCRData query, std::string* result, float* score) {
  DBResultSet artists(resultsToTest), albums(resultsToTest), tracks(resultsToTest);
  if (artistExists(reader(), query.artist)) {
    artists.add_record(100, query.artist);
    return findInexactMatch(query, result, artists, albums, tracks, score);
  }
  // Known only in its light normalized form ("beatles" for "The Beatles").
  GCharPtr normalized(normalize(query.artist.c_str()));
  if (normalizedArtistExists(reader(), normalized.get()).empty()) return false;
  query.artist = normalized.get();
  artists.add_record(100, query.artist);
  return findInexactMatch(query, result, artists, albums, tracks, score);
}

bool TextTrackLookup::findExactAlbum(OCRData query, std::string* result, float* score) {
  DBResultSet artists(resultsToTest), albums(resultsToTest), tracks(resultsToTest);
  if (!query.upc.empty()) {
    std::string name = findAlbumNameByUPC(&query);
    if (!name.empty()) albums.add_record(100, name);
  }
  if (albums.num_records() == 0 && albumExists(reader(), query.album)) {
    albums.add_record(100, query.album);
  }
  if (albums.num_records() == 0) return false;
  // The artists of the album found, under its catalogue name: a UPC may have found it
  // where the typed album text is misspelt.
  OCRData albumQuery = query;
  albumQuery.album = albums[0].name;
  getArtistsFromAlbum(reader(), &albumQuery, &artists);
  return findInexactMatch(query, result, artists, albums, tracks, score);
}

bool TextTrackLookup::findTrackByName(OCRData query, std::string* result, float* score) {
  DBResultSet artists(resultsToTest), albums(resultsToTest), tracks(resultsToTest);
  std::string title = query.title;
  return findInexactTrackMatch(query, result, artists, albums, tracks, score, title);
}

bool TextTrackLookup::findFuzzyArtist(OCRData query, std::string* result, float* score) {
  loadNameCaches();
  DBResultSet artists(resultsToTest), albums(resultsToTest), tracks(resultsToTest);
  getArtists(handle(), comparer, &query, &artists, fullDBScanMode);
  return findInexactMatch(query, result, artists, albums, tracks, score);
}

bool TextTrackLookup::findFuzzyAlbum(OCRData query, std::string* result, float* score) {
  loadNameCaches();
  DBResultSet artists(resultsToTest), albums(resultsToTest), tracks(resultsToTest);
  getAlbums(handle(), comparer, &query, &albums, fullDBScanMode);
  return findInexactMatch(query, result, artists, albums, tracks, score);
}

bool TextTrackLookup::findFuzzyArtistAlbum(OCRData query, std::string* result, float* score) {
  loadNameCaches();
  DBResultSet artists(resultsToTest), albums(resultsToTest), tracks(resultsToTest);
  getArtists(handle(), comparer, &query, &artists, fullDBScanMode);
  getAlbums(handle(), comparer, &query, &albums, fullDBScanMode);
  return findInexactMatch(query, result, artists, albums, tracks, score);
}

bool TextTrackLookup::findFullTextArtist(OCRData query, std::string* result, float* score) {
  if (query.artist.empty()) return false;
  DBResultSet artists(resultsToTest), albums(resultsToTest), tracks(resultsToTest);
  getFullTextArtist(handle(), comparer, &query, &artists);
  return findInexactMatch(query, result, artists, albums, tracks, score);
}

bool TextTrackLookup::findFirstLetterArtist(OCRData query, std::string* result, float* score) {
  if (query.artist.empty()) return false;
  GCharPtr firstChar(getFirstChar(query.artist));
  if (firstChar == nullptr) return false;
  DBResultSet artists(resultsToTest), albums(resultsToTest), tracks(resultsToTest);
  getArtistsByFirstLetter(handle(), comparer, &query, &artists, firstChar.get());
  firstChar.reset();
  return findInexactMatch(query, result, artists, albums, tracks, score);
}

void TextTrackLookup::loadNameCaches() {
  if (nameCachesLoaded) return;
  // Siblings read the lists while they run: loaded once for all, never replaced under them.
  std::call_once(shared->nameCachesLoaded, [this] {
    loadArtists(handle());
    loadAlbums(handle());
  });
  nameCachesLoaded = true;
}
