// getTracks skips rows whose title cannot bring them into the track set and scores each
// album and artist name once; held against a plain reading that scores every row in
// full, on generated rows, sets and queries. The two track sets must be identical.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "getdata/CatalogueReader.h"
#include "getdata/TrackCandidates.h"
#include "text/CombinedScore.h"
#include "text/GeneratedNames.h"
#include "text/Normalize.h"
#include "text/PreparedName.h"
#include "text/PreparedTexts.h"

namespace {

struct GeneratedRow {
  uint64_t trackId;
  std::string title, artist, album;
  uint64_t artistId;
  uint32_t artistKey, albumKey;
};

// Rows for every artist and album name, with name keys as the resident catalogue gives
// them (equal for equal names) or none, as the statements give them.
class GeneratedReader : public CatalogueReader {
 public:
  std::map<std::string, std::vector<GeneratedRow>> byArtist, byAlbum;
  bool withKeys = true;

  IdList artistIds(const std::string& name) override { return idOf(name, &artistNames_); }
  IdList albumIds(const std::string& name) override { return idOf(name, &albumNames_); }
  bool tracksOfArtists(const IdList& ids, const TrackVisitor& visit) override {
    return visitRows(ids, artistNames_, byArtist, visit);
  }
  bool tracksOfAlbums(const IdList& ids, const TrackVisitor& visit) override {
    return visitRows(ids, albumNames_, byAlbum, visit);
  }

  bool exactTracks(const std::string&, const std::string&, const std::string&,
                   const ExactVisitor&) override { return false; }
  std::string normalizedArtistName(const std::string&) override { return ""; }
  int albumsByUpc(const std::string&, std::vector<trackRecord>*) override { return 0; }
  bool artistsOfAlbum(const std::string&, const NameVisitor&) override { return false; }
  bool tracksNamed(const std::string&, const TrackVisitor&) override { return false; }
  int trackNameCount(const std::string&) override { return 0; }
  int tracksByIsrc(const std::string&, std::vector<trackRecord>*) override { return 0; }
  int albumTracksByUpc(const std::string&, std::list<trackRecord>*) override { return -1; }
  int albumTracksByName(const std::string&, std::list<trackRecord>*) override { return -1; }
  bool trackNames(const std::string&, TrackColumns*) override { return false; }

