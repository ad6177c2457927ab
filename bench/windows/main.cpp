// The Windows rows of the benchmark table, measured under Wine: late binding against the
// vtable, a relay exchange across two processes against the direct road and against the same
// messages by hand, the largest relayed read against the same exchange by hand converted into a
// BSTR (and against parts of it), a script's loop against the same loop on the platform's
// dictionary object, and a script plug-in's start against the same start on that object. Writes the
// rows to ROWS_FILE, for the table that `make bench` prints, each named after HOW it ran ("native
// 32-bit", "emulated 32-bit" or "64-bit", as the runner found it), which must name this build's
// width.
//
//   tavrosk_windows_bench.exe ROWS_FILE HOW
#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "model/ide_model.h"
#include "relay_tool/win32_ide_window.h"
#include "windows_bench.h"

namespace tavrosk::bench {
namespace {

// Calls of a microsecond take batches of 50 ms. A relay exchange takes milliseconds and a
// relayed read of the largest page tens of them, and how quickly the other process is woken
// varies a lot on a shared machine: many short repetitions, each only a call or a few, keep the
// calls of subject and floor side by side, so that their medians agree from run to run.
constexpr int kLateBindingRepetitions = 31;
constexpr double kLateBindingSeconds = 0.05;
constexpr int kRelayRepetitions = 101;
constexpr double kRelaySeconds = 0.03;
// A script's start takes a good part of a second: a round is one start of each.
constexpr int kColdStartRounds = 31;

// Registers the classes of Tavrosk.dll as shipped, stripped, in shipped\ beside this program, as
// regsvr32 would; every benchmark then loads that file. It finds the IDE's library in the
// folder of this program, or of a script's process (run_script).
void register_server() {
  HMODULE server = LoadLibraryW((program_folder() + L"shipped\\Tavrosk.dll").c_str());
  if (server == nullptr) throw std::runtime_error("cannot load shipped\\Tavrosk.dll");
  auto register_classes = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void (*)()>(GetProcAddress(server, "DllRegisterServer")));
  if (register_classes == nullptr) throw std::runtime_error("Tavrosk.dll has no DllRegisterServer");
  check(register_classes(), "DllRegisterServer");
  FreeLibrary(server);
}

// The reference host logs every export call; a fresh IDE before each repetition keeps the log
// short over millions of calls.
void fresh_ide() {
  host::ide_model().reset();
}

std::vector<MeasuredRow> measure(InterleavedRuns& runs, const std::vector<RowPlan>& plans,
                                 int repetitions, double seconds_per_repetition) {
  runs.run(repetitions, seconds_per_repetition);
  std::vector<MeasuredRow> rows;
  for (const RowPlan& plan : plans) {
    try {
      rows.push_back(
          {plan.what, runs.median_seconds(plan.subject), runs.median_seconds(plan.floor),
           paired_ratios(runs.seconds_per_call(plan.subject), runs.seconds_per_call(plan.floor)),
           plan.target_ratio});
    } catch (const std::invalid_argument& failure) {
      throw std::runtime_error(plan.what + ": " + failure.what());
    }
  }
  return rows;
}

std::vector<MeasuredRow> run_all() {
  register_server();
  // Creating a VB_PluginLib looks for the IDE's window and would show a box without it.
  auto ide_window = std::make_unique<host::Win32IdeWindow>();
  _VB_PluginLib* ide = nullptr;
  check(CoCreateInstance(CLSID_VB_PluginLib, nullptr, CLSCTX_INPROC_SERVER, IID__VB_PluginLib,
                         reinterpret_cast<void**>(&ide)),
        "CoCreateInstance VB_PluginLib");
  std::unique_ptr<_VB_PluginLib, void (*)(_VB_PluginLib*)> owned(
      ide, [](_VB_PluginLib* object) { object->Release(); });

  InterleavedRuns late_binding(fresh_ide);
  std::vector<RowPlan> late_binding_rows;
  add_late_binding(late_binding, late_binding_rows, ide);
  std::vector<MeasuredRow> rows =
      measure(late_binding, late_binding_rows, kLateBindingRepetitions, kLateBindingSeconds);
  InterleavedRuns cold_start([] {});
  std::vector<RowPlan> cold_start_rows;
  add_cold_start(cold_start, cold_start_rows);
  std::vector<MeasuredRow> cold_starts = measure(cold_start, cold_start_rows, kColdStartRounds, 0);

  // Without an IDE window the script's Zavoplex.dll answers from its own model, in the script's
  // process, as the IDE's Zavoplex.dll answers a plug-in in the IDE's; and the relay program
  // answers from its own, so an exchange crosses exactly the two processes.
  ide_window.reset();
  std::vector<MeasuredRow> script_loops = measure_script_loops();
  RelayProgram relay;
  InterleavedRuns relay_exchange(fresh_ide);
  std::vector<RowPlan> relay_rows;
  add_relay_exchange(relay_exchange, relay_rows, ide);
  add_relay_floors(relay_exchange, relay_rows, ide);
  for (MeasuredRow& row : measure(relay_exchange, relay_rows, kRelayRepetitions, kRelaySeconds)) {
    rows.push_back(std::move(row));
  }
  for (MeasuredRow& row : script_loops) rows.push_back(std::move(row));
  for (MeasuredRow& row : cold_starts) rows.push_back(std::move(row));
  return rows;
}

// Each row says the width it was measured on, and how that width ran.
void name_by_width(std::vector<MeasuredRow>& rows, const std::string& how) {
  std::string width = std::to_string(8 * sizeof(void*)) + "-bit";
  if (how.find(width) == std::string::npos) {
    throw std::runtime_error("a " + width + " build cannot run as " + how);
  }
  for (MeasuredRow& row : rows) row.what = "Wine, " + how + ": " + row.what;
}

}  // namespace
}  // namespace tavrosk::bench

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tavrosk_windows_bench ROWS_FILE HOW\n");
    return 2;
  }
  if (FAILED(CoInitialize(nullptr))) return 1;
  int status = 0;
  try {
    std::vector<tavrosk::bench::MeasuredRow> rows = tavrosk::bench::run_all();
    tavrosk::bench::name_by_width(rows, argv[2]);
    std::ofstream out(argv[1], std::ios::binary);
    tavrosk::bench::write_measured_rows(out, rows);
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[1]);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "tavrosk_windows_bench: %s\n", failure.what());
    status = 1;
  }
  CoUninitialize();
  return status;
}
