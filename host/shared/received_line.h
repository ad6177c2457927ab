#pragma once
// One line as the relay tool received it.
#include <cstdint>
#include <string>

namespace tavrosk::host {

struct ReceivedLine {
  std::uintptr_t tag = 0;  // dwData
  std::uint32_t size = 0;  // cbData
  std::string bytes;       // the cbData bytes as they arrived
  std::u16string text;     // the line before its zero byte, in UTF-16
};

}  // namespace tavrosk::host
