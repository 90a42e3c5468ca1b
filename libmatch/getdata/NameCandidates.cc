#include "getdata/NameCandidates.h"

#include "db/AlbumQueries.h"
#include "db/ArtistQueries.h"
#include "db/QueryResult.h"
#include "getdata/StatementReader.h"
#include "ostrev/scores.h"
#include "text/Normalize.h"
#include "text/PreparedName.h"
#include "text/PreparedTexts.h"
#include "text/Utf8.h"

std::unique_ptr<std::list<std::string>> artistList;
std::unique_ptr<std::list<std::string>> albumList;

namespace {

PreparedTexts artistTexts(const OCRData* query) {
  return PreparedTexts(query->artist, query->artistAlt1, query->artistAlt2);
}

PreparedTexts albumTexts(const OCRData* query) {
  return PreparedTexts(query->album, query->albumAlt1, query->albumAlt2);
}

// Offers `name` with its score against each text; add_record keeps the best one.
void offer(const PreparedTexts& texts, const std::string& name, DBResultSet* set) {
  for (const PreparedName& text : texts.texts()) {
    set->add_record(static_cast<float>(text.alignmentScore(name)), name);
  }
}

// Scores the first column of every row of the statement just sent; rows read.
int offerRows(st_mysql* handle, const PreparedTexts& texts, DBResultSet* set) {
  QueryResult rows(handle);
  if (!rows.ok()) return 0;
  while (MYSQL_ROW row = rows.next()) {
    if (row[0] != nullptr) offer(texts, row[0], set);
  }
  return static_cast<int>(rows.rowCount());
}

int offerCached(const std::list<std::string>* names, const PreparedTexts& texts, DBResultSet* set) {
  if (names == nullptr) return 0;
  int visited = 0;
  for (const std::string& name : *names) {
    offer(texts, name, set);
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

int getArtists(st_mysql*, FuzzyTextCompare, OCRData* query, DBResultSet* set, bool) {
  return offerCached(artistList.get(), artistTexts(query), set);
}

int getAlbums(st_mysql*, FuzzyTextCompare, OCRData* query, DBResultSet* set, bool) {
  return offerCached(albumList.get(), albumTexts(query), set);
}

int getArtistsHeap(st_mysql* handle, FuzzyTextCompare, OCRData* query, DBResultSet* set, bool) {
  if (!selectAllArtists(handle)) return 0;
  return offerRows(handle, artistTexts(query), set);
}

int getAlbumsHeap(st_mysql* handle, FuzzyTextCompare, OCRData* query, DBResultSet* set,
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
  return offerRows(handle, albumTexts(query), set);
}

int getFullTextArtist(st_mysql* handle, FuzzyTextCompare, OCRData* query, DBResultSet* set) {
  if (!selectArtistsByFullText(handle, query->artist)) return 0;
  return offerRows(handle, artistTexts(query), set);
}

int getArtistsByFirstLetter(st_mysql* handle, FuzzyTextCompare, OCRData* query, DBResultSet* set,
                            const char* firstChar) {
  if (!selectArtistsByFirstChar(handle, firstChar)) return 0;
  return offerRows(handle, artistTexts(query), set);
}

int getArtistsFromAlbum(CatalogueReader& reader, OCRData* query, DBResultSet* set) {
  const PreparedName artist(query->artist);
  int rowsRead = 0;
  reader.artistsOfAlbum(query->album, [&](std::string_view name) {
    ++rowsRead;
    constexpr int kAccepted = static_cast<int>(ostrev::kAcceptedScore);
    int score = artist.alignmentScoreAtLeast(name, kAccepted);
    if (score >= kAccepted) set->add_record(static_cast<float>(score), std::string(name));
  });
  return rowsRead;
}

int getArtistsFromAlbum(st_mysql* handle, FuzzyTextCompare, OCRData* query, DBResultSet* set) {
  StatementReader reader(handle);
  return getArtistsFromAlbum(reader, query, set);
}
