#pragma once
// Printing what the demo does: each call with its result, and the relay lines it sent.
#include <string>
#include <string_view>

#include "base/run_time_error.h"
#include "base/value_types.h"
#include "bridge/vb_plugin_lib.h"
#include "testing/sim_relay_tool.h"

namespace demo {

std::string narrow(std::u16string_view text);
std::string show(tavrosk::VbBool value);
std::string show(tavrosk::Long value);
std::string show(tavrosk::Byte value);
std::string show(std::u16string_view value);  // Text, or text in platform storage
std::string show_status(tavrosk::Status status);

template <class T>
void print_call(std::string_view call, const tavrosk::Result<T>& result);
void print_call(std::string_view call, tavrosk::Status status);
void print_heading(std::string_view heading);
void print_note(std::string_view note);
void print_relay_line(std::u16string_view line);

// What every section of the demo works with.
struct DemoContext {
  tavrosk::VB_PluginLib& ide;
  tavrosk::host::SimRelayTool& relay;
  tavrosk::Long ide_window;
  tavrosk::Long plugin_window;
  bool relayed;
};

// Runs one call, prints it with its result and the relay lines it sent.
template <class Call>
void traced(DemoContext& demo, std::string_view text, Call&& call) {
  demo.relay.clear_received();
  print_call(text, call());
  for (const auto& line : demo.relay.lines()) print_relay_line(line);
}

}  // namespace demo
