// The direct road through the real Zavoplex.dll: exports found by plain name with the system
// loader, stdcall with one slot per argument on 32 bits, arguments as the host sees them, and
// records filled across the boundary.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "bridge/plugin_manager/export_signature.h"
#include "bridge/plugin_manager/exports.h"
#include "bridge/vb_plugin_lib.h"
#include "model/ide_model.h"
#include "platform/library_loader.h"
#include "records/page_info_record.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class DirectRoadThroughZavoplexDll : public WindowsTest {};

using plugin_manager::kListedExports;
using plugin_manager::ListedExport;

#if defined(__i386__)
// Pushes `slots` copies of `value`, calls `function` and tells how many bytes of them are
// still on the stack afterwards: none when it is stdcall and takes exactly that many slots.
std::uint32_t bytes_left_on_stack(void* function, std::uint32_t slots, std::uint32_t value) {
  std::uint32_t left = 0;
  asm volatile(
      "movl %%esp, %%esi\n\t"
      "1:\n\t"
      "testl %%edi, %%edi\n\t"
      "jz 2f\n\t"
      "pushl %%edx\n\t"
      "decl %%edi\n\t"
      "jmp 1b\n\t"
      "2:\n\t"
      "call *%%ebx\n\t"
      "movl %%esi, %%eax\n\t"
      "subl %%esp, %%eax\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(left), "+D"(slots), "+d"(value)
      : "b"(function)
      : "ecx", "esi", "memory", "cc");
  return left;
}
#endif

TEST_F(DirectRoadThroughZavoplexDll, EveryExportIsFoundByItsPlainNameAndTakesOneSlotPerArgument) {
  HMODULE linked = GetModuleHandleA("Zavoplex.dll");
  ASSERT_NE(linked, nullptr);
  EXPECT_EQ(platform::load_library(platform::plugin_manager_library_name()), linked);
  for (const ListedExport& listed : kListedExports) {
    void* address = platform::find_export(linked, listed.name);
    ASSERT_NE(address, nullptr) << listed.name;
#if defined(__i386__)
    // Every pointer argument points here: empty texts, a record that may be written.
    alignas(8) static char scratch[4096] = {};
    // The hook keeps the export from acting on arguments that are all the same address.
    host::ide_model().set_export_hook(listed.name, [](const auto&) { return 0; });
    EXPECT_EQ(bytes_left_on_stack(address, listed.slots, reinterpret_cast<std::uint32_t>(scratch)),
              0u)
        << listed.name << " is not stdcall with " << listed.slots << " slots";
    host::ide_model().clear_export_hook(listed.name);
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
