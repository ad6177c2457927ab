#pragma once
// The model keeps text as ANSI bytes, as the IDE receives it; the state file is UTF-8.
// Characters that the code page cannot hold become '?'.
#include <string>
#include <string_view>

namespace tavrosk::host {

std::string utf8_from_ansi(std::string_view ansi);
std::string ansi_from_utf8(std::string_view utf8);

}  // namespace tavrosk::host
