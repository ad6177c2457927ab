// A small plug-in driving the reference Korvex host on both roads: first as inside the IDE
// (direct road, the plug-in manager library), then as under development (relay road, the
// relay tool), switched with DebugApp.
#include <cstdio>

#include "demo_sections.h"
#include "model/ide_model.h"

using namespace tavrosk;

int main() {
  host::SimIdeWindow ide_window;
  host::SimRelayTool relay;
  VB_PluginLib ide;
  demo::DemoContext context{ide, relay, static_cast<Long>(ide_window.window()), 0x51A0, false};

  std::printf("Tavrosk demo plug-in on the reference Korvex host\n");
  std::printf("\n#### Direct road: the plug-in manager library\n");
  for (auto section : demo::kSections) section(context);

  std::printf("\n#### Relay road: the relay tool \"Debug VB Application\"\n");
  host::ide_model().reset();  // the same IDE as the direct road started from
  context.relayed = true;
  demo::traced(context, "DebugApp(plug-in window, True)",
               [&] { return ide.DebugApp(context.plugin_window, kTrue); });
  for (auto section : demo::kSections) section(context);

  std::printf("\n#### Back to the direct road\n");
  demo::traced(context, "DebugApp(plug-in window, False)",
               [&] { return ide.DebugApp(context.plugin_window, kFalse); });
  demo::traced(context, "IsConnected()", [&] { return ide.IsConnected(); });
  return 0;
}
