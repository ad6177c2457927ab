// Whatever fails inside an export of the plug-in manager library stays there: the export
// answers 0, its failure, and the IDE's process goes on. On 32-bit Windows an exception that
// left the library, or crossed from a test's hook into it, would end the process.
#include <functional>
#include <new>
#include <stdexcept>

#include "bridge/plugin_manager/exports.h"
#include "model/ide_model.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

namespace pm = plugin_manager;

// What the host's modules share in a process cannot throw at all.
static_assert(noexcept(host::ide_model()));
static_assert(noexcept(host::ide_windows_made()));
static_assert(noexcept(host::count_ide_window_made()));

class ExportFailures : public PlatformTest {};

TEST_F(ExportFailures, AHookThatThrowsAnswersZeroAndTheNextCallIsServed) {
  const std::function<void()> failures[] = {
      [] { throw std::bad_alloc(); }, [] { throw std::runtime_error("hook"); }, [] { throw 7; }};
  for (const auto& fail : failures) {
    host::ide_model().set_export_hook("GetPageCount", [&](const auto&) -> std::int32_t {
      fail();
      return 5;
    });
    EXPECT_EQ(pm::GetPageCount(), 0);
    host::ide_model().clear_export_hook("GetPageCount");
    EXPECT_EQ(pm::GetPageCount(), 2);  // the fresh IDE's two pages
  }
  EXPECT_EQ(host::ide_model().export_calls().size(), 6u);  // the failed calls were logged too
}

TEST_F(ExportFailures, AFailedExportLeavesItsBufferAsItWas) {
  host::ide_model().set_export_hook("GetPathIDE",
                                    [](const auto&) -> std::int32_t { throw std::bad_alloc(); });
  char buffer[8] = "#######";
  EXPECT_EQ(pm::GetPathIDE(buffer, 8), 0);
  EXPECT_STREQ(buffer, "#######");
}

}  // namespace
}  // namespace tavrosk::testing
