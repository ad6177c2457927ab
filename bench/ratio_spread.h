#pragma once
// How a measured call compares with its floor over their repetitions: the repetitions are taken
// in pairs, the measured call's i-th with the floor's i-th (where the runs go in rounds, the two
// of one round, which met the same spell of the machine), and each pair gives one ratio. The
// row shows the median of those ratios and, as the spread that tells how far one run can be
// trusted, the ratios at the lower and upper quartiles.
#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavrosk::bench {

struct RatioSpread {
  double median = 0;
  double lower_quartile = 0;
  double upper_quartile = 0;
};

// The value at `fraction` of the way through sorted values, between neighbours linearly.
inline double quantile(const std::vector<double>& sorted, double fraction) {
  double position = fraction * static_cast<double>(sorted.size() - 1);
  auto below = static_cast<std::size_t>(position);
  if (below + 1 >= sorted.size()) return sorted.back();
  double share = position - static_cast<double>(below);
  return sorted[below] + share * (sorted[below + 1] - sorted[below]);
}

// Fails when either has no repetition or a time that is not above zero; pairs as many
// repetitions as both have.
inline RatioSpread paired_ratios(const std::vector<double>& subject,
                                 const std::vector<double>& floor) {
  std::size_t pairs = std::min(subject.size(), floor.size());
  std::vector<double> ratios;
  for (std::size_t i = 0; i < pairs; ++i) {
    if (!(subject[i] > 0 && floor[i] > 0)) {
      throw std::invalid_argument("a time of zero in repetition " + std::to_string(i) + ": " +
                                  std::to_string(subject[i]) + " and " + std::to_string(floor[i]));
    }
    ratios.push_back(subject[i] / floor[i]);
  }
  if (ratios.empty()) throw std::invalid_argument("no repetitions");
  std::sort(ratios.begin(), ratios.end());
  return {quantile(ratios, 0.5), quantile(ratios, 0.25), quantile(ratios, 0.75)};
}

}  // namespace tavrosk::bench
