#include "relay/command_line.h"

#include <string>

namespace tavrosk {

CommandLine& CommandLine::field(Long value) {
  std::string digits = std::to_string(value);
  text_ += kFieldSeparator;
  text_.append(digits.begin(), digits.end());
  return *this;
}

CommandLine& CommandLine::field(Byte value) {
  return field(static_cast<Long>(value));
}

CommandLine& CommandLine::field(VbBool value) {
  return field(std::u16string_view(is_set(value) ? u"True" : u"False"));
}

CommandLine& CommandLine::field(std::u16string_view text) {
  text_ += kFieldSeparator;
  text_ += text;
  return *this;
}

std::u16string_view trim_spaces(std::u16string_view text) {
  std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

}  // namespace tavrosk
