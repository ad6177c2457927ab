#pragma once
// The one conversion module between the Automation types of the interfaces (BSTR,
// VARIANT_BOOL, VARIANT, SAFEARRAY) and the core's value types. Interface pointers of in-values
// are read here; variables that the core writes are wrapped so that whatever the core wrote,
// on success or failure, reaches the caller's variable when the call returns.
#include <windows.h>

#include <oleauto.h>

#include <vector>

#include "base/value_types.h"
#include "tools/string_array.h"
#include "tools/window_argument.h"

namespace tavrosk::com {

Text text_of(BSTR value);         // a null BSTR is the empty text
BSTR new_bstr(const Text& text);  // raises 7 when out of memory

constexpr VbBool vb_bool_of(VARIANT_BOOL value) {
  return raw_vb_bool(value);
}
constexpr VARIANT_BOOL variant_bool_of(VbBool value) {
  return static_cast<VARIANT_BOOL>(value);
}

// In-values behind the interfaces' by-reference pointers; a null pointer is error 5.
Long long_in(const long* value);
Byte byte_in(const unsigned char* value);
VbBool bool_in(const VARIANT_BOOL* value);
Text text_in(const BSTR* value);
const VARIANT& variant_in(const VARIANT* value);
// An optional in-value that a vtable caller may leave out with a null pointer.
Long optional_long_in(const long* value, Long fallback);

// A text variable that the core may change; the caller's BSTR is replaced when it changed.
class TextRef {
 public:
  explicit TextRef(BSTR* target);
  ~TextRef();
  TextRef(const TextRef&) = delete;
  TextRef& operator=(const TextRef&) = delete;
  operator Text&() { return text_; }

 private:
  BSTR* target_;
  Text original_;
  Text text_;
};

// A Long variable of the caller that the core may change.
class LongRef {
 public:
  explicit LongRef(long* target);
  LongRef(const LongRef&) = delete;
  LongRef& operator=(const LongRef&) = delete;
  // The caller's own variable, so that an export writes it in place: the same variable passed
  // twice ends with the last value written, as it would in the client itself.
  operator Long&() { return *reinterpret_cast<AliasedLong*>(target_); }

 private:
  // long and Long are both 32-bit signed integers here; the core reads and writes the caller's
  // long through this name.
  using AliasedLong [[gnu::may_alias]] = Long;
  static_assert(sizeof(long) == sizeof(Long));
  long* target_;
};

// A window argument: a VT_I4 (also by reference) is the handle itself; an object's hwnd is
// read by name through IDispatch (438 when it has none, 91 when the reference is Nothing);
// anything else is no object (424).
WindowArgument window_argument_of(const VARIANT& value);

// The caller's SAFEARRAY(BSTR), replaced as a whole; a fixed-size or locked one raises 10.
class BstrArrayRef final : public StringArray {
 public:
  explicit BstrArrayRef(SAFEARRAY** target);
  void replace(std::vector<Text> elements) override;

 private:
  SAFEARRAY** target_;
};

// True when the array may not be replaced: fixed-size or locked.
bool is_fixed_or_locked(const SAFEARRAY* array);
// A one-dimensional array of `type` (VT_BSTR, or VT_VARIANT holding BSTR) with lower bound 0.
// Raises 7 when out of memory.
SAFEARRAY* new_text_array(const std::vector<Text>& elements, VARTYPE type);

// The late-bound call's coercions, as statuses for IDispatch::Invoke rather than raised errors.
// A script's array (of VARIANT) stands for a SAFEARRAY(BSTR) parameter; the lines that come
// back are handed to the script as an array of VARIANT holding BSTR.
constexpr VARTYPE kTextArray = VT_ARRAY | VT_BSTR;
// The value of `source` in the parameter's type `type` (VT_VARIANT, kTextArray or a plain
// type), into `value` (empty before). A text array made from the caller's can be replaced
// exactly when the caller's can.
HRESULT to_parameter_type(const VARIANT& source, VARTYPE type, VARIANT* value);
// Destroys a text array that to_parameter_type made, also one that it made fixed or locked.
void destroy_text_array(SAFEARRAY* array);
// The lines of a SAFEARRAY(BSTR) as a script's array: VARIANTs holding BSTR, lower bound 0.
// E_OUTOFMEMORY when memory runs out.
HRESULT to_script_array(SAFEARRAY* texts, VARIANT* destination) noexcept;

// Result slots: each holds its type's zero value until the core's result is stored.
void clear_result(VARIANT_BOOL* slot) noexcept;
void clear_result(BSTR* slot) noexcept;
void clear_result(long* slot) noexcept;
void clear_result(unsigned char* slot) noexcept;
void clear_result(VARIANT* slot) noexcept;
void store_result(VARIANT_BOOL* slot, VbBool value);
void store_result(BSTR* slot, const Text& value);
void store_result(long* slot, Long value);
void store_result(unsigned char* slot, Byte value);

}  // namespace tavrosk::com
