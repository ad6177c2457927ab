#pragma once
// Field-by-field conversion between a store's wide-character fields and a record's fixed-width
// ANSI fields. Text keeps the field's full width, NULs and whatever follows them included.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "bridge/value_types.h"

namespace tavrosk {

// Each character converted on its own, as many as fit in `width` bytes; the rest zero.
void text_to_record(const char16_t* field, std::size_t characters, char* bytes, std::size_t width);
// The `width` bytes converted back; at most `characters` characters, the rest NUL.
void text_from_record(const char* bytes, std::size_t width, char16_t* field,
                      std::size_t characters);

// One field each way: text converted at full width, numbers copied unchanged.
template <std::size_t N>
void copy_field(const std::array<char16_t, N>& field, char (&bytes)[N]) {
  text_to_record(field.data(), N, bytes, N);
}
template <std::size_t N>
void copy_field(const char (&bytes)[N], std::array<char16_t, N>& field) {
  text_from_record(bytes, N, field.data(), N);
}
template <class Number>
void copy_field(const Number& from, Number& to) {
  to = from;
}

// TrimNull of a fixed-width field: its characters before the first NUL, or all of them.
template <std::size_t N>
Text field_text(const std::array<char16_t, N>& field) {
  std::size_t length = 0;
  while (length < N && field[length] != u'\0') ++length;
  return Text(field.data(), length);
}

}  // namespace tavrosk
