#pragma once
// Each family of benchmarks registers its benchmarks and adds the rows that compare them.
#include <vector>

#include "ratio_table.h"

namespace tavrosk::bench {

// Repetitions per benchmark; the run interleaves them at random across all benchmarks.
constexpr int kRepetitions = 15;
constexpr double kSecondsPerRepetition = 0.05;

void add_direct_road(std::vector<Row>& rows);
void add_relay_road(std::vector<Row>& rows);
void add_reply_conversions(std::vector<Row>& rows);

// Registers one benchmark with the run's repetition settings.
template <class Function>
void register_benchmark(const std::string& name, Function&& function) {
  benchmark::RegisterBenchmark(name.c_str(), std::forward<Function>(function))
      ->Repetitions(kRepetitions)
      ->MinTime(kSecondsPerRepetition)
      ->Unit(benchmark::kNanosecond);
}

}  // namespace tavrosk::bench
