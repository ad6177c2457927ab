// The window services: finding a top-level window by its title, a window's first child, and
// reading a window's text.
#include "platform/window_services.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

using namespace platform;

using WindowServices = PlatformTest;

TEST_F(WindowServices, TitleSearchAndFirstChild) {
  TestWindow popup(u"Tavrosk test window");
  TestWindow child(u"child", popup.handle());
  EXPECT_EQ(find_top_level_window(u"TAVROSK TEST WINDOW"), popup.handle());
  EXPECT_EQ(find_top_level_window(u"Tavrosk test"), 0);  // the whole title only
  EXPECT_EQ(find_top_level_window(u"child"), 0);         // top-level windows only
  EXPECT_EQ(first_child_window(popup.handle()), child.handle());
  EXPECT_EQ(first_child_window(child.handle()), 0);
  char text[16] = {};
  EXPECT_EQ(
      send_message(child.handle(), kWmGetText, sizeof text, reinterpret_cast<std::intptr_t>(text)),
      5);
  EXPECT_STREQ(text, "child");
}

}  // namespace
}  // namespace tavrosk::testing
