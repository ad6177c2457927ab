// Conversion through the system's ANSI code page.
#include "platform/code_page.h"

#include <windows.h>

#include <climits>

#include "platform/byte_runs.h"
#include "platform/incomplete_tail.h"

namespace tavrosk::platform {
namespace {

// Bytes below 0x80 are the characters U+0000 to U+007F in every code page that Windows offers as
// the ANSI one, single-byte, double-byte or UTF-8, and none of them belongs to a longer
// character unless one began before it. So the plain run at the start of a text is widened
// here, many times faster than the system's conversion through its tables (a page of source
// text is mostly such bytes), and the system converts only from the first other byte on. A
// code page where they are not those characters is left to the system whole.
bool plain_bytes_are_ascii() {
  static const bool ascii = [] {
    char bytes[0x80];
    wchar_t wide[0x80] = {};
    for (int i = 0; i < 0x80; ++i) bytes[i] = static_cast<char>(i);
    if (MultiByteToWideChar(CP_ACP, 0, bytes, 0x80, wide, 0x80) != 0x80) return false;
    for (int i = 0; i < 0x80; ++i) {
      if (wide[i] != static_cast<wchar_t>(i)) return false;
    }
    return true;
  }();
  return ascii;
}

bool is_plain(char byte) {
  return static_cast<unsigned char>(byte) < 0x80;
}

// The plain run at the start of the bytes, widened into `out` when it is given.
std::size_t take_plain_prefix(std::string_view bytes, char16_t* out) {
  return plain_bytes_are_ascii() ? widen_plain_prefix(bytes, out) : 0;
}

std::size_t other_prefix(std::string_view bytes) {
  std::size_t others = 0;
  while (others < bytes.size() && !is_plain(bytes[others])) ++others;
  return others;
}

// The most bytes that one character of the code page takes: 1 in a single-byte code page.
std::size_t longest_ansi_character() {
  // A process keeps its code page.
  static const std::size_t longest = [] {
    CPINFO info{};
    // Unknown: taken for a multi-byte one, converted by the system whole.
    return GetCPInfo(CP_ACP, &info) ? static_cast<std::size_t>(info.MaxCharSize) : 4;
  }();
  return longest;
}

}  // namespace

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
  std::u16string text(wide_length_of_ansi(bytes), u'\0');
  text.resize(from_ansi_into(bytes, text.data(), text.size()));
  return text;
}

std::size_t wide_length_of_ansi(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > INT_MAX) return 0;
  // A single-byte code page gives one wide character a byte: no counting pass over a page.
  if (longest_ansi_character() == 1) return bytes.size();
  std::size_t plain = take_plain_prefix(bytes, nullptr);
  std::string_view rest = bytes.substr(plain);
  if (rest.empty()) return plain;
  return plain + static_cast<std::size_t>(MultiByteToWideChar(
                     CP_ACP, 0, rest.data(), static_cast<int>(rest.size()), nullptr, 0));
}

std::size_t from_ansi_into(std::string_view bytes, char16_t* out, std::size_t room) {
  if (bytes.empty() || bytes.size() > INT_MAX || room > INT_MAX) return 0;
  std::size_t written = 0;
  // In a single-byte code page every byte is a character, so plain runs and the others take
  // turns; in any other, what follows the first other byte goes to the system whole.
  bool single_byte = longest_ansi_character() == 1;
  while (!bytes.empty()) {
    std::size_t plain = take_plain_prefix(bytes.substr(0, room - written), out + written);
    written += plain;
    bytes.remove_prefix(plain);
    if (bytes.empty()) break;
    // Too little room: nothing, as the system answers for the whole text.
    if (written == room) return 0;
    std::size_t others = single_byte ? other_prefix(bytes) : bytes.size();
    int converted = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(others),
                                        reinterpret_cast<wchar_t*>(out + written),
                                        static_cast<int>(room - written));
    if (converted <= 0) return 0;
    written += static_cast<std::size_t>(converted);
    bytes.remove_prefix(others);
  }
  return written;
}

std::size_t incomplete_ansi_tail(std::string_view bytes) {
  static const bool utf8 = GetACP() == CP_UTF8;
  if (utf8) return utf8_incomplete_tail(bytes);
  if (longest_ansi_character() != 2) return 0;
  return double_byte_incomplete_tail(
      bytes, [](unsigned char byte) { return IsDBCSLeadByteEx(CP_ACP, byte) != 0; });
}

}  // namespace tavrosk::platform
