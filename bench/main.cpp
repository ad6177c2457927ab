// Runs every benchmark with interleaved repetitions and prints the one table of ratios.
// `--windows-rows=FILE` adds the rows that the Windows benchmarks measured under Wine.
//
//   tavrosk_bench [--windows-rows=FILE] [benchmark flags]
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "bench_rows.h"

namespace {

using namespace tavrosk::bench;

constexpr std::string_view kWindowsRowsFlag = "--windows-rows=";

// Takes the flag out of the arguments; nothing when a named file cannot be read.
std::optional<WindowsRows> take_windows_rows(std::vector<char*>& args) {
  for (auto it = args.begin() + 1; it != args.end(); ++it) {
    std::string_view argument = *it;
    if (argument.substr(0, kWindowsRowsFlag.size()) != kWindowsRowsFlag) continue;
    std::string path(argument.substr(kWindowsRowsFlag.size()));
    args.erase(it);
    std::ifstream file(path);
    auto rows = file ? read_measured_rows(file) : std::nullopt;
    if (!rows || rows->empty()) {
      std::fprintf(stderr, "no Windows rows in %s\n", path.c_str());
      return std::nullopt;
    }
    return WindowsRows{std::move(*rows), {}};
  }
  auto target = [](double ratio) {
    char text[16];
    std::snprintf(text, sizeof text, "<= %.2fx", ratio);
    return std::string(text);
  };
  return WindowsRows{{},
                     {{kDispatchIdRow, target(kLateBoundTarget)},
                      {kScriptArgumentRow, target(kLateBoundTarget)},
                      {kRelayAcrossProcessesRow, "none set"},
                      {kRelayByHandRow, target(kRelayByHandTarget)},
                      {kRelayPageTextRow, target(kRelayPageTextTarget)},
                      {kRelayChangedPageTextRow, "none set"},
                      {kRelayPageTextByHandRow, "none set"},
                      {kScriptLoopRow, target(kScriptLoopTarget)},
                      {kScriptDispatchRow, "none set"}}};
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
