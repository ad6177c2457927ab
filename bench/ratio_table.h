#pragma once
// The rows of the benchmark table. Each row names a measured benchmark and its floor, both run
// in the same process with interleaved repetitions; the row shows the median ratio of their
// repetitions taken in pairs with its quartiles (ratio_spread.h), and whether the median meets
// the row's target.
#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "measured_rows.h"
#include "ratio_spread.h"

namespace tavrosk::bench {

struct Target {
  enum class Kind { kNone, kRatio, kRatioPlusNanoseconds, kRate };
  Kind kind = Kind::kNone;
  double ratio = 0;        // at most this many times the floor
  double nanoseconds = 0;  // plus this much, for kRatioPlusNanoseconds
};

struct Row {
  std::string what;
  std::string subject;  // benchmark name of the measured call
  std::string floor;    // benchmark name of its floor; empty for a rate in calls per second
  Target target;
};

// Rows of the Windows benchmarks when they were not run, with the target they would have.
struct Unmeasured {
  std::string what;
  std::string target;
};

// The rows that the Windows benchmarks measured under Wine, or those left unmeasured.
struct WindowsRows {
  std::vector<MeasuredRow> measured;
  std::vector<Unmeasured> unmeasured;
};

// Collects every repetition's time per iteration and prints the table when the run ends.
class RatioTable : public benchmark::BenchmarkReporter {
 public:
  RatioTable(std::vector<Row> rows, WindowsRows windows_rows);
  bool ReportContext(const Context& context) override;
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;
  // False when a benchmark failed or did not run; a target not met is only reported.
  bool all_ran() const { return all_ran_; }

 private:
  double median_seconds(const std::string& name) const;

  std::vector<Row> rows_;
  WindowsRows windows_rows_;
  std::map<std::string, std::vector<double>> seconds_per_iteration_;
  int repetitions_seen_ = 0;
  bool all_ran_ = true;
};

}  // namespace tavrosk::bench
