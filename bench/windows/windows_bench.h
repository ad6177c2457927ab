#pragma once
// The Windows benchmarks: what main sets up for them, and the two families of measurements.
#include <windows.h>

#include <string>
#include <vector>

#include "interleaved_runs.h"
#include "measured_rows.h"
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

// The folder of this program, where Tavrosk.dll, Zavoplex.dll and the relay program lie.
std::wstring program_folder();

// Fails with a message naming the call when `hr` is not S_OK.
void check(HRESULT hr, const char* call);

// The reference relay program, started for the lifetime of this object.
class RelayProgram {
 public:
  RelayProgram();
  ~RelayProgram();
  RelayProgram(const RelayProgram&) = delete;
  RelayProgram& operator=(const RelayProgram&) = delete;

 private:
  PROCESS_INFORMATION process_{};
};

}  // namespace tavrosk::bench
