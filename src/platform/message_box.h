#pragma once
// The blocking message box with which the library tells the user something.
#include <cstdint>
#include <string_view>

namespace tavrosk::platform {

constexpr std::uint32_t kMbOk = 0x0;
constexpr std::uint32_t kMbIconError = 0x10;
constexpr int kIdOk = 1;

// Shows the box and returns when the user has closed it, with the button pressed.
int show_message_box(std::u16string_view text, std::u16string_view caption, std::uint32_t style);

}  // namespace tavrosk::platform
