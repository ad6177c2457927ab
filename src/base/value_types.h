#pragma once
// The value types that cross the library's interface.
#include <cstdint>
#include <string>

namespace tavrosk {

using Text = std::u16string;  // String: UTF-16, as BSTR holds it
using Long = std::int32_t;
using Byte = std::uint8_t;

// Boolean is 16-bit: True is -1, False is 0, and any non-zero value counts as True.
// A distinct type so that it never passes silently as a number (relay fields, export slots).
enum class VbBool : std::int16_t { False = 0, True = -1 };

constexpr VbBool kTrue = VbBool::True;
constexpr VbBool kFalse = VbBool::False;

constexpr bool is_set(VbBool value) {
  return static_cast<std::int16_t>(value) != 0;
}
constexpr VbBool to_vb_bool(bool value) {
  return value ? kTrue : kFalse;
}
constexpr VbBool raw_vb_bool(std::int16_t raw) {
  return static_cast<VbBool>(raw);
}
// How a Boolean argument reaches an export: its 16-bit value sign-extended (1 stays 1).
constexpr std::int32_t export_slot(VbBool value) {
  return static_cast<std::int16_t>(value);
}
// A 32-bit integer that an export returns in place of a Boolean.
constexpr VbBool export_boolean(std::int32_t value) {
  return to_vb_bool(value != 0);
}

}  // namespace tavrosk
