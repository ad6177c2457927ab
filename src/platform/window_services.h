#pragma once
// Window services that the bridge, the relay channel and the tools call.
#include <cstdint>
#include <string_view>

namespace tavrosk::platform {

using WindowHandle = std::intptr_t;  // an HWND; 0 is no window

constexpr std::uint32_t kWmGetText = 13;
constexpr std::uint32_t kWmSetText = 12;
constexpr std::uint32_t kWmCopyData = 0x4A;
constexpr std::uint32_t kEmSetTargetDevice = 1096;

constexpr WindowHandle kHwndTopmost = -1;
constexpr WindowHandle kHwndNoTopmost = -2;
constexpr std::uint32_t kSwpNoSize = 0x1;
constexpr std::uint32_t kSwpNoMove = 0x2;
constexpr std::uint32_t kSwpShowWindow = 0x40;

// The system's copy-data record, laid out as COPYDATASTRUCT.
struct CopyDataRecord {
  std::uintptr_t dwData;
  std::uint32_t cbData;
  const void* lpData;
};

// A top-level window whose whole title is `title`, letter case ignored; 0 when there is none.
WindowHandle find_top_level_window(std::u16string_view title);
// The first child of `parent` as the system enumerates them; 0 when it has none.
WindowHandle first_child_window(WindowHandle parent);
// Sends a message and waits for its result. lParam may point at caller memory (WM_GETTEXT
// buffer, CopyDataRecord); the system carries it to the window.
std::intptr_t send_message(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                           std::intptr_t lparam);
// Whether the window belongs to the calling process. Such a window's procedure is handed the
// sender's own buffer, and may write all of it whatever count it returns; the system copies
// back to another process only the count it returns and a NUL.
bool window_in_this_process(WindowHandle window);
bool set_window_pos(WindowHandle window, WindowHandle insert_after, int x, int y, int cx, int cy,
                    std::uint32_t flags);

}  // namespace tavrosk::platform
