#include <string>

#include "demo_sections.h"
#include "model/ide_model.h"
#include "platform/code_page.h"

namespace demo {

using tavrosk::Long;
using tavrosk::Text;

void editing_section(DemoContext& demo) {
  print_heading("Page editing, versions and line colours");
  const Text page = u"C:\\Projects\\Demo\\edit.bas";
  traced(demo, "SetPageNew(\"...\\edit.bas\")", [&] { return demo.ide.SetPageNew(page); });
  traced(demo, "SetPageText(two lines)",
         [&] { return demo.ide.SetPageText(u"Device = KXB0877\r\nHigh PORTB.0"); });
  traced(demo, "SetPageTextAt(1, 12, \"  ' led\")",
         [&] { return demo.ide.SetPageTextAt(1, 12, u"  ' led"); });
  traced(demo, "SetPageCursorPos(column 3, line 0)",
         [&] { return demo.ide.SetPageCursorPos(3, 0); });

  Long line = 0, column = 0;
  traced(demo, "GetPageCursorPos(line, column)",
         [&] { return demo.ide.GetPageCursorPos(line, column); });
  print_note("caret at line " + show(line) + ", column " + show(column));
  Long top = 0, shown = 0;
  traced(demo, "GetPageDisplayLines(top, shown)",
         [&] { return demo.ide.GetPageDisplayLines(top, shown); });
  print_note("top line " + show(top) + ", " + show(shown) + " lines shown");

  traced(demo, "SetPageLineColor(1, &HFFFF00, 0)",
         [&] { return demo.ide.SetPageLineColor(1, 0xFFFF00, 0); });
  Text name = page;
  traced(demo, "SetPageVersion(\"...\\edit.bas\", 1, 2, 3, 255)",
         [&] { return demo.ide.SetPageVersion(name, 1, 2, 3, 255); });
  traced(demo, "SetPageVersionEnabled(\"...\\edit.bas\", True)",
         [&] { return demo.ide.SetPageVersionEnabled(page, tavrosk::kTrue); });
  traced(demo, "SetPageSave(\"...\\edit.bas\")", [&] { return demo.ide.SetPageSave(page); });

  // What the IDE now holds for the page, as its editor shows it.
  tavrosk::host::ide_model().locked([&](tavrosk::host::IdeState& ide) {
    const tavrosk::host::Page* edited = ide.active();
    if (edited == nullptr) return;
    print_note("IDE page text: " + narrow(tavrosk::platform::from_ansi(edited->text)));
    print_note("version " + std::to_string(edited->version[0]) + "." +
               std::to_string(edited->version[1]) + "." + std::to_string(edited->version[2]) + "." +
               std::to_string(edited->version[3]) +
               (edited->version_enabled ? ", stamping on" : ", stamping off") + ", " +
               std::to_string(edited->line_colours.size()) + " coloured line");
  });
}

}  // namespace demo
