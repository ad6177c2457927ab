#include "demo_sections.h"

namespace demo {

void ide_section(DemoContext& demo) {
  print_heading("IDE, compiler and programmers");
  traced(demo, "GetPathIDE()", [&] { return demo.ide.GetPathIDE(); });
  traced(demo, "GetPathPlugin()", [&] { return demo.ide.GetPathPlugin(); });
  traced(demo, "GetPathCompiler()", [&] { return demo.ide.GetPathCompiler(); });
  traced(demo, "SetForegroundWindow()", [&] { return demo.ide.SetForegroundWindow(); });

  auto count = demo.ide.GetProgrammerCount();
  print_call("GetProgrammerCount()", count);
  for (tavrosk::Long index = 0; index < count.value; ++index) {
    tavrosk::Text name;
    auto found = demo.ide.GetProgrammerByIndex(index, name);
    print_call("GetProgrammerByIndex(" + std::to_string(index) + ", name)", found);
    print_note("name " + show(name));
  }
  traced(demo, "GetProgrammer()", [&] { return demo.ide.GetProgrammer(); });
  traced(demo, "SetProgrammer(\"melabs\")", [&] { return demo.ide.SetProgrammer(u"melabs"); });
  traced(demo, "IsProgrammerAvailable()", [&] { return demo.ide.IsProgrammerAvailable(); });

  // Compile with the IDE locked against the user's edits, then program the device.
  traced(demo, "IDELock()", [&] { return demo.ide.IDELock(); });
  traced(demo, "ExecuteCompile()", [&] { return demo.ide.ExecuteCompile(); });
  traced(demo, "IDEUnlock()", [&] { return demo.ide.IDEUnlock(); });
  traced(demo, "ExecuteCompileAsync()", [&] { return demo.ide.ExecuteCompileAsync(); });
  traced(demo, "ExecuteProgram()", [&] { return demo.ide.ExecuteProgram(); });
  // Back to the programmer the IDE started with, for the next road.
  demo.ide.SetProgrammer(u"PICkit2");
}

}  // namespace demo
