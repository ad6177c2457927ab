#pragma once
// Conversion between UTF-16 and the system's ANSI code page.
#include <cstddef>
#include <string>
#include <string_view>

namespace tavrosk::platform {

// Characters the code page cannot hold become its default character ('?').
std::string to_ansi(std::u16string_view text);
std::u16string from_ansi(std::string_view bytes);
// The same conversion into storage of the caller's: the number of wide characters that the
// bytes give, then the bytes converted into `out`, which holds that many; the count written.
std::size_t wide_length_of_ansi(std::string_view bytes);
std::size_t from_ansi_into(std::string_view bytes, char16_t* out, std::size_t room);

// How many bytes at the end begin a character of the code page without finishing it: a lone
// lead byte of a double-byte code page, a cut UTF-8 sequence; 0 when the last character is
// whole or its bytes are no character's beginning, and always in a single-byte code page.
std::size_t incomplete_ansi_tail(std::string_view bytes);

}  // namespace tavrosk::platform
