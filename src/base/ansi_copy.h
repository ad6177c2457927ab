#pragma once
// A text as a single-byte receiver takes it: a writable NUL-terminated copy in the ANSI code
// page, so that the caller's text is never touched whatever the receiver does with the copy.
// A temporary lives until the end of the full expression that holds the call.
#include <string>
#include <string_view>

#include "base/value_types.h"
#include "platform/code_page.h"

namespace tavrosk {

class AnsiCopy {
 public:
  explicit AnsiCopy(std::u16string_view text) : bytes_(platform::to_ansi(text)) {}
  operator char*() { return bytes_.data(); }
  // The whole copy converted back, at the length it was made with: what the receiver changed
  // in place, and the round trip through the code page.
  Text round_trip() const { return platform::from_ansi(bytes_); }

 private:
  std::string bytes_;
};

inline AnsiCopy ansi_copy(std::u16string_view text) {
  return AnsiCopy(text);
}

}  // namespace tavrosk
