#include "demo_sections.h"

namespace demo {

void session_section(DemoContext& demo) {
  print_heading("Session");
  traced(demo, "IsConnected()", [&] { return demo.ide.IsConnected(); });
  traced(demo, "Connect(plug-in window)", [&] { return demo.ide.Connect(demo.plugin_window); });
  traced(demo, "IsConnected()", [&] { return demo.ide.IsConnected(); });
  traced(demo, "Disconnect()", [&] { return demo.ide.Disconnect(); });
  traced(demo, "IsConnected()", [&] { return demo.ide.IsConnected(); });
  // Later sections work on a connected IDE.
  traced(demo, "Connect(plug-in window)", [&] { return demo.ide.Connect(demo.plugin_window); });
}

}  // namespace demo
