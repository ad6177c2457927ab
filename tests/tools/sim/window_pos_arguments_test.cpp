// The fixed arguments of FormAlwaysOnTop's SetWindowPos, which only the simulated desktop
// records as they were passed.
#include "support/fixture.h"
#include "tools/plug_in_tools_lib.h"

namespace tavrosk::testing {
namespace {

class WindowPosArguments : public SimTest {};

TEST_F(WindowPosArguments, KeepPlaceAndSizeAndShowTheWindow) {
  TestWindow form(u"Plug-in A");
  PlugInToolsLib tools;
  tools.FormAlwaysOnTop(WindowArgument::handle(static_cast<Long>(form.handle())), kTrue);
  tools.FormAlwaysOnTop(WindowArgument::handle(static_cast<Long>(form.handle())), kFalse);
  auto calls = desktop().window_pos_calls();
  ASSERT_EQ(calls.size(), 2u);
  for (const auto& call : calls) {
    EXPECT_EQ(call.flags, 0x43u);
    EXPECT_EQ((std::vector<int>{call.x, call.y, call.cx, call.cy}), (std::vector<int>(4, 0)));
  }
}

}  // namespace
}  // namespace tavrosk::testing
