#pragma once
// The reference IDE's main window "Korvex IDE" as a real window of the calling thread. The
// relay program hands it the lines it receives, and the IDE carries them out with the relay
// commands over this process's model, the one behind the plug-in manager library's exports:
// both roads then reach one IDE, as they do natively.
#include "platform/window_services.h"

namespace tavrosk::host {

class Win32IdeWindow {
 public:
  Win32IdeWindow();
  ~Win32IdeWindow();
  Win32IdeWindow(const Win32IdeWindow&) = delete;
  Win32IdeWindow& operator=(const Win32IdeWindow&) = delete;
  platform::WindowHandle window() const { return window_; }

 private:
  platform::WindowHandle window_;
};

}  // namespace tavrosk::host
