#include "bridge/page_info_lib.h"
#include "demo_sections.h"

namespace demo {

void pages_section(DemoContext& demo) {
  print_heading("Pages and their information");
  tavrosk::PageInfoLib info;
  auto count = demo.ide.GetPageCount();
  print_call("GetPageCount()", count);
  for (tavrosk::Long index = 0; index < count.value; ++index) {
    tavrosk::Text page;
    print_call("GetPageByIndex(" + std::to_string(index) + ", page)",
               demo.ide.GetPageByIndex(index, page));
    print_call("PageInfo.GetPageInfo(" + show(page) + ")", info.GetPageInfo(page));
    print_call("  DisplayName()", info.DisplayName());
    print_call("  Device()", info.Device());
    print_call("  FilenameHEX()", info.FilenameHEX());
    print_call("  Modified()", info.Modified());
    print_call("  PageSize()", info.PageSize());
    print_call("  PageSizeRTF()", info.PageSizeRTF());
    auto includes = demo.ide.GetPageIncludeCount(page);
    print_call("  GetPageIncludeCount(page)", includes);
    for (tavrosk::Long include = 0; include < includes.value; ++include) {
      tavrosk::Text name;
      print_call("  GetPageIncludeByIndex(page, " + std::to_string(include) + ", name)",
                 demo.ide.GetPageIncludeByIndex(page, include, name));
      print_note("include " + show(name));
    }
  }

  print_heading("Reading the active page");
  traced(demo, "GetPage()", [&] { return demo.ide.GetPage(); });
  traced(demo, "GetPageText()", [&] { return demo.ide.GetPageText(); });
  traced(demo, "GetPageText(10)", [&] { return demo.ide.GetPageText(10); });
  traced(demo, "GetPageTextRTF()", [&] { return demo.ide.GetPageTextRTF(); });
  traced(demo, "GetPageSelectedText()", [&] { return demo.ide.GetPageSelectedText(); });
  traced(demo, "SetPage(util.bas)",
         [&] { return demo.ide.SetPage(u"C:\\Projects\\Blink\\util.bas"); });
  traced(demo, "GetPageText()", [&] { return demo.ide.GetPageText(); });
  traced(demo, "SetPage(main.bas)",
         [&] { return demo.ide.SetPage(u"C:\\Projects\\Blink\\main.bas"); });
}

}  // namespace demo
