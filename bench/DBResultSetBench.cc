// Cost of offering a candidate to a full result set, the step every scored candidate row
// goes through.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "getdata/DBResultSet.h"

namespace {

void BM_AddRecordToFullSet(benchmark::State& state) {
  const int capacity = static_cast<int>(state.range(0));
  std::vector<std::string> names;
  for (int i = 0; i < 1000; ++i) names.push_back("Candidate artist name " + std::to_string(i));
  DBResultSet set(capacity);
  for (int i = 0; i < capacity; ++i) set.add_record(50, names[i]);
  size_t next = 0;
  float score = 0;
  for (auto _ : state) {
    // Mostly refused, now and then a replacement, as in a real scan.
    score = score >= 60 ? 40 : score + 0.7f;
    benchmark::DoNotOptimize(set.add_record(score, names[next]));
    next = (next + 1) % names.size();
  }
}
BENCHMARK(BM_AddRecordToFullSet)->Arg(10)->Arg(50)->Arg(100);

}  // namespace
