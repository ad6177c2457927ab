#pragma once
#include <string_view>

#include "platform/window_services.h"

namespace tavrosk {

constexpr std::u16string_view kIdeWindowTitle = u"Korvex IDE";

// The IDE's main window: a top-level window whose whole title is "Korvex IDE"; 0 when none.
platform::WindowHandle FindIdeWindow();

}  // namespace tavrosk
