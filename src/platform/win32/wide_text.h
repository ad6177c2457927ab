#pragma once
// UTF-16 text as the wide-character API takes it: on Windows wchar_t is 16 bits wide.
#include <string>
#include <string_view>

namespace tavrosk::platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline std::wstring to_wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

}  // namespace tavrosk::platform::win32
