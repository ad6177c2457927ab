#pragma once
// How the reference library fills a caller's buffer: never more than `length` bytes, and the
// terminating NUL only when it fits, so a text as long as the buffer fills it whole; and how
// it reads a fixed-width record field back.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace tavrosk::host {

inline void put_text(char* buffer, std::int32_t length, std::string_view text) {
  if (buffer == nullptr || length <= 0) return;
  std::size_t room = static_cast<std::size_t>(length);
  std::size_t count = text.size() < room ? text.size() : room;
  std::memcpy(buffer, text.data(), count);
  if (count < room) buffer[count] = '\0';
}

// A fixed-width record field: the text cut at the width, zeros after it.
template <std::size_t N>
void put_field(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), text.size() < N ? text.size() : N);
}

// A number field: the value as the field's type holds it (a flag's true is 1).
template <class Number, class Value>
requires std::is_arithmetic_v<Number>
void put_field(Number& field, Value value) {
  field = static_cast<Number>(value);
}

// A field's value: its bytes before the first NUL, or all of them.
template <std::size_t N>
std::string field_value(const char (&field)[N]) {
  return std::string(field, std::find(field, field + N, '\0'));
}

}  // namespace tavrosk::host
