#pragma once
// How many bytes at the end of a text begin a character that they do not finish, by the rules
// of the two kinds of multi-byte ANSI code page: UTF-8, and the double-byte ones, whose lead
// bytes the platform names. A single-byte code page has no such tail.
#include <cstddef>
#include <string_view>

namespace tavrosk::platform {

// The last character's first byte and the continuations after it, when there are fewer of them
// than that byte announces and they may still become a character (a sequence that already
// breaks the rules is no beginning, and converts as it is).
inline std::size_t utf8_incomplete_tail(std::string_view bytes) {
  auto byte = [&](std::size_t from_end) {
    return static_cast<unsigned char>(bytes[bytes.size() - 1 - from_end]);
  };
  std::size_t continuations = 0;
  while (continuations < 3 && continuations < bytes.size() &&
         (byte(continuations) & 0xC0) == 0x80) {
    ++continuations;
  }
  if (continuations == bytes.size()) return 0;
  unsigned char lead = byte(continuations);
  std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xC2 && lead <= 0xDF ? 2
                                                      : 0;
  if (length <= continuations + 1) return 0;
  if (continuations > 0) {
    // The second byte of these leads has a narrower range: no overlong form, no surrogate, no
    // code point above U+10FFFF.
    unsigned char second = byte(continuations - 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
      return 0;
    }
  }
  return continuations + 1;
}

// A byte that is no lead byte ends a character, alone or as the second byte of a pair, so the
// run of lead bytes at the end pairs up from its start: an odd run leaves its last byte alone.
template <class IsLeadByte>
std::size_t double_byte_incomplete_tail(std::string_view bytes, IsLeadByte&& is_lead_byte) {
  std::size_t run = 0;
  while (run < bytes.size() &&
         is_lead_byte(static_cast<unsigned char>(bytes[bytes.size() - 1 - run]))) {
    ++run;
  }
  return run % 2;
}

}  // namespace tavrosk::platform
