// The demo's section on the information of the programmers and on the plug-in tools.
#include <string>
#include <vector>

#include "bridge/prog_info_lib.h"
#include "demo_sections.h"
#include "model/ide_model.h"
#include "platform/code_page.h"
#include "platform/sim/file_system.h"
#include "tools/plug_in_tools_lib.h"

namespace demo {
namespace {

using tavrosk::Text;

// The programmers' names as the IDE keeps them.
std::vector<Text> programmer_names() {
  return tavrosk::host::ide_model().locked([](tavrosk::host::IdeState& ide) {
    std::vector<Text> names;
    for (const auto& programmer : ide.programmers) {
      names.push_back(tavrosk::platform::from_ansi(programmer.name));
    }
    return names;
  });
}

void programmers(DemoContext& demo) {
  tavrosk::ProgInfoLib info;
  for (Text name : programmer_names()) {
    traced(demo, "GetProgrammerInfo(" + narrow(name) + ")",
           [&] { return info.GetProgrammerInfo(name); });
    traced(demo, "  Path()", [&] { return info.Path(); });
    traced(demo, "  FileName()", [&] { return info.FileName(); });
    traced(demo, "  Params()", [&] { return info.Params(); });
    traced(demo, "  ParamsBound()", [&] { return info.ParamsBound(); });
    traced(demo, "  HookFilename()", [&] { return info.HookFilename(); });
  }
}

void lines(tavrosk::PlugInToolsLib& tools) {
  Text text = u"Device = K18\r\nHigh Led\r\n\r\nEnd";
  tavrosk::VectorStringArray array;
  const std::string call = "Parse_GetLinesArray(" + narrow(text) + ")";
  print_call(call, tools.Parse_GetLinesArray(text, array));
  for (std::size_t i = 0; i < array.elements().size(); ++i) {
    std::printf("     line %zu: %s\n", i, show(array.elements()[i]).c_str());
  }
  print_note("the text now reads " + show(text));
}

void folders(tavrosk::PlugInToolsLib& tools) {
  // A temporary folder of its own on the simulated file system.
  auto& files = tavrosk::sim::file_system();
  files.reset();
  files.add_drive('C');
  files.add_directory("C:\\Temp");
  const Text path = u"C:\\Temp\\Tavrosk\\Plugin\\Cache";
  print_call("PathExists(" + narrow(path) + ")", tools.PathExists(path));
  print_call("CreatePath(" + narrow(path) + ")", tools.CreatePath(path));
  for (const auto& created : files.created_directories()) print_note("created " + created);
  print_call("PathExists(" + narrow(path) + "\\)", tools.PathExists(path + u"\\"));
  print_call("FileExists(C:\\Temp\\Tavrosk\\*.*)", tools.FileExists(u"C:\\Temp\\Tavrosk\\*.*"));
  print_call("CreatePath(C:\\Temp)", tools.CreatePath(u"C:\\Temp"));
}

}  // namespace

void tools_section(DemoContext& demo) {
  print_heading("Programmer information");
  programmers(demo);

  print_heading("Plug-in tools (local on both roads)");
  tavrosk::PlugInToolsLib tools;
  print_call("IsKorvexIdeRunning()", tools.IsKorvexIdeRunning());
  lines(tools);
  folders(tools);
}

}  // namespace demo
