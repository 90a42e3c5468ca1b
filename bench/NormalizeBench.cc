// Time per call of the two name normalizations; normalizeName runs once per catalogue
// row in the maintenance pass, so its per-call cost sets that pass's length.
#include <benchmark/benchmark.h>

#include "text/Normalize.h"
#include "text/Utf8.h"

namespace {

void BM_NormalizeName(benchmark::State& state, std::string name) {
  for (auto _ : state) benchmark::DoNotOptimize(normalizeName(&name, true));
}

BENCHMARK_CAPTURE(BM_NormalizeName, ShortAscii, std::string("The Beatles"));
BENCHMARK_CAPTURE(
    BM_NormalizeName, LongAscii,
    std::string("Don't Stop Me Now (Live at Wembley, 1986) - Remastered feat. Bob"));
BENCHMARK_CAPTURE(BM_NormalizeName, Accented, std::string("Caf\xc3\xa9 M\xc3\xbcller"));

void BM_Normalize(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(GCharPtr(normalize("The Beatles")));
}
BENCHMARK(BM_Normalize);

}  // namespace
