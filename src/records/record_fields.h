#pragma once
// The kinds of field an information record holds: how the record lays a field out, how the
// thread's store keeps it and what the member that reads it returns. Each record's field list,
// X(name, kind) in record order, is the one place its fields are written; the record, its
// store, their conversion, the reading members, their relay commands and the reference host's
// fill all come from it.
#include <array>
#include <cstddef>
#include <cstdint>

#include "base/value_types.h"

namespace tavrosk {

// Fixed-width ANSI text without a guaranteed terminator; the store keeps as many characters.
template <std::size_t Width>
struct TextField {
  using InRecord = char[Width];
  using InStore = std::array<char16_t, Width>;
  using Read = Text;
};

// A little-endian 32-bit integer.
struct LongField {
  using InRecord = std::int32_t;
  using InStore = Long;
  using Read = Long;
};

// A 32-bit integer read as a Boolean: any non-zero value is True.
struct FlagField {
  using InRecord = std::int32_t;
  using InStore = Long;
  using Read = VbBool;
};

struct ByteField {
  using InRecord = std::uint8_t;
  using InStore = Byte;
  using Read = Byte;
};

}  // namespace tavrosk

// Expansions of a field list: the record's members, the store's members, the record's size
// without padding, and one visit(record_field, store_field) call per field.
#define TAVROSK_RECORD_MEMBER(name, kind) kind::InRecord name;
#define TAVROSK_STORE_MEMBER(name, kind) kind::InStore name{};
#define TAVROSK_RECORD_FIELD_SIZE(name, kind) +sizeof(kind::InRecord)
#define TAVROSK_VISIT_FIELD(name, kind) visit(record.name, store.name);
