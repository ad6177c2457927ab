// Natively the host's bytes are read as Latin-1: each byte is the character of that number.
#include "shared/ansi_text.h"

namespace tavrosk::host {

std::string utf8_from_ansi(std::string_view ansi) {
  std::string out;
  for (char c : ansi) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

// The parser has already refused text that is not UTF-8.
std::string ansi_from_utf8(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    auto byte = static_cast<unsigned char>(utf8[i]);
    std::size_t extra = byte < 0x80 ? 0 : byte < 0xE0 ? 1 : byte < 0xF0 ? 2 : 3;
    unsigned code = extra == 0 ? byte : byte & (0x3Fu >> extra);
    for (std::size_t k = 1; k <= extra && i + k < utf8.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
    }
    out += code <= 0xFF ? static_cast<char>(code) : '?';
    i += extra + 1;
  }
  return out;
}

}  // namespace tavrosk::host
