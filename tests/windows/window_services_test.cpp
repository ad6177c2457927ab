// Window services and the code page on the real system.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/code_page.h"
#include "platform/window_services.h"

namespace tavrosk::platform {
namespace {

struct PopupWindow {
  HWND window = CreateWindowExW(0, L"STATIC", L"Tavrosk test window", WS_POPUP | WS_VISIBLE, 0, 0,
                                50, 50, nullptr, nullptr, nullptr, nullptr);
  ~PopupWindow() { DestroyWindow(window); }
  WindowHandle handle() const { return reinterpret_cast<WindowHandle>(window); }
  bool topmost() const { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
};

TEST(RealWindows, SetWindowPosMovesAWindowIntoTheTopmostBandAndOutAgain) {
  PopupWindow popup;
  ASSERT_NE(popup.window, nullptr);
  ASSERT_FALSE(popup.topmost());
  RECT before{};
  GetWindowRect(popup.window, &before);
  EXPECT_TRUE(set_window_pos(popup.handle(), kHwndTopmost, 300, 300, 1, 1,
                             kSwpNoMove | kSwpNoSize | kSwpShowWindow));
  EXPECT_TRUE(popup.topmost());
  RECT after{};
  GetWindowRect(popup.window, &after);
  EXPECT_EQ(after.left, before.left);  // no move, no size
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_TRUE(set_window_pos(popup.handle(), kHwndNoTopmost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize));
  EXPECT_FALSE(popup.topmost());
  EXPECT_FALSE(set_window_pos(0, kHwndTopmost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize));
}

TEST(RealWindows, TitleSearchAndFirstChild) {
  PopupWindow popup;
  HWND child = CreateWindowExW(0, L"STATIC", L"child", WS_CHILD, 0, 0, 5, 5, popup.window, nullptr,
                               nullptr, nullptr);
  EXPECT_EQ(find_top_level_window(u"TAVROSK TEST WINDOW"), popup.handle());
  EXPECT_EQ(find_top_level_window(u"Tavrosk test"), 0);  // the whole title only
  EXPECT_EQ(find_top_level_window(u"child"), 0);         // top-level windows only
  EXPECT_EQ(first_child_window(popup.handle()), reinterpret_cast<WindowHandle>(child));
  EXPECT_EQ(first_child_window(reinterpret_cast<WindowHandle>(child)), 0);
  char text[16] = {};
  EXPECT_EQ(send_message(reinterpret_cast<WindowHandle>(child), kWmGetText, sizeof text,
                         reinterpret_cast<std::intptr_t>(text)),
            5);
  EXPECT_STREQ(text, "child");
}

TEST(RealWindows, RichEditAcceptsTheWordWrapMessage) {
  ASSERT_NE(LoadLibraryA("riched20.dll"), nullptr);
  PopupWindow popup;
  HWND rich = CreateWindowExW(0, L"RichEdit20W", L"", WS_CHILD | ES_MULTILINE, 0, 0, 40, 40,
                              popup.window, nullptr, nullptr, nullptr);
  ASSERT_NE(rich, nullptr);
  // Line width 0 wraps at the window's edge, 1 switches wrapping off; both succeed.
  EXPECT_NE(send_message(reinterpret_cast<WindowHandle>(rich), kEmSetTargetDevice, 0, 0), 0);
  EXPECT_NE(send_message(reinterpret_cast<WindowHandle>(rich), kEmSetTargetDevice, 0, 1), 0);
}

TEST(RealCodePage, TheAnsiCodePageHoldsOneByteACharacter) {
  CPINFO info{};
  ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
  ASSERT_EQ(info.MaxCharSize, 1u) << "code page " << GetACP();
  std::u16string text = u"Caf\u00e9 \u20ac";
  std::string bytes = to_ansi(text);
  EXPECT_EQ(bytes.size(), text.size());
  EXPECT_EQ(from_ansi(bytes), text);
  EXPECT_EQ(to_ansi(u"\u4e2d"), "?");  // not in the code page: its default character
  EXPECT_EQ(from_ansi(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(to_ansi(u""), "");
}

}  // namespace
}  // namespace tavrosk::platform
