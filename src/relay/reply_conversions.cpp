#include "relay/reply_conversions.h"

#include <algorithm>

#include "base/run_time_error.h"
#include "relay/command_line.h"
#include "relay/number_reading.h"

namespace tavrosk {
namespace {

bool equals_ignoring_case(std::u16string_view text, std::u16string_view word) {
  return text.size() == word.size() &&
         std::equal(text.begin(), text.end(), word.begin(), [](char16_t a, char16_t b) {
           auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
           return lower(a) == lower(b);
         });
}

}  // namespace

VbBool reply_as_boolean(std::u16string_view reply) {
  if (equals_ignoring_case(reply, u"True")) return kTrue;
  if (equals_ignoring_case(reply, u"False")) return kFalse;
  auto number = read_whole_number(reply);
  if (!number) raise(error::kTypeMismatch);
  return to_vb_bool(*number != 0.0);
}

Long reply_as_long(std::u16string_view reply) {
  return to_long(read_leading_number(reply));
}

Byte reply_as_byte(std::u16string_view reply) {
  return to_byte(read_leading_number(reply));
}

Text reply_trimmed(std::u16string_view reply) {
  return Text(trim_spaces(reply));
}

std::vector<Text> split_reply(std::u16string_view reply) {
  std::vector<Text> elements;
  if (reply.empty()) return elements;
  std::size_t start = 0;
  for (std::size_t at; (at = reply.find(kFieldSeparator, start)) != std::u16string_view::npos;
       start = at + kFieldSeparator.size()) {
    elements.emplace_back(reply.substr(start, at - start));
  }
  elements.emplace_back(reply.substr(start));
  return elements;
}

const Text& reply_element(const std::vector<Text>& elements, std::size_t index) {
  if (index >= elements.size()) raise(error::kSubscriptOutOfRange);
  return elements[index];
}

}  // namespace tavrosk
