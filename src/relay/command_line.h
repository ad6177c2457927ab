#pragma once
// A relay command line: the command name, then each field after the separator "//::^x".
#include <string_view>

#include "base/value_types.h"

namespace tavrosk {

constexpr std::u16string_view kFieldSeparator = u"//::^x";

class CommandLine {
 public:
  explicit CommandLine(std::u16string_view command) : text_(command) {}

  CommandLine& field(Long value);                // decimal, "-" before a negative number
  CommandLine& field(Byte value);                // decimal, 0 to 255
  CommandLine& field(VbBool value);              // "True" for any non-zero value, "False" for 0
  CommandLine& field(std::u16string_view text);  // unchanged, nothing escaped

  const Text& text() const { return text_; }

 private:
  Text text_;
};

// Leading and trailing spaces (U+0020 only) removed.
std::u16string_view trim_spaces(std::u16string_view text);

}  // namespace tavrosk
