#pragma once
// Conversion between UTF-16 and the system's ANSI code page.
#include <string>
#include <string_view>

namespace tavrosk::platform {

// Characters the code page cannot hold become its default character ('?').
std::string to_ansi(std::u16string_view text);
std::u16string from_ansi(std::string_view bytes);

}  // namespace tavrosk::platform
