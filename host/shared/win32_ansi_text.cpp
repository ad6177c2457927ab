#include <windows.h>

#include "shared/ansi_text.h"

namespace tavrosk::host {
namespace {

std::string convert(std::string_view text, UINT from, UINT to) {
  if (text.empty()) return {};
  int length = static_cast<int>(text.size());
  int wide_length = MultiByteToWideChar(from, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  MultiByteToWideChar(from, 0, text.data(), length, wide.data(), wide_length);
  int out_length =
      WideCharToMultiByte(to, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(out_length), '\0');
  WideCharToMultiByte(to, 0, wide.data(), wide_length, out.data(), out_length, nullptr, nullptr);
  return out;
}

}  // namespace

std::string utf8_from_ansi(std::string_view ansi) {
  return convert(ansi, CP_ACP, CP_UTF8);
}

std::string ansi_from_utf8(std::string_view utf8) {
  return convert(utf8, CP_UTF8, CP_ACP);
}

}  // namespace tavrosk::host
