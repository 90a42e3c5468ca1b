#include "getdata/NameCandidates.h"

#include "db/AlbumQueries.h"
#include "db/ArtistQueries.h"
#include "db/QueryResult.h"
#include "text/Normalize.h"
#include "text/Utf8.h"

std::unique_ptr<std::list<std::string>> artistList;
std::unique_ptr<std::list<std::string>> albumList;

namespace {

// The query texts a candidate name is compared with: the first always, the two
// alternatives only when given.
struct QueryTexts {
  std::string* first;
  std::string* second;
  std::string* third;
};

QueryTexts artistTexts(OCRData* query) {
  return {&query->artist, &query->artistAlt1, &query->artistAlt2};
}

QueryTexts albumTexts(OCRData* query) {
  return {&query->album, &query->albumAlt1, &query->albumAlt2};
}

// Offers `name` with its score against each text; add_record keeps the best one.
void offer(const FuzzyTextCompare& comparer, const QueryTexts& texts, std::string name,
           DBResultSet* set) {
  set->add_record(static_cast<float>(comparer.localAlignmentScore(*texts.first, name)), name);
  if (!texts.second->empty()) {
    set->add_record(static_cast<float>(comparer.localAlignmentScore(*texts.second, name)), name);
  }
  if (!texts.third->empty()) {
    set->add_record(static_cast<float>(comparer.localAlignmentScore(*texts.third, name)), name);
  }
}

// Scores the first column of every row of the statement just sent; rows read.
int offerRows(st_mysql* handle, const FuzzyTextCompare& comparer, const QueryTexts& texts,
              DBResultSet* set) {
  QueryResult rows(handle);
  if (!rows.ok()) return 0;
  while (MYSQL_ROW row = rows.next()) {
    if (row[0] != nullptr) offer(comparer, texts, row[0], set);
  }
  return static_cast<int>(rows.rowCount());
}

int offerCached(const std::list<std::string>* names, const FuzzyTextCompare& comparer,
                const QueryTexts& texts, DBResultSet* set) {
  if (names == nullptr) return 0;
  int visited = 0;
  for (const std::string& name : *names) {
    offer(comparer, texts, name, set);
    ++visited;
  }
  return visited;
}

// Fills `cache` from the statement just sent; left empty when it was not `sent`.
int loadNames(st_mysql* handle, bool sent, std::unique_ptr<std::list<std::string>>* cache) {
  *cache = std::make_unique<std::list<std::string>>();
  if (!sent) return 0;
  QueryResult rows(handle);
  if (!rows.ok()) return 0;
  while (MYSQL_ROW row = rows.next()) {
    if (row[0] != nullptr) (*cache)->push_back(row[0]);
  }
  return static_cast<int>(rows.rowCount());
}

}  // namespace

int loadArtists(st_mysql* handle) {
  bool sent = selectDistinctArtists(handle);
  return loadNames(handle, sent, &artistList);
}

int loadAlbums(st_mysql* handle) {
  bool sent = selectDistinctAlbums(handle);
  return loadNames(handle, sent, &albumList);
}

int getArtists(st_mysql*, FuzzyTextCompare comparer, OCRData* query, DBResultSet* set, bool) {
  return offerCached(artistList.get(), comparer, artistTexts(query), set);
}

int getAlbums(st_mysql*, FuzzyTextCompare comparer, OCRData* query, DBResultSet* set, bool) {
  return offerCached(albumList.get(), comparer, albumTexts(query), set);
}

int getArtistsHeap(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query,
                   DBResultSet* set, bool) {
  if (!selectAllArtists(handle)) return 0;
  return offerRows(handle, comparer, artistTexts(query), set);
}

int getAlbumsHeap(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query, DBResultSet* set,
                  bool fullScan) {
  // A second album text may start with another character: only a full scan finds both.
  bool sent;
  if (fullScan || !query->albumAlt1.empty()) {
    sent = selectAllAlbums(handle);
  } else {
    GCharPtr firstChar(getFirstChar(query->album));
    sent = selectAlbumsByFirstChar(handle, firstChar.get());
  }
  if (!sent) return 0;
  return offerRows(handle, comparer, albumTexts(query), set);
}

int getFullTextArtist(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query,
                      DBResultSet* set) {
  if (!selectArtistsByFullText(handle, query->artist)) return 0;
  return offerRows(handle, comparer, artistTexts(query), set);
}

int getArtistsByFirstLetter(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query,
                            DBResultSet* set, const char* firstChar) {
  if (!selectArtistsByFirstChar(handle, firstChar)) return 0;
  return offerRows(handle, comparer, artistTexts(query), set);
}

int getArtistsFromAlbum(st_mysql* handle, FuzzyTextCompare comparer, OCRData* query,
                        DBResultSet* set) {
  constexpr int kMinimumScore = 70;
  if (!selectArtistsByAlbum(handle, query->album)) return 0;
  QueryResult rows(handle);
  if (!rows.ok()) return 0;
  while (MYSQL_ROW row = rows.next()) {
    if (row[0] == nullptr) continue;
    std::string name = row[0];
    int score = comparer.localAlignmentScore(query->artist, name);
    if (score >= kMinimumScore) set->add_record(static_cast<float>(score), name);
  }
  return static_cast<int>(rows.rowCount());
}
