// A real RichEdit control and the word-wrap message that RichTextBoxWordWrap sends.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/window_services.h"

namespace tavrosk::platform {
namespace {

TEST(RealWindows, RichEditAcceptsTheWordWrapMessage) {
  ASSERT_NE(LoadLibraryA("riched20.dll"), nullptr);
  HWND popup = CreateWindowExW(0, L"STATIC", L"Tavrosk test window", WS_POPUP | WS_VISIBLE, 0, 0,
                               50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND rich = CreateWindowExW(0, L"RichEdit20W", L"", WS_CHILD | ES_MULTILINE, 0, 0, 40, 40, popup,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(rich, nullptr);
  // Line width 0 wraps at the window's edge, 1 switches wrapping off; both succeed.
  EXPECT_NE(send_message(reinterpret_cast<WindowHandle>(rich), kEmSetTargetDevice, 0, 0), 0);
  EXPECT_NE(send_message(reinterpret_cast<WindowHandle>(rich), kEmSetTargetDevice, 0, 1), 0);
  DestroyWindow(popup);
}

}  // namespace
}  // namespace tavrosk::platform
