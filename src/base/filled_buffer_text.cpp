#include "base/filled_buffer_text.h"

#include "platform/code_page.h"

namespace tavrosk {
namespace {

// The most bytes that one character takes in any ANSI code page.
constexpr std::size_t kLongestCharacter = 4;

bool whole_characters(std::string_view bytes, const Text& text) {
  return platform::to_ansi(text) == bytes;
}

}  // namespace

Text from_filled_buffer(std::string_view bytes) {
  // No character spans two bytes, so none is cut; this spares a round trip of a whole page.
  if (platform::longest_ansi_character() == 1) return platform::from_ansi(bytes);
  Text text = platform::from_ansi(bytes);
  if (whole_characters(bytes, text)) return text;
  for (std::size_t cut = 1; cut < kLongestCharacter && cut <= bytes.size(); ++cut) {
    std::string_view shorter = bytes.substr(0, bytes.size() - cut);
    Text candidate = platform::from_ansi(shorter);
    if (whole_characters(shorter, candidate)) return candidate;
  }
  return text;
}

}  // namespace tavrosk
