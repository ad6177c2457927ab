#include "relay/number_reading.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "base/run_time_error.h"

namespace tavrosk {
namespace {

bool is_blank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n';
}
bool is_digit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

int digit_value(char16_t c, int base) {
  int v = -1;
  if (c >= u'0' && c <= u'9') v = c - u'0';
  if (c >= u'a' && c <= u'f') v = c - u'a' + 10;
  if (c >= u'A' && c <= u'F') v = c - u'A' + 10;
  return v < base ? v : -1;
}

// Walks the text, skipping blanks wherever they stand when asked to.
class Cursor {
 public:
  Cursor(std::u16string_view text, bool skip_blanks) : text_(text), skip_(skip_blanks) {}
  char16_t peek() {
    while (skip_ && pos_ < text_.size() && is_blank(text_[pos_])) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : u'\0';
  }
  void advance() { ++pos_; }
  bool at_end() { return peek() == u'\0' && pos_ >= text_.size(); }
  std::size_t position() const { return pos_; }
  void rewind(std::size_t position) { pos_ = position; }

 private:
  std::u16string_view text_;
  bool skip_;
  std::size_t pos_ = 0;
};

// An &H or &O literal after the ampersand; nothing when no digit follows the letter.
std::optional<double> read_radix_literal(Cursor& in) {
  char16_t letter = in.peek();
  int base = (letter == u'H' || letter == u'h') ? 16 : (letter == u'O' || letter == u'o') ? 8 : 0;
  if (base == 0) return std::nullopt;
  in.advance();
  std::uint64_t value = 0;
  bool any = false;
  for (int d; (d = digit_value(in.peek(), base)) >= 0; in.advance()) {
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    if (value > 0xFFFFFFFFu) raise(error::kOverflow);
    any = true;
  }
  if (!any) return std::nullopt;
  if (value <= 0xFFFFu) return static_cast<double>(static_cast<std::int16_t>(value));
  return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// Sign, digits, point, digits, exponent; the ASCII form of what was read, "" for no digits.
std::string read_decimal(Cursor& in) {
  std::string number;
  if (in.peek() == u'+' || in.peek() == u'-') {
    if (in.peek() == u'-') number += '-';
    in.advance();
  }
  bool digits = false;
  for (; is_digit(in.peek()); in.advance()) number += static_cast<char>(in.peek()), digits = true;
  if (in.peek() == u'.') {
    in.advance();
    number += '.';
    for (; is_digit(in.peek()); in.advance()) number += static_cast<char>(in.peek()), digits = true;
  }
  if (!digits) return {};
  if (in.peek() == u'E' || in.peek() == u'e') {
    std::size_t before = in.position();
    in.advance();
    std::string exponent = "e";
    if (in.peek() == u'+' || in.peek() == u'-') {
      exponent += static_cast<char>(in.peek());
      in.advance();
    }
    bool exponent_digits = false;
    for (; is_digit(in.peek()); in.advance()) {
      exponent += static_cast<char>(in.peek());
      exponent_digits = true;
    }
    if (exponent_digits) {
      number += exponent;
    } else {
      in.rewind(before);  // an E without digits is not part of the number
    }
  }
  return number;
}

constexpr long kExponentBound = 1'000'000;

// Roughly the power of ten of the number's leading digit; tells overflow from underflow.
long decimal_magnitude(const std::string& number) {
  std::size_t e = number.find('e');
  std::string mantissa = number.substr(0, e);
  long exponent = e == std::string::npos ? 0 : std::strtol(number.c_str() + e + 1, nullptr, 10);
  // Far beyond any double either way; bounded so that adding the digit count cannot overflow.
  exponent = std::clamp(exponent, -kExponentBound, kExponentBound);
  std::size_t point = mantissa.find('.');
  std::string whole = mantissa.substr(0, point);
  std::size_t first = whole.find_first_not_of("-0");
  if (first != std::string::npos) return static_cast<long>(whole.size() - first) + exponent;
  std::string fraction = point == std::string::npos ? "" : mantissa.substr(point + 1);
  return -static_cast<long>(fraction.find_first_not_of('0')) + exponent;
}

double to_double(const std::string& number) {
  double value = 0;
  auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Too small reads as zero; too large cannot be held.
    if (decimal_magnitude(number) <= 0) return 0.0;
    raise(error::kOverflow);
  }
  return value;
}

std::optional<double> read_number(Cursor& in) {
  if (in.peek() == u'&') {
    in.advance();
    return read_radix_literal(in);
  }
  std::string number = read_decimal(in);
  if (number.empty()) return std::nullopt;
  return to_double(number);
}

}  // namespace

double read_leading_number(std::u16string_view text) {
  Cursor in(text, true);
  return read_number(in).value_or(0.0);
}

std::optional<double> read_whole_number(std::u16string_view text) {
  std::size_t first = text.find_first_not_of(u" \t");
  if (first == std::u16string_view::npos) return std::nullopt;
  std::size_t last = text.find_last_not_of(u" \t");
  Cursor in(text.substr(first, last - first + 1), false);
  try {
    auto value = read_number(in);
    if (!value || !in.at_end()) return std::nullopt;
    return value;
  } catch (const RunTimeError&) {
    return std::nullopt;  // too large to be any number: not Boolean text either
  }
}

std::int32_t to_long(double value) {
  double rounded = std::nearbyint(value);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    raise(error::kOverflow);
  }
  return static_cast<std::int32_t>(rounded);
}

std::uint8_t to_byte(double value) {
  double rounded = std::nearbyint(value);
  if (!(rounded >= 0 && rounded <= 255)) raise(error::kOverflow);
  return static_cast<std::uint8_t>(rounded);
}

}  // namespace tavrosk
