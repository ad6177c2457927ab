#pragma once
// A small stand-in for the benchmark library, which has no Windows build here: every
// benchmark runs a number of repetitions, all interleaved in a new random order each round,
// so that a slow spell of the machine falls on measured calls and floors alike. The time is
// wall time (a relay exchange spends most of it in the other process), per call, and the
// result is the median over the repetitions; the repetitions of two benchmarks in one round
// give a row its paired ratios (ratio_spread.h).
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tavrosk::bench {

struct Benchmark {
  std::string name;
  // Makes `calls` calls; throws when a call gives a wrong result.
  std::function<void(std::int64_t calls)> batch;
  // Around each repetition, outside the timed part (for example to switch the road).
  std::function<void()> enter = [] {};
  std::function<void()> leave = [] {};
  // One call a repetition, for a call that must follow what `enter` did.
  bool one_call = false;
};

class InterleavedRuns {
 public:
  // `before_each` runs before every repetition of every benchmark, outside the timed part.
  explicit InterleavedRuns(std::function<void()> before_each)
      : before_each_(std::move(before_each)) {}
  void add(Benchmark benchmark) { benchmarks_.push_back(std::move(benchmark)); }
  void run(int repetitions, double seconds_per_repetition);
  double median_seconds(const std::string& name) const;
  // Seconds per call of each repetition, one a round in the order of the rounds.
  const std::vector<double>& seconds_per_call(const std::string& name) const;

 private:
  double seconds_for(const Benchmark& benchmark, std::int64_t calls) const;
  std::int64_t calls_per_repetition(const Benchmark& benchmark, double seconds) const;

  std::function<void()> before_each_;
  std::vector<Benchmark> benchmarks_;
  std::map<std::string, std::vector<double>> seconds_per_call_;
};

}  // namespace tavrosk::bench
