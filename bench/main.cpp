// Runs every benchmark with interleaved repetitions and prints the one table of ratios.
// Each `--windows-rows=FILE` adds the rows that the Windows benchmarks of one width measured
// under Wine.
//
//   tavrosk_bench [--windows-rows=FILE]... [benchmark flags]
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "bench_rows.h"

namespace {

using namespace tavrosk::bench;

constexpr std::string_view kWindowsRowsFlag = "--windows-rows=";

// The Windows rows that the benchmarks would measure on each width, with their targets.
std::vector<Unmeasured> unmeasured_windows_rows() {
  auto target = [](double ratio) {
    char text[16];
    std::snprintf(text, sizeof text, "<= %.2fx", ratio);
    return std::string(text);
  };
  std::vector<Unmeasured> rows;
  for (const char* width : {"Wine, 32-bit: ", "Wine, 64-bit: "}) {
    for (const Unmeasured& row :
         std::vector<Unmeasured>{{kDispatchIdRow, target(kLateBoundTarget)},
                                 {kScriptArgumentRow, target(kLateBoundTarget)},
                                 {kRelayAcrossProcessesRow, "none set"},
                                 {kRelayByHandRow, target(kRelayByHandTarget)},
                                 {kRelayPageTextByHandRow, target(kRelayPageTextByHandTarget)},
                                 {kRelayPageTextFloorRow, "none set"},
                                 {kRelayPageTextRow, "none set"},
                                 {kRelayChangedPageTextRow, "none set"},
                                 {kScriptLoopRow, target(kScriptLoopTarget)},
                                 {kScriptDispatchRow, "none set"},
                                 {kColdStartRow, target(kColdStartTarget)}}) {
      rows.push_back({width + row.what, row.target});
    }
  }
  return rows;
}

// Takes the flags out of the arguments, one a width; nothing when a named file cannot be read.
std::optional<WindowsRows> take_windows_rows(std::vector<char*>& args) {
  WindowsRows windows_rows;
  for (auto it = args.begin() + 1; it != args.end();) {
    std::string_view argument = *it;
    if (argument.substr(0, kWindowsRowsFlag.size()) != kWindowsRowsFlag) {
      ++it;
      continue;
    }
    std::string path(argument.substr(kWindowsRowsFlag.size()));
    it = args.erase(it);
    std::ifstream file(path);
    auto rows = file ? read_measured_rows(file) : std::nullopt;
    if (!rows || rows->empty()) {
      std::fprintf(stderr, "no Windows rows in %s\n", path.c_str());
      return std::nullopt;
    }
    for (MeasuredRow& row : *rows) windows_rows.measured.push_back(std::move(row));
  }
  if (windows_rows.measured.empty()) windows_rows.unmeasured = unmeasured_windows_rows();
  return windows_rows;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> args(argv, argv + argc);
  std::optional<WindowsRows> windows_rows = take_windows_rows(args);
  if (!windows_rows) return 1;

  std::vector<Row> rows;
  add_direct_road(rows);
  add_relay_road(rows);
  add_reply_conversions(rows);

  // Repetitions of all benchmarks run in random order, so that a slow spell of the machine
  // falls on measured calls and floors alike.
  static char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());

  RatioTable table(std::move(rows), std::move(*windows_rows));
  benchmark::RunSpecifiedBenchmarks(&table);
  benchmark::Shutdown();
  return table.all_ran() ? 0 : 1;
}
