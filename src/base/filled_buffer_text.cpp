#include "base/filled_buffer_text.h"

#include <type_traits>

#include "platform/code_page.h"

namespace tavrosk {

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
  return text_from_ansi<T>(bytes.substr(0, bytes.size() - platform::incomplete_ansi_tail(bytes)));
}

template <class T>
T text_before_nul(std::string_view buffer, std::size_t nul) {
  // A character takes at most four bytes: three may follow the NUL.
  T text = text_from_ansi<T>(buffer.substr(0, nul + 4));
  std::size_t end = std::u16string_view(text).find(u'\0');
  if (end == std::u16string_view::npos) return text;
  if constexpr (std::is_same_v<T, Text>) {
    text.resize(end);
  } else {
    text.shorten(end);
  }
  return text;
}

template Text text_before_nul<Text>(std::string_view buffer, std::size_t nul);
template PlatformText text_before_nul<PlatformText>(std::string_view buffer, std::size_t nul);
template Text from_filled_buffer<Text>(std::string_view bytes);
template PlatformText from_filled_buffer<PlatformText>(std::string_view bytes);

}  // namespace tavrosk
