// Time per call of FuzzyTextCompare::localAlignmentScore, which runs once or more for every
// candidate row of every lookup and so sets most of a lookup's CPU time.
#include <benchmark/benchmark.h>

#include <string>

#include "text/FuzzyTextCompare.h"

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

}  // namespace
