#include "interleaved_runs.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <stdexcept>

namespace tavrosk::bench {
namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

double InterleavedRuns::seconds_for(const Benchmark& benchmark, std::int64_t calls) const {
  before_each_();
  benchmark.enter();
  Clock::time_point start = Clock::now();
  benchmark.batch(calls);
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  benchmark.leave();
  return seconds;
}

// Calls enough for one repetition to last about `seconds`.
std::int64_t InterleavedRuns::calls_per_repetition(const Benchmark& benchmark,
                                                   double seconds) const {
  std::int64_t calls = 1;
  if (benchmark.one_call) return calls;
  // A first call may load or look up what later calls reuse; timed, it would leave the
  // repetitions a call or two long.
  seconds_for(benchmark, calls);
  double taken = seconds_for(benchmark, calls);
  while (taken < seconds / 10) {
    calls *= 4;
    taken = seconds_for(benchmark, calls);
  }
  double per_call = taken / static_cast<double>(calls);
  return std::max<std::int64_t>(1, static_cast<std::int64_t>(seconds / per_call));
}

void InterleavedRuns::run(int repetitions, double seconds_per_repetition) {
  std::map<std::string, std::int64_t> calls;
  for (const Benchmark& benchmark : benchmarks_) {
    calls[benchmark.name] = calls_per_repetition(benchmark, seconds_per_repetition);
  }
  std::vector<const Benchmark*> order;
  for (const Benchmark& benchmark : benchmarks_) order.push_back(&benchmark);
  std::mt19937 random(std::random_device{}());
  for (int round = 0; round < repetitions; ++round) {
    std::shuffle(order.begin(), order.end(), random);
    for (const Benchmark* benchmark : order) {
      std::int64_t count = calls[benchmark->name];
      seconds_per_call_[benchmark->name].push_back(seconds_for(*benchmark, count) /
                                                   static_cast<double>(count));
    }
  }
}

const std::vector<double>& InterleavedRuns::seconds_per_call(const std::string& name) const {
  auto found = seconds_per_call_.find(name);
  if (found == seconds_per_call_.end() || found->second.empty()) {
    throw std::logic_error(name + " did not run");
  }
  return found->second;
}

double InterleavedRuns::median_seconds(const std::string& name) const {
  std::vector<double> times = seconds_per_call(name);
  auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
  std::nth_element(times.begin(), middle, times.end());
  return *middle;
}

}  // namespace tavrosk::bench
