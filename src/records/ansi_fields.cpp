#include "records/ansi_fields.h"

#include <string>

#include "platform/code_page.h"

namespace tavrosk {

void text_to_record(const char16_t* field, std::size_t characters, char* bytes, std::size_t width) {
  std::memset(bytes, 0, width);
  // Most fields fit whole (always so in a single-byte code page): one conversion is enough.
  std::string whole = platform::to_ansi(std::u16string_view(field, characters));
  if (whole.size() <= width) {
    std::memcpy(bytes, whole.data(), whole.size());
    return;
  }
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

void text_from_record(const char* bytes, std::size_t width, char16_t* field,
                      std::size_t characters) {
  std::u16string converted = platform::from_ansi(std::string_view(bytes, width));
  std::size_t count = converted.size() < characters ? converted.size() : characters;
  std::memcpy(field, converted.data(), count * sizeof(char16_t));
  for (std::size_t i = count; i < characters; ++i) field[i] = u'\0';
}

}  // namespace tavrosk
