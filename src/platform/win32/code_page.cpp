// Conversion through the system's ANSI code page.
#include "platform/code_page.h"

#include <windows.h>

#include <climits>

namespace tavrosk::platform {

std::string to_ansi(std::u16string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  int count = static_cast<int>(text.size());
  // Asked first for the size: a multi-byte code page needs more bytes than characters.
  int size = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, count, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::u16string from_ansi(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  int count = static_cast<int>(bytes.size());
  int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, nullptr, 0);
  std::u16string text(static_cast<std::size_t>(size), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, reinterpret_cast<wchar_t*>(text.data()),
                      size);
  return text;
}

std::size_t wide_length_of_ansi(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > INT_MAX) return 0;
  // A single-byte code page gives one wide character a byte: no counting pass over a page.
  if (longest_ansi_character() == 1) return bytes.size();
  return static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0));
}

std::size_t from_ansi_into(std::string_view bytes, char16_t* out, std::size_t room) {
  if (bytes.empty() || bytes.size() > INT_MAX || room > INT_MAX) return 0;
  return static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                          reinterpret_cast<wchar_t*>(out), static_cast<int>(room)));
}

std::size_t longest_ansi_character() {
  CPINFO info{};
  // Unknown, assume the worst: the careful reading of a filled buffer stays correct.
  if (!GetCPInfo(CP_ACP, &info)) return 4;
  return info.MaxCharSize;
}

}  // namespace tavrosk::platform
