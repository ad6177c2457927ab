#pragma once
// The Windows benchmarks: what main sets up for them, and the two families of measurements.
#include <windows.h>

#include <string>
#include <vector>

#include "interleaved_runs.h"
#include "measured_rows.h"
#include "relay_program.h"
#include "tavrosk.h"

namespace tavrosk::bench {

constexpr long kPluginWindow = 1312;

// A row before its run: the benchmark names of the measured call and of its floor.
struct RowPlan {
  std::string what;
  std::string subject;
  std::string floor;
  double target_ratio = 0;
};

// One call of a member through the vtable, through IDispatch by dispatch id, and through
// IDispatch with the argument a script passes for a variable.
void add_late_binding(InterleavedRuns& runs, std::vector<RowPlan>& rows, _VB_PluginLib* ide);

// One relay exchange with the relay program, a process of its own, against the direct road.
void add_relay_exchange(InterleavedRuns& runs, std::vector<RowPlan>& rows, _VB_PluginLib* ide);

// The relay road against its floors with the same relay program: the messages sent by hand,
// and the bare read of the largest page. Uses the relay exchange's benchmark of GetPageCount.
void add_relay_floors(InterleavedRuns& runs, std::vector<RowPlan>& rows, _VB_PluginLib* ide);

// A script's loop of IsConnected, and of a member that calls no export, against the same loop
// on Scripting.Dictionary, through cscript; needs the IDE window on this thread.
std::vector<MeasuredRow> measure_script_loops();

// What a script plug-in pays to start: one-line scripts through cscript, whole processes, on
// Tavrosk's PlugInToolsLib against the platform's Scripting.Dictionary; needs the IDE window on
// this thread.
void add_cold_start(InterleavedRuns& runs, std::vector<RowPlan>& rows);

// Runs cscript on a script of bench/windows/scripts with the arguments, pumping this thread's
// messages meanwhile, in this program's folder; fails unless the script ends well within five
// minutes in a script host of this program's width. What it printed.
std::string run_script(const std::wstring& script, const std::wstring& arguments);

// Fails with a message naming the call when `hr` is not S_OK.
void check(HRESULT hr, const char* call);
// Switches this thread's road through DebugApp; fails when the relay program does not answer.
void set_relay_road(_VB_PluginLib* ide, bool on);

}  // namespace tavrosk::bench
