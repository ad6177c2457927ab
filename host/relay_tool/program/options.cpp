#include "relay_tool/program/options.h"

#include <map>

namespace tavrosk::host {

const char kHostUsage[] =
    "korvex_relay_tool [options]\n"
    "The reference Korvex host: the IDE window \"Korvex IDE\" and the relay tool's window\n"
    "\"Debug VB Application\" over one IDE model, for trying a plug-in on both roads.\n"
    "\n"
    "  --state FILE       seed the IDE model from this state file (JSON)\n"
    "  --save-state FILE  write the model to this file after each change\n"
    "  --log FILE         append every line received and every reply given\n"
    "  --replies FILE     scripted replies (JSON: command name to reply text)\n"
    "  --no-ide-window    the relay tool alone, as if the IDE were not running\n"
    "  --hidden           show no window (unattended runs)\n"
    "  --answer-boxes     press OK on every \"Tavrosk\" message box, its text in the log\n"
    "  --wait-ready       wait until a host program is ready (exit code 0, 1 after 30 s)\n"
    "  --close            end the host program that runs, and wait until it has gone\n"
    "  --help             this text\n";

ParsedOptions parse_host_options(const std::vector<std::string>& arguments) {
  ParsedOptions parsed;
  HostOptions& options = parsed.options;
  const std::map<std::string, std::string HostOptions::*> with_file = {
      {"--state", &HostOptions::state},
      {"--save-state", &HostOptions::save_state},
      {"--log", &HostOptions::log},
      {"--replies", &HostOptions::replies}};
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (auto it = with_file.find(argument); it != with_file.end()) {
      if (i + 1 == arguments.size()) {
        parsed.error = argument + " needs a file name";
        return parsed;
      }
      options.*(it->second) = arguments[++i];
    } else if (argument == "--no-ide-window") {
      options.ide_window = false;
    } else if (argument == "--hidden") {
      options.hidden = true;
    } else if (argument == "--answer-boxes") {
      options.answer_boxes = true;
    } else if (argument == "--wait-ready") {
      options.wait_ready = true;
    } else if (argument == "--close") {
      options.close = true;
    } else if (argument == "--help" || argument == "-h" || argument == "/?") {
      options.help = true;
    } else {
      parsed.error = "unknown option " + argument;
      return parsed;
    }
  }
  return parsed;
}

}  // namespace tavrosk::host
