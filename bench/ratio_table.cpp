#include "ratio_table.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <thread>

namespace tavrosk::bench {
namespace {

constexpr int kWhatWidth = 110;

std::string cpu_model() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  for (std::string line; std::getline(cpuinfo, line);) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown";
}

// The machine's load while the table is printed: the machine is shared, and ratios measured
// side by side still move with it.
std::string load_average() {
  std::ifstream loadavg("/proc/loadavg");
  std::string one, five, fifteen;
  if (!(loadavg >> one >> five >> fifteen)) return "unknown";
  return one + " " + five + " " + fifteen;
}

std::string format(const char* pattern, double value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

// The median ratio that a target allows at the floor's median time.
double allowed_ratio(const Target& target, double floor_seconds) {
  return target.ratio + target.nanoseconds * 1e-9 / floor_seconds;
}

std::string describe(const Target& target, double floor_seconds) {
  switch (target.kind) {
    case Target::Kind::kRatio:
      return format("<= %.2fx", target.ratio);
    case Target::Kind::kRatioPlusNanoseconds:
      return format("<= %.1fx", target.ratio) + format(" + %.0f ns", target.nanoseconds) +
             format(" (%.2fx here)", allowed_ratio(target, floor_seconds));
    case Target::Kind::kRate:
    case Target::Kind::kNone:
      break;
  }
  return "none set";
}

std::string spread(const RatioSpread& ratio) {
  return format("%.2fx", ratio.lower_quartile) + format(" - %.2fx", ratio.upper_quartile);
}

std::string result(const Target& target, const RatioSpread& ratio, double floor_seconds) {
  if (target.kind == Target::Kind::kNone) return "reported";
  return ratio.median <= allowed_ratio(target, floor_seconds) ? "met" : "not met";
}

void print_row(const std::string& what, const std::string& ratio, const std::string& quartiles,
               const std::string& target, const std::string& result) {
  std::printf("| %-*s | %-18s | %-21s | %-30s | %-37s |\n", kWhatWidth, what.c_str(), ratio.c_str(),
              quartiles.c_str(), target.c_str(), result.c_str());
}

}  // namespace

RatioTable::RatioTable(std::vector<Row> rows, WindowsRows windows_rows)
    : rows_(std::move(rows)), windows_rows_(std::move(windows_rows)) {}

bool RatioTable::ReportContext(const Context&) {
  return true;
}

void RatioTable::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
    if (run.error_occurred) {
      std::fprintf(stderr, "%s: %s\n", run.benchmark_name().c_str(), run.error_message.c_str());
      all_ran_ = false;
      continue;
    }
    // CPU time: on a shared machine it leaves out the time spent waiting for a core.
    seconds_per_iteration_[run.run_name.function_name].push_back(
        run.cpu_accumulated_time / static_cast<double>(run.iterations));
    ++repetitions_seen_;
  }
}

double RatioTable::median_seconds(const std::string& name) const {
  auto it = seconds_per_iteration_.find(name);
  if (it == seconds_per_iteration_.end() || it->second.empty()) return 0;
  std::vector<double> times = it->second;
  std::nth_element(times.begin(), times.begin() + static_cast<long>(times.size() / 2), times.end());
  return times[times.size() / 2];
}

void RatioTable::Finalize() {
  std::printf(
      "\nTavrosk benchmarks: %u cores, %s, load average %s; CPU time per call over interleaved "
      "repetitions (%d runs);\nrows marked Wine: the Windows build of the width named under Wine, "
      "wall time per call;\nratio: the median of the ratios of the repetitions taken in pairs, "
      "quartiles: those at the lower and upper quartile\n\n",
      std::thread::hardware_concurrency(), cpu_model().c_str(), load_average().c_str(),
      repetitions_seen_);
  print_row("measurement (against its floor)", "ratio", "quartiles", "target", "result");
  std::printf("|%s|%s|%s|%s|%s|\n", std::string(kWhatWidth + 2, '-').c_str(),
              std::string(20, '-').c_str(), std::string(23, '-').c_str(),
              std::string(32, '-').c_str(), std::string(39, '-').c_str());
  for (const Row& row : rows_) {
    double subject = median_seconds(row.subject);
    double floor = row.floor.empty() ? 1 : median_seconds(row.floor);
    if (subject <= 0 || floor <= 0) {
      print_row(row.what, "did not run", "-", describe(row.target, 1), "not met");
      all_ran_ = false;
      continue;
    }
    if (row.target.kind == Target::Kind::kRate) {
      print_row(row.what, format("%.2f M calls/s", 1e-6 / subject), "-", "none set", "reported");
      continue;
    }
    RatioSpread ratio =
        paired_ratios(seconds_per_iteration_.at(row.subject), seconds_per_iteration_.at(row.floor));
    print_row(row.what, format("%.2fx", ratio.median), spread(ratio), describe(row.target, floor),
              result(row.target, ratio, floor));
  }
  for (const MeasuredRow& row : windows_rows_.measured) {
    Target target;
    if (row.target_ratio > 0) target = {Target::Kind::kRatio, row.target_ratio, 0};
    print_row(row.what, format("%.2fx", row.ratio.median), spread(row.ratio),
              describe(target, row.floor_seconds), result(target, row.ratio, row.floor_seconds));
  }
  for (const Unmeasured& row : windows_rows_.unmeasured) {
    print_row(row.what, "-", "-", row.target, "not measured (needs the Windows tier)");
  }
  std::printf("\n");
}

}  // namespace tavrosk::bench
