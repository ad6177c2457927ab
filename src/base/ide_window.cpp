#include "base/ide_window.h"

namespace tavrosk {

platform::WindowHandle FindIdeWindow() {
  return platform::find_top_level_window(kIdeWindowTitle);
}

}  // namespace tavrosk
