#pragma once
// The reference relay tool on the simulated desktop: the window "Debug VB Application" with
// its reply child. Each received line is logged, then answered from a scripted reply when one
// is queued, else by the relay commands over the IDE model.
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/window_services.h"
#include "shared/received_line.h"
#include "shared/relay_commands.h"

namespace tavrosk::host {

class SimRelayTool {
 public:
  SimRelayTool();
  ~SimRelayTool();
  SimRelayTool(const SimRelayTool&) = delete;
  SimRelayTool& operator=(const SimRelayTool&) = delete;

  platform::WindowHandle window() const { return window_; }
  platform::WindowHandle reply_window() const { return reply_window_; }

  // The reply to give to the next line, instead of the model's.
  void script_reply(std::u16string reply);
  void set_reply_text(std::u16string text);
  std::u16string reply_text() const;

  std::vector<ReceivedLine> received() const;
  std::vector<std::u16string> lines() const;
  void clear_received();

  // Destroys the windows, as when the user closes the tool.
  void close();

 private:
  void on_line(const ReceivedLine& line);

  platform::WindowHandle window_ = 0;
  platform::WindowHandle reply_window_ = 0;
  RelayCommands commands_;
  mutable std::mutex mutex_;
  std::deque<std::u16string> scripted_;
  std::vector<ReceivedLine> received_;
};

// The IDE's main window "Korvex IDE" on the simulated desktop, for as long as it lives.
class SimIdeWindow {
 public:
  SimIdeWindow();
  ~SimIdeWindow();
  SimIdeWindow(const SimIdeWindow&) = delete;
  SimIdeWindow& operator=(const SimIdeWindow&) = delete;
  platform::WindowHandle window() const { return window_; }

 private:
  platform::WindowHandle window_;
};

}  // namespace tavrosk::host
