// The direct road through the real Zavoplex.dll: exports found by plain name with the system
// loader, stdcall arguments as the host sees them, and records filled across the boundary.
#include <windows.h>

#include <cstring>

#include "bridge/plugin_manager/exports.h"
#include "bridge/vb_plugin_lib.h"
#include "model/ide_model.h"
#include "platform/library_loader.h"
#include "records/page_info_record.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class DirectRoadThroughZavoplexDll : public WindowsTest {};

TEST_F(DirectRoadThroughZavoplexDll, TheLoaderFindsTheLinkedLibraryAndItsStdcallExports) {
  HMODULE linked = GetModuleHandleA("Zavoplex.dll");
  ASSERT_NE(linked, nullptr);
  EXPECT_EQ(platform::load_library(platform::plugin_manager_library_name()), linked);
  // Plain names for the library's callers; the decoration shows the export is stdcall with
  // one 32-bit slot per argument.
  for (auto [plain, decorated] :
       {std::pair{"Connect", "Connect@4"}, std::pair{"Disconnect", "Disconnect@0"},
        std::pair{"IsConnected", "IsConnected@0"}, std::pair{"GetPageInfo", "GetPageInfo@8"}}) {
    EXPECT_NE(platform::find_export(linked, plain), nullptr) << plain;
#if !defined(_WIN64)  // 64-bit Windows has one calling convention and no decoration
    EXPECT_EQ(platform::find_export(linked, plain), platform::find_export(linked, decorated))
        << plain;
#else
    (void)decorated;
#endif
  }
  EXPECT_EQ(platform::find_export(linked, "connect"), nullptr);
  EXPECT_EQ(platform::find_export(linked, "NoSuchExport"), nullptr);
}

TEST_F(DirectRoadThroughZavoplexDll, ArgumentsAndResultsCrossTheBoundaryUnchanged) {
  host::Win32IdeWindow ide_window;
  VB_PluginLib ide;
  std::vector<std::intptr_t> seen;
  host::ide_model().set_export_hook("Connect", [&](const std::vector<std::intptr_t>& arguments) {
    seen.push_back(arguments.at(0));
    return arguments.at(0) == -7 ? 0 : 2;
  });
  for (Long handle : {1312, -7, 0x7FFFFFFF}) ide.Connect(handle);
  EXPECT_EQ(seen, (std::vector<std::intptr_t>{1312, -7, 0x7FFFFFFF}));
  EXPECT_EQ(ide.Connect(5).value, kTrue);  // any non-zero is True
  EXPECT_EQ(ide.Connect(-7).value, kFalse);
  host::ide_model().clear_export_hook("Connect");
  EXPECT_EQ(ide.Connect(99).value, kTrue);
  EXPECT_EQ(ide.IsConnected().value, kTrue);
  EXPECT_EQ(host::ide_model().export_calls().back(), "IsConnected()");
  EXPECT_EQ(host::ide_model().locked([](host::IdeState& s) { return s.connected_window; }), 99);
}

TEST_F(DirectRoadThroughZavoplexDll, TheHostFillsAPageInformationRecordInOurMemory) {
  PageInfoRecord record{};
  std::memset(&record, 0x5A, sizeof record);
  char name[] = "c:\\projects\\blink\\MAIN.BAS";  // the host ignores letter case
  EXPECT_NE(plugin_manager::GetPageInfo(name, reinterpret_cast<std::uint8_t*>(&record)), 0);
  EXPECT_STREQ(record.FileName, "C:\\Projects\\Blink\\main.bas");
  EXPECT_STREQ(record.Device, "KX-A4550");
  EXPECT_EQ(record.PageSize, host::ide_model().locked([](host::IdeState& s) {
    return static_cast<std::int32_t>(s.pages.at(0).text.size());
  }));
  char missing[] = "C:\\nowhere.bas";
  EXPECT_EQ(plugin_manager::GetPageInfo(missing, reinterpret_cast<std::uint8_t*>(&record)), 0);
}

}  // namespace
}  // namespace tavrosk::testing
