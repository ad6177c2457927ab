#pragma once
// The soak's samples of its process, and the table that shows their growth.
#include <cstdint>
#include <vector>

#include "support/win32/process_counters.h"

namespace tavrosk::soak {

struct Sample {
  std::int64_t direct_calls = 0;
  std::int64_t relay_exchanges = 0;
  double seconds = 0;
  testing::ProcessCounters counters;
};

// Prints the samples and the growth of each counter from the first to the last; true when
// every counted growth is at most `bound` (0.01 for 1%).
bool print_growth_table(const std::vector<Sample>& samples, double bound);

}  // namespace tavrosk::soak