 private:
  IdList idOf(const std::string& name, std::vector<std::string>* names) {
    IdList ids;
    names->push_back(name);
    ids.push_back(std::make_unique<int>(static_cast<int>(names->size() - 1)));
    return ids;
  }
  bool visitRows(const IdList& ids, const std::vector<std::string>& names,
                 const std::map<std::string, std::vector<GeneratedRow>>& rows,
                 const TrackVisitor& visit) {
    auto found = rows.find(names[*ids.front()]);
    if (found == rows.end()) return true;
    for (const GeneratedRow& r : found->second) {
      TrackRow row;
      row.trackId = r.trackId;
      row.trackName = r.title;
      row.artistName = r.artist;
      row.albumName = r.album;
      row.artistId = r.artistId;
      row.artistNameKey = withKeys ? r.artistKey : kNoNameKey;
      row.albumNameKey = withKeys ? r.albumKey : kNoNameKey;
      visit(row);
    }
    return true;
  }
  std::vector<std::string> artistNames_, albumNames_;
};

// Every row scored in full and offered, as the rule reads.
void plainTracks(GeneratedReader& reader, OCRData* query, DBResultSet& tracks,
                 DBResultSet& artists, DBResultSet& albums, int boostPercent, int threshold) {
  const PreparedName title(query->title);
  const PreparedTexts albumTexts(query->album, query->albumAlt1, query->albumAlt2);
  const PreparedTexts artistTexts(query->artist, query->artistAlt1, query->artistAlt2);
  auto candidate = [](const PreparedTexts& texts, DBResultSet& set, const std::string& name) {
    dbresult_rec held;
    return set.get_record(name, &held) ? held.score : static_cast<float>(texts.bestScore(name));
  };
  auto offer = [&](bool placeholder, const GeneratedRow& row, float album, float artist) {
    const float t = static_cast<float>(title.alignmentScoreAtLeast(row.title, 41));
    float score = placeholder ? weightedTrackScoreWithoutArtist(t, album)
                              : weightedTrackScore(t, album, artist);
    if (row.artistId != 0 && boostPercent != 0 && score >= threshold) {
      score = score + (100 - score) * (boostPercent / 100.0f);
    }
    if (score >= 41) tracks.add_record(score, std::to_string(row.trackId));
  };
  for (int i = 0; i < artists.num_records(); ++i) {
    for (const GeneratedRow& row : reader.byArtist[artists[i].name]) {
      offer(is_unknown(artists[i].name), row, candidate(albumTexts, albums, row.album),
            artists[i].score);
    }
  }
  for (int i = 0; i < albums.num_records(); ++i) {
    for (const GeneratedRow& row : reader.byAlbum[albums[i].name]) {
      offer(is_unknown(row.artist), row, albums[i].score,
            candidate(artistTexts, artists, row.artist));
    }
  }
}

std::string setText(const DBResultSet& set) {
  std::string out;
  for (int i = 0; i < set.num_records(); ++i) {
    out += set.records[i].name + "=" + std::to_string(set.records[i].score) + " ";
  }
  return out;
}

TEST(TrackCandidatesBoundTest, SameSetAsScoringEveryRow) {
  NameGenerator names;
  std::mt19937 random(7);
  const std::vector<std::string> placeholders = {"Unknown", "Various Artists"};
  for (int round = 0; round < 300; ++round) {
    OCRData query;
    query.title = names.query();
    query.artist = names.row();
    query.album = names.row();
    // A few artists and albums, many rows each: some titles near the query's, album and
    // artist names that repeat, scores that tie.
    GeneratedReader reader;
    std::vector<std::string> artistNames, albumNames;
    for (int i = 0; i < 4; ++i) artistNames.push_back(i == 3 ? placeholders[round % 2] : names.row());
    for (int i = 0; i < 6; ++i) albumNames.push_back(i == 0 ? query.album : names.row());
    names.query();  // rows from now on are made for the title
    std::vector<std::string> sameTitle = {query.title};
    uint64_t id = 1;
    for (const std::string& artist : artistNames) {
      for (int r = 0; r < 60; ++r) {
        const uint32_t album = static_cast<uint32_t>(random() % albumNames.size());
        GeneratedRow row{id++, random() % 4 == 0 ? names.row() : sameTitle[0] + names.row(),
                         artist, albumNames[album], random() % 5 == 0 ? 0u : 1u + random() % 9,
                         static_cast<uint32_t>(&artist - &artistNames[0]), album};
        reader.byArtist[artist].push_back(row);
        reader.byAlbum[row.album].push_back(row);
      }
    }
    const int capacity = 1 + static_cast<int>(random() % 12);
    const int boost = static_cast<int>(random() % 3) * 7;
    for (bool keys : {true, false}) {
      reader.withKeys = keys;
      DBResultSet artists(capacity), albums(capacity), fast(capacity), plain(capacity);
      for (const std::string& artist : artistNames) {
        artists.add_record(static_cast<float>(30 + random() % 71), artist);
      }
      for (int i = 0; i < 3; ++i) {
        albums.add_record(static_cast<float>(30 + random() % 71), albumNames[random() % 6]);
      }
      getTracks(reader, &query, fast, artists, albums, boost, 75);
      plainTracks(reader, &query, plain, artists, albums, boost, 75);
      ASSERT_EQ(setText(fast), setText(plain))
          << "round " << round << " keys " << keys << " capacity " << capacity << " title ["
          << escaped(query.title) << "]";
    }
  }
}

}  // namespace
