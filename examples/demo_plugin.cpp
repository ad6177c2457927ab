// A small plug-in driving the reference Korvex host on both roads: first in the IDE (direct
// road, the plug-in manager library), then as under development (relay road, the relay tool).
#include <cstdio>

#include "bridge/vb_plugin_lib.h"
#include "demo_output.h"
#include "sim_relay_tool.h"

using namespace tavrosk;

namespace {

constexpr Long kPluginWindow = 0x51A0;

// Runs one call on the relay tool and prints the lines it received meanwhile.
template <class Call>
void traced(host::SimRelayTool& relay, const char* text, Call&& call) {
  relay.clear_received();
  demo::print_call(text, call());
  for (const auto& line : relay.lines()) demo::print_relay_line(line);
}

void session_calls(VB_PluginLib& ide, host::SimRelayTool& relay, Long ide_window) {
  traced(relay, "IsConnected()", [&] { return ide.IsConnected(); });
  traced(relay, "Connect(IDE window)", [&] { return ide.Connect(ide_window); });
  traced(relay, "IsConnected()", [&] { return ide.IsConnected(); });
  traced(relay, "Disconnect()", [&] { return ide.Disconnect(); });
  traced(relay, "IsConnected()", [&] { return ide.IsConnected(); });
}

}  // namespace

int main() {
  host::SimIdeWindow ide_window;
  host::SimRelayTool relay;
  VB_PluginLib ide;

  std::printf("Tavrosk demo plug-in on the reference Korvex host\n");
  demo::print_heading("Direct road: the plug-in manager library");
  session_calls(ide, relay, static_cast<Long>(ide_window.window()));

  demo::print_heading("Relay road: switched on with DebugApp");
  traced(relay, "DebugApp(plug-in window, True)", [&] { return ide.DebugApp(kPluginWindow, kTrue); });
  session_calls(ide, relay, kPluginWindow);

  demo::print_heading("Back to the direct road");
  traced(relay, "DebugApp(plug-in window, False)",
         [&] { return ide.DebugApp(kPluginWindow, kFalse); });
  traced(relay, "IsConnected()", [&] { return ide.IsConnected(); });
  return 0;
}
