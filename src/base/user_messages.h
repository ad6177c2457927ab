#pragma once
// The two things the library ever tells the user, as blocking error boxes captioned "Tavrosk".
#include <string_view>

namespace tavrosk {

constexpr std::u16string_view kMessageCaption = u"Tavrosk";
constexpr std::u16string_view kIdeNotRunning = u"Korvex IDE not running";
constexpr std::u16string_view kDebuggerNotRunning =
    u"VB DEBUGGER not running\r\nPlease launch the VB DEBUGGER from the Korvex IDE Toolbar";

// Error icon, OK button only; returns when the user has closed the box.
void show_error_message(std::u16string_view text);

}  // namespace tavrosk
