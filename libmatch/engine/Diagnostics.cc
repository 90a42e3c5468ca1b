// What TextTrackLookup tells about its own work: the timing of the candidate retrievals
// against each other, and the report of the candidate sets when debugging.
#include <iostream>

#include "TextTrackLookup.h"
#include "engine/Timer.h"
#include "getdata/IdentifierLookups.h"
#include "getdata/NameCandidates.h"

namespace {

double elapsedSeconds(_timer* timer) {
  timeval elapsed;
  getTimeVal(timer, &elapsed);
  return elapsed.tv_sec + elapsed.tv_usec / 1000000.0;
}

void printEntries(const char* title, const char* underline, const char* entryLabel,
                  const char* scoreLabel, const char* totalLabel, DBResultSet* set,
                  int count) {
  std::cout << title << underline << "\n";
  for (int i = 0; i < set->num_records(); ++i) {
    dbresult_rec entry = (*set)[i];
    std::cout << entryLabel << entry.name << scoreLabel << entry.score << "\n";
    std::cout << totalLabel << count << "\n";
  }
}

// The similarity of the query text and then of each non-empty alternative: the last one
// given is the one reported.
int lastSimilarity(const FuzzyTextCompare& comparer, std::string& text, std::string& alt1,
                   std::string& alt2, std::string& found) {
  int score = comparer.localAlignmentScore(text, found);
  if (!alt1.empty()) score = comparer.localAlignmentScore(alt1, found);
  if (!alt2.empty()) score = comparer.localAlignmentScore(alt2, found);
  return score;
}

}  // namespace

void TextTrackLookup::profile(OCRData query) {
  loadNameCaches();
  DBResultSet artists(resultsToTest), albums(resultsToTest), tracks(resultsToTest);
  std::string result;
  float score = 0;
  _timer timer;
  initTimer(&timer, "profile");

  auto timed = [&](const char* label, auto run) {
    startTimer(&timer);
    run();
    stopTimer(&timer);
    std::cout << label << elapsedSeconds(&timer) << "\n";
  };
  timed("getArtists (stl list): ", [&] { findFuzzyArtistAlbum(query, &result, &score); });
  artists.clear();
  timed("getArtists (stl list): ",
        [&] { getArtists(handle(), comparer, &query, &artists, fullDBScanMode); });
  artists.clear();
  timed("getArtists (heap table): ",
        [&] { getArtistsHeap(handle(), comparer, &query, &artists, fullDBScanMode); });
  albums.clear();
  timed("getAlbums (stl list): ",
        [&] { getAlbums(handle(), comparer, &query, &albums, fullDBScanMode); });
  albums.clear();
  timed("getAlbums (heap table): ",
        [&] { getAlbumsHeap(handle(), comparer, &query, &albums, fullDBScanMode); });
  std::cout << std::flush;
}

void TextTrackLookup::debug_output(DBResultSet* artists, int artistCount, DBResultSet* albums,
                                   int albumCount, DBResultSet* tracks, int trackCount,
                                   OCRData* query) {
  const bool debug = option_flags & OPT_DEBUG;
  if (debug && artists != nullptr) {
    printEntries("\nArtist Best Matches:", "\n====================", "Artist Name: ",
                 "      Score: ", "Total artists returned: ", artists, artistCount);
  }
  if (debug && albums != nullptr) {
    printEntries("\nAlbum Best Matches:", "\n===================", "Album Name: ",
                 "     Score: ", "Total albums returned: ", albums, albumCount);
  }
  if (tracks == nullptr) return;
  if (debug) std::cout << "\nTrack Best Matches:\n===================\n";
  for (int i = 0; i < tracks->num_records(); ++i) {
    dbresult_rec entry = (*tracks)[i];
    if (option_flags & OPT_SYNONYM) std::cout << entry.name << " " << entry.score << "\n";
    std::string title, artistId, artistName, albumId, albumName, label, year;
    int length = 0;
    getTrackData(handle(), entry.name, &title, &artistId, &artistName, &albumId, &albumName,
                 &length, &label, &year);
    int artistScore =
        lastSimilarity(comparer, query->artist, query->artistAlt1, query->artistAlt2, artistName);
    int albumScore =
        lastSimilarity(comparer, query->album, query->albumAlt1, query->albumAlt2, albumName);
    int titleScore = comparer.localAlignmentScore(query->title, title);
    if (debug) {
      std::cout << "\tAlbScore: " << albumScore << " Album name: [ " << albumName
                << " ] src Album name: [ " << query->album << " ] ArtScore: " << artistScore
                << " Artist name: [ " << artistName << " ] src artist name: [ " << query->artist
                << " ] TrkScore: " << titleScore << " title: [ " << title << " ] src title: [ "
                << query->title << " ] \n";
    }
  }
  if (debug) std::cout << "Total tracks returned: " << trackCount << "\n";
  std::cout << std::flush;
}
