// Time per call of FuzzyTextCompare::localAlignmentScore, which runs once or more for every
// candidate row of every lookup and so sets most of a lookup's CPU time; beside it, the same
// score from a prepared query (how candidate rows are scored) and a bare bit-parallel edit
// distance over the same bytes, the floor both are measured against.
//
// The side-by-side pairs are generated catalogue-like names, or track titles of a catalogue
// file (importer format, title in the sixth column) named by OSTREV_BENCH_TRACKS.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "text/AlignmentMeasures.h"
#include "text/CharPrefix.h"
#include "text/FuzzyTextCompare.h"
#include "text/PreparedName.h"

namespace {

void BM_LocalAlignment(benchmark::State& state, std::string a, std::string b) {
  FuzzyTextCompare compare;
  for (auto _ : state) benchmark::DoNotOptimize(compare.localAlignmentScore(a, b));
}

BENCHMARK_CAPTURE(BM_LocalAlignment, Ascii10, std::string("Pink Floyd"),
                  std::string("pink floid"));
BENCHMARK_CAPTURE(BM_LocalAlignment, Ascii20, std::string("Creedence Clearwater"),
                  std::string("Creedance Clearwater"));
BENCHMARK_CAPTURE(BM_LocalAlignment, Ascii30, std::string("Bohemian Rhapsody (Live Aid 85)"),
                  std::string("Queen - Bohemian Rhapsody, Live"));
BENCHMARK_CAPTURE(
    BM_LocalAlignment, Ascii70,
    std::string("Symphony No. 9 in D Minor, Op. 125 Choral: IV. Presto - Allegro assai"),
    std::string("Beethoven: Symphony No 9 in D minor Op 125 - IV. Presto, Allegro Assai"));
BENCHMARK_CAPTURE(BM_LocalAlignment, Accented10, std::string("Mot\xc3\xb6rhead!"),
                  std::string("MOT\xc3\x96RHEAD"));
BENCHMARK_CAPTURE(BM_LocalAlignment, Accented30,
                  std::string("\xc3\x89" "dith Piaf - Non, je ne regrette"),
                  std::string("Edith Piaf \xe2\x80\x93 Non je ne regrette rien"));
BENCHMARK_CAPTURE(
    BM_LocalAlignment, Accented70,
    std::string("Anton\xc3\xadn Dvo\xc5\x99\xc3\xa1k: Symfonie \xc4\x8d. 9 e moll "
                "Z Nov\xc3\xa9ho sv\xc4\x9bta, II. Largo (\xc5\xbdiv\xc4\x9b)"),
    std::string("Dvo\xc5\x99\xc3\xa1k - Symphony No. 9 From the New World: "
                "II. Largo, Wiener Philharmoniker"));

// Query and row pairs of ASCII names `length` bytes long: half the rows a copy of the
// query with OCR-like slips, half another name, as among the tracks of a candidate artist.
struct Pairs {
  std::vector<std::string> queries;
  std::vector<std::string> rows;
};

constexpr int kPairs = 256;

std::vector<std::string> catalogueTitles() {
  std::vector<std::string> titles;
  const char* path = getenv("OSTREV_BENCH_TRACKS");
  if (path == nullptr) return titles;
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);  // the header
  while (std::getline(in, line)) {
    size_t start = 0;
    for (int column = 0; column < 5 && start != std::string::npos; ++column) {
      start = line.find('\t', start);
      if (start != std::string::npos) ++start;
    }
    if (start == std::string::npos) continue;
    const std::string title = line.substr(start, line.find('\t', start) - start);
    bool ascii = true;
    for (unsigned char c : title) ascii &= c >= 0x20 && c < 0x7f;
    if (ascii) titles.push_back(title);
  }
  return titles;
}

class NameSource {
 public:
  NameSource() : titles_(catalogueTitles()) {}

  // A name of exactly `length` bytes: catalogue titles that long or longer, cut, or
  // generated words.
  std::string name(size_t length) {
    std::string out;
    if (!titles_.empty()) {
      for (int tries = 0; tries < 1000 && out.size() < length; ++tries) {
        out = titles_[random_() % titles_.size()];
      }
    }
    while (out.size() < length) {
      if (!out.empty()) out += ' ';
      out += kWords[random_() % std::size(kWords)];
    }
    return out.substr(0, length);
  }

