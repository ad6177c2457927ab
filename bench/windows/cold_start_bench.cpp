// What a script plug-in pays each time it starts: cscript running a one-line plug-in that
// creates a PlugInToolsLib and asks IsKorvexIdeRunning (loading Tavrosk.dll and its type
// library, creating the object, the first call), against the same line on the platform's own
// Scripting.Dictionary; each run a whole process, the two in a new random order each round.
#include <stdexcept>
#include <string>

#include "windows_bench.h"

namespace tavrosk::bench {
namespace {

// Runs the one-line script and checks what it printed, the answer as a number.
void start_plug_in(const wchar_t* script, const std::string& answer) {
  std::string output = run_script(script, L"");
  if (output.rfind(answer + "\r\n", 0) != 0 && output != answer + "\n") {
    throw std::runtime_error(std::string("the one-line plug-in printed: ") + output);
  }
}

}  // namespace

void add_cold_start(InterleavedRuns& runs, std::vector<RowPlan>& rows) {
  // The IDE's window is open, as when the IDE starts a plug-in.
  auto tools = [] { start_plug_in(L"start_tools.vbs", "-1"); };
  auto dictionary = [] { start_plug_in(L"start_dictionary.vbs", "0"); };
  // Once each untimed: the first start in a fresh prefix also fills the system's caches.
  tools();
  dictionary();
  runs.add({"start/PlugInToolsLib", [=](std::int64_t) { tools(); }, [] {}, [] {}, true});
  runs.add({"start/Scripting.Dictionary", [=](std::int64_t) { dictionary(); }, [] {}, [] {}, true});
  rows.push_back(
      {kColdStartRow, "start/PlugInToolsLib", "start/Scripting.Dictionary", kColdStartTarget});
}

}  // namespace tavrosk::bench
