#include "platform/code_page.h"

#include <algorithm>
#include <array>
#include <atomic>

#include "platform/incomplete_tail.h"
#include "platform/sim/best_fit_1252.h"
#include "platform/sim/code_page_932.h"
#include "platform/sim/code_page_selection.h"

namespace tavrosk::sim {
namespace {

std::atomic<CodePage> g_code_page{CodePage::kWindows1252};

// Windows-1252 bytes 0x80..0x9F; the five unassigned bytes map to the C1 controls, as Windows does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char to_1252(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<char>(c - 0xFEE0);  // fullwidth ASCII
  const auto* fit = std::lower_bound(
      std::begin(kBestFits1252), std::end(kBestFits1252), c,
      [](const BestFit& entry, char16_t wanted) { return entry.character < wanted; });
  return fit != std::end(kBestFits1252) && fit->character == c ? fit->byte : '?';
}

char16_t from_1252(unsigned char b) {
  return (b >= 0x80 && b <= 0x9F) ? kHighControls[b - 0x80] : static_cast<char16_t>(b);
}

void append_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string encode_utf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;  // a lone surrogate has no encoding
    }
    append_utf8(out, c);
  }
  return out;
}

std::u16string decode_utf8(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    auto b = static_cast<unsigned char>(bytes[i]);
    int extra = b < 0x80           ? 0
                : (b >> 5) == 0x6  ? 1
                : (b >> 4) == 0xE  ? 2
                : (b >> 3) == 0x1E ? 3
                                   : -1;
    char32_t cp = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    bool valid = extra >= 0 && i + static_cast<std::size_t>(extra) < bytes.size();
    for (int k = 1; valid && k <= extra; ++k) {
      auto cont = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
      if ((cont & 0xC0) != 0x80) valid = false;
      cp = (cp << 6) | (cont & 0x3F);
    }
    if (valid &&
        ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) ||
         (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))) {
      valid = false;
    }
    if (!valid) {
      // A lead byte with fewer continuation bytes than it announces is one replacement with
      // them, as the system's conversion gives; any other byte that begins no character, or a
      // whole sequence that is no character, one for each byte.
      out += char16_t{0xFFFD};
      std::size_t continued = 0;
      while (static_cast<int>(continued) < extra && i + 1 + continued < bytes.size() &&
             (static_cast<unsigned char>(bytes[i + 1 + continued]) & 0xC0) == 0x80) {
        ++continued;
      }
      i += static_cast<int>(continued) < extra ? continued + 1 : 1;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

}  // namespace

void set_code_page(CodePage code_page) {
  g_code_page = code_page;
}
CodePage code_page() {
  return g_code_page;
}

}  // namespace tavrosk::sim

namespace tavrosk::platform {

std::string to_ansi(std::u16string_view text) {
  if (sim::code_page() == sim::CodePage::kUtf8) return sim::encode_utf8(text);
  if (sim::code_page() == sim::CodePage::kWindows932) return sim::encode_932(text);
  std::string out(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) out[i] = sim::to_1252(text[i]);
  return out;
}

std::u16string from_ansi(std::string_view bytes) {
  if (sim::code_page() == sim::CodePage::kUtf8) return sim::decode_utf8(bytes);
  if (sim::code_page() == sim::CodePage::kWindows932) return sim::decode_932(bytes);
  std::u16string out(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    out[i] = sim::from_1252(static_cast<unsigned char>(bytes[i]));
  }
  return out;
}

std::size_t wide_length_of_ansi(std::string_view bytes) {
  if (sim::code_page() == sim::CodePage::kWindows1252) return bytes.size();
  return from_ansi(bytes).size();
}

std::size_t from_ansi_into(std::string_view bytes, char16_t* out, std::size_t room) {
  // As the system answers: nothing when the text does not fit.
  if (sim::code_page() != sim::CodePage::kWindows1252) {
    std::u16string text = from_ansi(bytes);
    if (text.size() > room) return 0;
    return static_cast<std::size_t>(std::copy(text.begin(), text.end(), out) - out);
  }
  if (bytes.size() > room) return 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    out[i] = sim::from_1252(static_cast<unsigned char>(bytes[i]));
  }
  return bytes.size();
}

std::size_t incomplete_ansi_tail(std::string_view bytes) {
  switch (sim::code_page()) {
    case sim::CodePage::kUtf8:
      return utf8_incomplete_tail(bytes);
    case sim::CodePage::kWindows932:
      return double_byte_incomplete_tail(bytes, sim::is_lead_byte_932);
    case sim::CodePage::kWindows1252:
      break;
  }
  return 0;
}

}  // namespace tavrosk::platform
