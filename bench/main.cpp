// Runs every benchmark with interleaved repetitions and prints the one table of ratios.
#include <vector>

#include "bench_rows.h"

int main(int argc, char** argv) {
  using namespace tavrosk::bench;
  std::vector<Row> rows;
  add_direct_road(rows);
  add_relay_road(rows);
  add_reply_conversions(rows);
  std::vector<Unmeasured> windows_rows = {
      {"member through the vtable vs through IDispatch by dispatch id", "late-bound <= 3x"},
      {"member through IDispatch with by-reference coercion vs vtable", "late-bound <= 3x"},
      {"relay exchange across two processes vs the direct road", "none set"},
  };

  // Repetitions of all benchmarks run in random order, so that a slow spell of the machine
  // falls on measured calls and floors alike.
  std::vector<char*> args(argv, argv + argc);
  static char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());

  RatioTable table(std::move(rows), std::move(windows_rows));
  benchmark::RunSpecifiedBenchmarks(&table);
  benchmark::Shutdown();
  return table.all_ran() ? 0 : 1;
}
