#pragma once
// The host program's command line.
#include <optional>
#include <string>
#include <vector>

namespace tavrosk::host {

struct HostOptions {
  std::string state;          // --state FILE: seeds the model
  std::string save_state;     // --save-state FILE: kept up to date after each change
  std::string log;            // --log FILE: every line and reply, one entry per line
  std::string replies;        // --replies FILE: command name to scripted reply
  bool ide_window = true;     // --no-ide-window: the relay tool alone
  bool hidden = false;        // --hidden: no window shown, for unattended runs
  bool answer_boxes = false;  // --answer-boxes: logs and closes the library's message boxes
  bool wait_ready = false;    // --wait-ready: waits until a host program runs, for scripts
  bool close = false;         // --close: ends the host program that runs, for scripts
  bool help = false;          // --help
};

extern const char kHostUsage[];

// The options, or the message that says what is wrong with them.
struct ParsedOptions {
  HostOptions options;
  std::string error;
};
ParsedOptions parse_host_options(const std::vector<std::string>& arguments);

}  // namespace tavrosk::host
