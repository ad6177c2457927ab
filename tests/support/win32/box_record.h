#pragma once
// The record of message boxes that the box watcher answered: a file in the temporary folder,
// one line a box, its text as hexadecimal UTF-16 units. Shared by the watcher and the tests.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tavrosk::testing::win32 {

inline constexpr wchar_t kBoxCaption[] = L"Tavrosk";
inline constexpr wchar_t kWatcherWindowTitle[] = L"Tavrosk box watcher";

inline std::string box_record_path() {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "tavrosk_message_boxes.txt";
}

inline std::string encode_box_text(const std::wstring& text) {
  std::string line;
  char unit[5];
  for (wchar_t c : text) {
    std::snprintf(unit, sizeof unit, "%04x", static_cast<unsigned>(c));
    line += unit;
  }
  return line + '\n';
}

inline std::vector<std::u16string> read_box_record() {
  std::vector<std::u16string> boxes;
  FILE* record = std::fopen(box_record_path().c_str(), "rb");
  if (record == nullptr) return boxes;
  std::u16string text;
  char digits[5] = {};
  for (int c; (c = std::fgetc(record)) != EOF;) {
    if (c == '\n') {
      boxes.push_back(text);
      text.clear();
      continue;
    }
    digits[0] = static_cast<char>(c);
    if (std::fread(digits + 1, 1, 3, record) != 3) break;
    text += static_cast<char16_t>(std::strtoul(digits, nullptr, 16));
  }
  std::fclose(record);
  return boxes;
}

}  // namespace tavrosk::testing::win32
