// fuzzy_index_bench: builds the fuzzy stage's index from an importer catalogue file and
// prints what it costs: build time, the index's own count of its bytes, the growth of
// resident memory, and the time of the stage for queries with a typing error in every
// field, with the share answered with the right track.
//   fuzzy_index_bench FILE.tsv [QUERIES] [SEED]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "fuzzy/FuzzyTrackIndex.h"

namespace {

struct Track {
  std::string title, artist, album;
};

double residentMB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

std::vector<std::string> columns(const std::string& line) {
  std::vector<std::string> out;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    out.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
    if (tab == std::string::npos) return out;
    start = tab + 1;
  }
}

// The importer's columns: album_key album_title album_artist upc disc_track_no track_title
// track_artist isrc; an empty track artist is the album's.
std::vector<Track> readCatalogue(const char* path) {
  std::ifstream file(path);
  std::vector<Track> tracks;
  std::string line;
  std::getline(file, line);
  while (std::getline(file, line)) {
    const std::vector<std::string> c = columns(line);
    if (c.size() < 8) continue;
    tracks.push_back({c[5], c[6].empty() ? c[2] : c[6], c[1]});
  }
  return tracks;
}

std::string typo(std::string text, std::mt19937* random) {
  if (text.size() < 3) return text;
  size_t i = 1 + (*random)() % (text.size() - 2);
  while (i > 0 && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) --i;
  text[i] = text[i] == 'x' ? 'q' : 'x';
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: fuzzy_index_bench FILE.tsv [QUERIES] [SEED]\n");
    return 2;
  }
  const int queries = argc > 2 ? atoi(argv[2]) : 1000;
  std::mt19937 random(argc > 3 ? static_cast<unsigned>(atoi(argv[3])) : 1);
  const std::vector<Track> tracks = readCatalogue(argv[1]);
  if (tracks.empty()) {
    fprintf(stderr, "fuzzy_index_bench: no tracks in %s\n", argv[1]);
    return 1;
  }

  const double before = residentMB();
  const auto start = std::chrono::steady_clock::now();
  FuzzyTrackIndex::Builder builder;
  for (size_t i = 0; i < tracks.size(); ++i) {
    builder.add(static_cast<int64_t>(i + 1), tracks[i].title, tracks[i].artist, tracks[i].album);
  }
  const auto index = builder.build();
  const std::chrono::duration<double> built = std::chrono::steady_clock::now() - start;
  printf("index: %zu tracks, built in %.2f s, %.1f MB counted, resident +%.1f MB\n",
         index->trackCount(), built.count(), index->memoryBytes() / 1e6,
         residentMB() - before);

  FuzzySearchScratch scratch;
  std::vector<double> ms;
  int right = 0;
  for (int q = 0; q < queries; ++q) {
    const size_t pick = random() % tracks.size();
    const Track& t = tracks[pick];
    const std::string title = typo(t.title, &random), artist = typo(t.artist, &random),
                      album = typo(t.album, &random);
    const auto begin = std::chrono::steady_clock::now();
    const auto found = index->best(title, artist, album, 1, &scratch);
    ms.push_back(std::chrono::duration<double, std::milli>(
                     std::chrono::steady_clock::now() - begin).count());
    // A catalogue may hold the same names twice: the right names count as right.
    if (!found.empty()) {
      const Track& got = tracks[static_cast<size_t>(found[0].trackId - 1)];
      right += got.title == t.title && got.artist == t.artist;
    }
  }
  std::sort(ms.begin(), ms.end());
  auto at = [&](double share) { return ms[std::min(ms.size() - 1, size_t(share * ms.size()))]; };
  printf("stage, a typing error in every field: %d queries, p50 %.2f ms, p99 %.2f ms, "
         "max %.2f ms, right %.1f %%\n",
         queries, at(0.5), at(0.99), ms.back(), 100.0 * right / queries);
  return 0;
}
