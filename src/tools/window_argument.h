#pragma once
// A window argument as a client hands it over in a Variant: a 32-bit integer that is the
// handle itself, an object (a form or control) whose member hwnd is read by name at run time,
// or anything else (a 16-bit integer, a floating-point number, a text, ...), which names no
// window and is not an object.
#include <cstdint>
#include <functional>
#include <limits>

#include "base/run_time_error.h"
#include "base/value_types.h"

namespace tavrosk {

// The handle in an hwnd that an object answers as a 64-bit integer (a 64-bit client's LongPtr).
// A window handle has 32 significant bits on both widths and a 64-bit process holds it
// sign-extended, so the value fits exactly when it is a Long sign-extended to 64 bits. Any
// other (a zero-extended one with bit 31 set among them) fails as its conversion to a Long
// does, with 6: cutting it would name some other window.
inline Long window_handle_of_wide(std::int64_t value) {
  if (value < std::numeric_limits<Long>::min() || value > std::numeric_limits<Long>::max()) {
    raise(error::kOverflow);
  }
  return static_cast<Long>(value);
}

class WindowArgument {
 public:
  // Reads the object's member hwnd by name and converts it to a Long. Raises the run-time
  // error of a failed read or conversion (438 for an object without that member, ...).
  using HwndReader = std::function<Long()>;

  static WindowArgument handle(Long value) { return WindowArgument(Kind::kHandle, value, {}); }
  static WindowArgument object(HwndReader read_hwnd) {
    return WindowArgument(Kind::kObject, 0, std::move(read_hwnd));
  }
  static WindowArgument other() { return WindowArgument(Kind::kOther, 0, {}); }
  // A malformed argument (a reference to nothing): it fails with `error` once it is resolved.
  static WindowArgument unreadable(int error) {
    return WindowArgument(Kind::kObject, 0, [error]() -> Long { raise(error); });
  }

  // The handle: the integer itself, else the object's hwnd.
  Long window_handle() const { return kind_ == Kind::kHandle ? value_ : object_hwnd(); }
  // The object's hwnd; anything that is not an object fails as a member read does, with 424.
  Long object_hwnd() const {
    if (kind_ != Kind::kObject || !read_hwnd_) raise(error::kObjectRequired);
    return read_hwnd_();
  }

 private:
  enum class Kind { kHandle, kObject, kOther };
  WindowArgument(Kind kind, Long value, HwndReader read_hwnd)
      : kind_(kind), value_(value), read_hwnd_(std::move(read_hwnd)) {}

  Kind kind_;
  Long value_;
  HwndReader read_hwnd_;
};

}  // namespace tavrosk
