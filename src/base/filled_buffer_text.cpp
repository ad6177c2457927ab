#include "base/filled_buffer_text.h"

#include "platform/code_page.h"

namespace tavrosk {
namespace {

// The most bytes that one character takes in any ANSI code page.
constexpr std::size_t kLongestCharacter = 4;

bool whole_characters(std::string_view bytes, std::u16string_view text) {
  return platform::to_ansi(text) == bytes;
}

}  // namespace

template <>
Text text_from_ansi<Text>(std::string_view bytes) {
  return platform::from_ansi(bytes);
}

// One conversion, straight from the bytes into the storage that the text leaves the library in.
template <>
PlatformText text_from_ansi<PlatformText>(std::string_view bytes) {
  PlatformText text = PlatformText::of_size(platform::wide_length_of_ansi(bytes));
  std::size_t written = platform::from_ansi_into(bytes, text.data(), text.size());
  text.shorten(written);
  return text;
}

template <class T>
T from_filled_buffer(std::string_view bytes) {
  // No character spans two bytes, so none is cut; this spares a round trip of a whole page.
  if (platform::longest_ansi_character() == 1) return text_from_ansi<T>(bytes);
  T text = text_from_ansi<T>(bytes);
  if (whole_characters(bytes, text)) return text;
  for (std::size_t cut = 1; cut < kLongestCharacter && cut <= bytes.size(); ++cut) {
    std::string_view shorter = bytes.substr(0, bytes.size() - cut);
    T candidate = text_from_ansi<T>(shorter);
    if (whole_characters(shorter, candidate)) return candidate;
  }
  return text;
}

template Text from_filled_buffer<Text>(std::string_view bytes);
template PlatformText from_filled_buffer<PlatformText>(std::string_view bytes);

}  // namespace tavrosk
