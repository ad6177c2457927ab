// The blocking message box of user32.
#include "platform/message_box.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace tavrosk::platform {

static_assert(kMbOk == MB_OK && kMbIconError == MB_ICONERROR && kIdOk == IDOK);

int show_message_box(std::u16string_view text, std::u16string_view caption, std::uint32_t style) {
  std::wstring wide_text = win32::to_wide(text);
  std::wstring wide_caption = win32::to_wide(caption);
  return MessageBoxW(nullptr, wide_text.c_str(), wide_caption.c_str(), style);
}

}  // namespace tavrosk::platform
