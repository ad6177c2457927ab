#pragma once
// The reference IDE's main window "Korvex IDE" as a real window of the calling thread, over
// this process's model. It carries out the lines that the relay program hands it (the relay
// commands) and the export calls that the reference Zavoplex.dll of a plug-in's process hands
// it (run on this process's Zavoplex.dll), so both roads reach one IDE. The host program
// shows it and watches what it carries out; a test keeps it hidden.
#include <functional>
#include <optional>
#include <string>

#include "platform/window_services.h"
#include "shared/export_call.h"
#include "shared/relay_commands.h"

namespace tavrosk::host {

struct IdeWindowEvents {
  // After a relay line was carried out: the line and the reply given (none: no reply).
  std::function<void(const std::string& line, const std::optional<std::string>& reply)> line;
  // After an export call from another process was served.
  std::function<void(const ExportCall& call, const ExportAnswer& answer)> export_call;
};

class Win32IdeWindow {
 public:
  explicit Win32IdeWindow(IdeWindowEvents events = {});
  ~Win32IdeWindow();
  Win32IdeWindow(const Win32IdeWindow&) = delete;
  Win32IdeWindow& operator=(const Win32IdeWindow&) = delete;
  platform::WindowHandle window() const { return window_; }

  const IdeWindowEvents& events() const { return events_; }
  // The window's own relay commands: the page record they keep lives and ends with it.
  const RelayCommands& commands() const { return commands_; }

 private:
  IdeWindowEvents events_;
  RelayCommands commands_;
  platform::WindowHandle window_;
};

}  // namespace tavrosk::host
