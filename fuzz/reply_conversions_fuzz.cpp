// Every reading of an arbitrary reply either returns or raises RunTimeError with its own number:
// Boolean 13, Number 6, an element past the last 9; trimming and splitting never fail.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "relay/command_line.h"
#include "relay/reply_conversions.h"

using namespace tavrosk;

namespace {

bool is_boolean_word(std::u16string_view reply) {
  std::u16string lower;
  for (char16_t c : reply) lower += (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
  return lower == u"true" || lower == u"false";
}

void check_boolean(std::u16string_view reply) {
  VbBool value = kFalse;
  bool returned =
      fuzz::returns_or_raises(error::kTypeMismatch, [&] { value = reply_as_boolean(reply); });
  if (returned) FUZZ_CHECK(value == kTrue || value == kFalse);
  if (is_boolean_word(reply)) FUZZ_CHECK(returned);
  if (reply.empty()) FUZZ_CHECK(!returned);
}

// Both ranges read the same number with the same rounding, so they agree wherever they overlap.
void check_numbers(std::u16string_view reply) {
  Long as_long = 0;
  Byte as_byte = 0;
  bool long_returned =
      fuzz::returns_or_raises(error::kOverflow, [&] { as_long = reply_as_long(reply); });
  bool byte_returned =
      fuzz::returns_or_raises(error::kOverflow, [&] { as_byte = reply_as_byte(reply); });
  if (byte_returned) FUZZ_CHECK(long_returned && as_long == as_byte);
  if (long_returned && as_long >= 0 && as_long <= 255) FUZZ_CHECK(byte_returned);
  if (reply.empty()) FUZZ_CHECK(long_returned && as_long == 0);
}

void check_trimmed(std::u16string_view reply) {
  Text trimmed;
  fuzz::returns_or_raises(0, [&] { trimmed = reply_trimmed(reply); });
  FUZZ_CHECK(trimmed.empty() || (trimmed.front() != u' ' && trimmed.back() != u' '));
  FUZZ_CHECK(reply.find(trimmed) != std::u16string_view::npos);
  FUZZ_CHECK(trimmed.empty() == (reply.find_first_not_of(u' ') == std::u16string_view::npos));
}

// The elements joined by the separator give the reply back; none holds the separator.
void check_split(std::u16string_view reply) {
  std::vector<Text> elements;
  fuzz::returns_or_raises(0, [&] { elements = split_reply(reply); });
  FUZZ_CHECK(elements.empty() == reply.empty());
  Text joined;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (i > 0) joined += kFieldSeparator;
    joined += elements[i];
    FUZZ_CHECK(elements[i].find(kFieldSeparator) == Text::npos);
  }
  FUZZ_CHECK(joined == reply);
  for (std::size_t i = 0; i < elements.size(); ++i) {
    FUZZ_CHECK(&reply_element(elements, i) == &elements[i]);
  }
  FUZZ_CHECK(!fuzz::returns_or_raises(error::kSubscriptOutOfRange,
                                      [&] { reply_element(elements, elements.size()); }));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string reply = fuzz::wide_text(fuzz::as_bytes(data, size));
  check_boolean(reply);
  check_numbers(reply);
  check_trimmed(reply);
  check_split(reply);
  return 0;
}
