#pragma once
// Reading numbers out of reply text, as the classic Automation conversions do.
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavrosk {

// The number at the start of the text (the classic Val): blanks, tabs and line feeds are
// skipped anywhere; an optional sign, digits, a decimal point and an exponent, or an &H/&O
// literal (wrapped to 16 bits up to 0xFFFF, else to 32 bits). Reading stops at the first
// character that cannot continue the number; no number reads 0. Raises 6 when the value
// cannot be held at all (an exponent too large, a literal wider than 32 bits).
double read_leading_number(std::u16string_view text);

// The whole text as a number, blanks allowed only around it; nothing when it is not one.
std::optional<double> read_whole_number(std::u16string_view text);

// Rounds half to even and checks the range of the target type; raises 6 outside it.
std::int32_t to_long(double value);
std::uint8_t to_byte(double value);

}  // namespace tavrosk
