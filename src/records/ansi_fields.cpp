#include "records/ansi_fields.h"

#include <string>

#include "platform/code_page.h"

namespace tavrosk {

namespace {

// Character by character, so that a character that would not fit whole is left out.
void text_to_record_by_character(const char16_t* field, std::size_t characters, char* bytes,
                                 std::size_t width) {
  std::size_t used = 0;
  for (std::size_t i = 0; i < characters; ++i) {
    // A surrogate pair converts as one character.
    std::size_t units = (i + 1 < characters && field[i] >= 0xD800 && field[i] <= 0xDBFF &&
                         field[i + 1] >= 0xDC00 && field[i + 1] <= 0xDFFF)
                            ? 2
                            : 1;
    std::string converted = platform::to_ansi(std::u16string_view(field + i, units));
    if (used + converted.size() > width) break;  // never a cut character
    std::memcpy(bytes + used, converted.data(), converted.size());
    used += converted.size();
    i += units - 1;
  }
}

}  // namespace

void text_to_record(const char16_t* field, std::size_t characters, char* bytes, std::size_t width) {
  std::memset(bytes, 0, width);
  // Converting the whole field gives the bytes of its characters one after another; when they
  // fit, no character is cut and one conversion does.
  std::string converted = platform::to_ansi(std::u16string_view(field, characters));
  if (converted.size() <= width) {
    std::memcpy(bytes, converted.data(), converted.size());
    return;
  }
  text_to_record_by_character(field, characters, bytes, width);
}

void text_from_record(const char* bytes, std::size_t width, char16_t* field,
                      std::size_t characters) {
  // A field that its writer filled to the last byte may end inside a character, which is no
  // text the writer meant.
  std::string_view whole(bytes, width);
  whole.remove_suffix(platform::incomplete_ansi_tail(whole));
  std::u16string converted = platform::from_ansi(whole);
  std::size_t count = converted.size() < characters ? converted.size() : characters;
  std::memcpy(field, converted.data(), count * sizeof(char16_t));
  for (std::size_t i = count; i < characters; ++i) field[i] = u'\0';
}

}  // namespace tavrosk
