#include "platform/sim/code_page_932.h"

#include <algorithm>
#include <iterator>

namespace tavrosk::sim {
namespace {

constexpr char16_t kDefaultCharacter = 0x30FB;

struct Pair {
  unsigned bytes;
  char16_t character;
};

// Sorted by bytes. Kana are a rule of their own below.
constexpr Pair
    kPairs[] =
        {
            {0x8140, 0x3000}, {0x8141, 0x3001}, {0x8142, 0x3002}, {0x8145, 0x30FB},
            {0x815B, 0x30FC}, {0x8181, 0xFF1D}, {0x81DF, 0x2261}, {0x81E0, 0x2252},
            {0x8790, 0x2252},  // the second forms convert back to the first
            {0x8791, 0x2261}, {0x88EA, 0x4E00}, {0x8CEA, 0x8A9E}, {0x93F1, 0x4E8C},
            {0x93FA, 0x65E5}, {0x967B, 0x672C},
};

constexpr unsigned kHiraganaFirst = 0x829F, kHiraganaLast = 0x82F1;  // U+3041..U+3093
constexpr unsigned kKatakanaFirst = 0x8340, kKatakanaLast = 0x8396;  // U+30A1..U+30F6, not 0x837F

char16_t pair_character(unsigned bytes) {
  if (bytes >= kHiraganaFirst && bytes <= kHiraganaLast) {
    return static_cast<char16_t>(0x3041 + (bytes - kHiraganaFirst));
  }
  if (bytes >= kKatakanaFirst && bytes <= kKatakanaLast && bytes != 0x837F) {
    return static_cast<char16_t>(0x30A1 + (bytes - kKatakanaFirst) - (bytes > 0x837F ? 1 : 0));
  }
  const auto* found =
      std::lower_bound(std::begin(kPairs), std::end(kPairs), bytes,
                       [](const Pair& pair, unsigned wanted) { return pair.bytes < wanted; });
  return found != std::end(kPairs) && found->bytes == bytes ? found->character : kDefaultCharacter;
}

// 0 when the character has no double-byte form here; the first pair of a character wins.
unsigned pair_of(char16_t c) {
  if (c >= 0x3041 && c <= 0x3093) return kHiraganaFirst + (c - 0x3041);
  if (c >= 0x30A1 && c <= 0x30F6) {
    unsigned bytes = kKatakanaFirst + (c - 0x30A1);
    return bytes >= 0x837F ? bytes + 1 : bytes;
  }
  for (const Pair& pair : kPairs) {
    if (pair.character == c) return pair.bytes;
  }
  return 0;
}

char16_t single_character(unsigned char b) {
  if (b < 0x80) return b;
  if (b >= 0xA1 && b <= 0xDF) return static_cast<char16_t>(0xFF61 + (b - 0xA1));  // half-width kana
  if (b == 0x80) return 0x0080;
  if (b == 0xA0) return 0xF8F0;
  return static_cast<char16_t>(0xF8F1 + (b - 0xFD));  // 0xFD..0xFF
}

}  // namespace

bool is_lead_byte_932(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string encode_932(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c >= 0xFF61 && c <= 0xFF9F) {
      out += static_cast<char>(0xA1 + (c - 0xFF61));
    } else if (unsigned bytes = pair_of(c); bytes != 0) {
      out += static_cast<char>(bytes >> 8);
      out += static_cast<char>(bytes & 0xFF);
    } else {
      out += '?';
    }
  }
  return out;
}

std::u16string decode_932(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto b = static_cast<unsigned char>(bytes[i]);
    if (!is_lead_byte_932(b)) {
      out += single_character(b);
    } else if (i + 1 < bytes.size() && bytes[i + 1] != '\0') {
      out += pair_character((unsigned{b} << 8) | static_cast<unsigned char>(bytes[++i]));
    } else {
      out += kDefaultCharacter;
    }
  }
  return out;
}

}  // namespace tavrosk::sim