  // `name` with a slip every ten characters or so: a letter misread, dropped or doubled.
  std::string slipped(std::string name) {
    const char kMisreadings[][2] = {{'l', '1'}, {'o', '0'}, {'e', 'c'}, {'S', '5'}, {'i', 'l'}};
    for (size_t slips = 1 + name.size() / 10; slips > 0; --slips) {
      const size_t at = random_() % name.size();
      switch (random_() % 3) {
        case 0: {
          const auto& pair = kMisreadings[random_() % std::size(kMisreadings)];
          name[at] = name[at] == pair[0] ? pair[1] : pair[0];
          break;
        }
        case 1:
          name.erase(at, 1);
          break;
        default:
          name.insert(at, 1, name[at]);
      }
    }
    return name;
  }

  bool coin() { return random_() % 2 == 0; }

 private:
  static constexpr const char* kWords[] = {
      "Love", "Night", "Blue", "Moon", "(Live)", "Remastered", "Symphony", "No.", "in",
      "D", "Minor", "Song", "of", "the", "River", "Dance", "Part", "II", "feat.", "Orchestra",
      "Sweet", "Home", "Chicago", "-", "Version", "Radio", "Edit", "Waltz", "My", "Heart"};
  std::vector<std::string> titles_;
  std::mt19937 random_{20240611u};
};

const Pairs& pairsOfLength(int length) {
  static std::map<int, Pairs> made;
  Pairs& pairs = made[length];
  if (pairs.queries.empty()) {
    NameSource source;
    for (int i = 0; i < kPairs; ++i) {
      pairs.queries.push_back(source.name(length));
      pairs.rows.push_back(source.coin() ? source.slipped(pairs.queries.back())
                                         : source.name(length));
    }
  }
  return pairs;
}

// Myers/Hyyrö over raw bytes and nothing else: the query is the pattern, its match masks
// are set before and cleared after each pair.
class BareDistance {
 public:
  int operator()(const std::string& pattern, const std::string& text) {
    if (pattern.size() <= 64) return distance(pattern, text, narrow_);
    return distance(pattern, text, wide_);
  }

 private:
  template <typename Word>
  static int distance(const std::string& pattern, const std::string& text, Word* masks) {
    Word bit = 1;
    for (unsigned char c : pattern) {
      masks[c] |= bit;
      bit <<= 1;
    }
    const int d = editDistance<Word>(static_cast<int>(pattern.size()),
                                     static_cast<int>(text.size()), [&](int j) {
                                       return masks[static_cast<unsigned char>(text[j])];
                                     });
    for (unsigned char c : pattern) masks[c] = 0;
    return d;
  }

  uint64_t narrow_[256] = {};
  unsigned __int128 wide_[256] = {};
};

// One pair per iteration, going round the pairs; `score(i)` scores pair i.
template <typename Score>
void timePairs(benchmark::State& state, Score score) {
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(score(i));
    i = (i + 1) % kPairs;
  }
  state.SetItemsProcessed(state.iterations());
}

int lengthOf(const benchmark::State& state) { return static_cast<int>(state.range(0)); }

void BM_LocalAlignmentByLength(benchmark::State& state) {
  Pairs pairs = pairsOfLength(lengthOf(state));  // localAlignmentScore takes its texts unconst
  FuzzyTextCompare compare;
  timePairs(state, [&](size_t i) {
    return compare.localAlignmentScore(pairs.queries[i], pairs.rows[i]);
  });
}

void BM_PreparedNameByLength(benchmark::State& state) {
  const Pairs& pairs = pairsOfLength(lengthOf(state));
  const std::vector<PreparedName> queries(pairs.queries.begin(), pairs.queries.end());
  timePairs(state, [&](size_t i) { return queries[i].alignmentScore(pairs.rows[i]); });
}

void BM_BareDistanceByLength(benchmark::State& state) {
  const Pairs& pairs = pairsOfLength(lengthOf(state));
  BareDistance bare;
  timePairs(state, [&](size_t i) { return bare(pairs.queries[i], pairs.rows[i]); });
}

// The three side by side at every length that matters, as "ByLength/<how>/<length>".
const bool kByLengthRegistered = [] {
  const struct {
    const char* how;
    void (*time)(benchmark::State&);
  } ways[] = {{"localAlignmentScore", BM_LocalAlignmentByLength},
              {"PreparedName", BM_PreparedNameByLength},
              {"bare", BM_BareDistanceByLength}};
  for (int length = 8; length <= kCompareChars; ++length) {
    for (const auto& way : ways) {
      benchmark::RegisterBenchmark((std::string("ByLength/") + way.how).c_str(), way.time)
          ->Arg(length);
    }
  }
  return true;
}();

}  // namespace
