// PlugInToolsLib: the window members.
#include "base/ide_window.h"
#include "platform/window_services.h"
#include "tools/plug_in_tools_lib.h"

namespace tavrosk {
namespace {

// Keeps the window's place and size and shows it.
constexpr std::uint32_t kZOrderOnlyFlags =
    platform::kSwpNoSize | platform::kSwpNoMove | platform::kSwpShowWindow;

// Resolving the handle may fail; the caller changes its state only after this returns.
void place_window(const WindowArgument& window, platform::WindowHandle insert_after) {
  platform::WindowHandle handle = window.window_handle();
  platform::set_window_pos(handle, insert_after, 0, 0, 0, 0, kZOrderOnlyFlags);  // result ignored
}

// EM_SETTARGETDEVICE line widths: 0 wraps at the control's edge, 1 never wraps.
constexpr std::intptr_t kWrapAtEdge = 0;
constexpr std::intptr_t kNoWrap = 1;

}  // namespace

Status PlugInToolsLib::FormAlwaysOnTop(const WindowArgument& hWndOrForm, VbBool OnTop) {
  return guarded_void([&] {
    if (on_top_ == kFalse && OnTop == kTrue) {
      place_window(hWndOrForm, platform::kHwndTopmost);
      on_top_ = kTrue;
    } else if (on_top_ == kTrue && OnTop == kFalse) {
      place_window(hWndOrForm, platform::kHwndNoTopmost);
      on_top_ = kFalse;
    }
  });
}

Status PlugInToolsLib::RichTextBoxWordWrap(const WindowArgument& ctlRichText, VbBool bState) {
  return guarded_void([&] {
    platform::WindowHandle control = ctlRichText.object_hwnd();
    platform::send_message(control, platform::kEmSetTargetDevice, 0,
                           is_set(bState) ? kWrapAtEdge : kNoWrap);  // result ignored
  });
}

Result<VbBool> PlugInToolsLib::IsKorvexIdeRunning() {
  return guarded<VbBool>([] { return to_vb_bool(FindIdeWindow() != 0); });
}

}  // namespace tavrosk
