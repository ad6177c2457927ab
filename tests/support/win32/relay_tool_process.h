#pragma once
// The reference relay program, korvex_relay_tool.exe, as a separate process with real
// windows, seen from a test. One process serves the tests of a program one after another:
// each handle starts it when it does not run, and empties its reply window, its scripted
// replies and its log of received lines.
#include <string>
#include <vector>

#include "platform/window_services.h"
#include "shared/received_line.h"

namespace tavrosk::testing {

class RelayToolProcess {
 public:
  RelayToolProcess();

  platform::WindowHandle window() const { return window_; }
  platform::WindowHandle reply_window() const { return reply_window_; }

  // The reply to give to the next line, instead of the IDE's.
  void script_reply(std::u16string reply);
  void set_reply_text(std::u16string text);
  std::u16string reply_text() const;

  // Read back from the program's log; the text is the line before its zero byte.
  std::vector<host::ReceivedLine> received() const;
  std::vector<std::u16string> lines() const;
  void clear_received();

  // Ends the program, as when the user closes the tool; the next handle starts it again.
  void close();

 private:
  platform::WindowHandle window_ = 0;
  platform::WindowHandle reply_window_ = 0;
};

// Ends the program if it runs, as when the user closes the tool.
void stop_relay_program();

}  // namespace tavrosk::testing
