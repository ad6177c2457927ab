#include "shared/traffic_log.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace tavrosk::host {

std::string escape_log_text(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      text += "\\\\";
    } else if (byte >= 0x20 && byte < 0x7F) {
      text += c;
    } else {
      text += "\\x";
      text += kDigits[byte >> 4];
      text += kDigits[byte & 0xF];
    }
  }
  return text;
}

std::optional<std::string> unescape_log_text(std::string_view text) {
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      bytes += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '\\') {
      bytes += '\\';
      ++i;
    } else if (i + 3 < text.size() && text[i + 1] == 'x' && digit(text[i + 2]) >= 0 &&
               digit(text[i + 3]) >= 0) {
      bytes += static_cast<char>(digit(text[i + 2]) * 16 + digit(text[i + 3]));
      i += 3;
    } else {
      return std::nullopt;
    }
  }
  return bytes;
}

std::string log_time() {
  auto now = std::chrono::system_clock::now();
  std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(millis.count()));
  return text;
}

void append_log_entry(const std::string& path, const std::string& entry) {
  if (FILE* log = std::fopen(path.c_str(), "ab")) {
    std::fwrite(entry.data(), 1, entry.size(), log);
    std::fputc('\n', log);
    std::fclose(log);
  }
}

}  // namespace tavrosk::host
