// SPDX-License-Identifier: MIT
// Reading profiles of many keys. Profiles are small, but a reader that compares every key with
// every other one takes seconds on a file of a few megabytes; the "per_key" counter should stay
// flat from 7,500 to 60,000 keys.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "profiles/profile_file.h"

namespace torvix {
namespace {

// Every name distinct and unknown: the reader must keep them all apart to find the first fault.
std::string distinctKeys(int count) {
  std::string text = "{\"torvix-profile\": 1, \"settings\": {\n";
  for (int i = 0; i < count; ++i) {
    text += "\"Setting" + std::to_string(i) + "\": 1,\n";
  }
  return text + "\"Contrast\": 60}}\n";
}

// One setting named over and over, the last time under its register number.
std::string repeatedKey(int count) {
  std::string text = "{\"settings\": {\n";
  for (int i = 0; i < count; ++i) text += "\"Contr\\u0061st\": 60,\n";
  return text + "\"0x57\": 60}}\n";
}

void measure(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    std::vector<ProfileEntry> entries;
    std::string error;
    benchmark::DoNotOptimize(ParseProfile(text, "bench.json", entries, error));
  }
  state.counters["per_key"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                 benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}

void BM_ProfileOfDistinctKeys(benchmark::State& state) {
  measure(state, distinctKeys(static_cast<int>(state.range(0))));
}
void BM_ProfileOfOneKeyRepeated(benchmark::State& state) {
  measure(state, repeatedKey(static_cast<int>(state.range(0))));
}

BENCHMARK(BM_ProfileOfDistinctKeys)->Arg(7500)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProfileOfOneKeyRepeated)->Arg(7500)->Arg(60000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace torvix

BENCHMARK_MAIN();
