#pragma once
// Field-by-field conversion between a store's wide-character fields and a record's fixed-width
// ANSI fields. Text keeps the field's full width, NULs and whatever follows them included.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/value_types.h"

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

// A whole store to its record and back, field by field as the record's pair_fields pairs them.
template <class Record, class Store>
Record store_to_record(const Store& store) {
  Record record{};
  pair_fields(record, store, [](auto& to, const auto& from) { copy_field(from, to); });
  return record;
}
template <class Store, class Record>
Store record_to_store(const Record& record) {
  Store store{};
  pair_fields(record, store, [](const auto& from, auto& to) { copy_field(from, to); });
  return store;
}

}  // namespace tavrosk
