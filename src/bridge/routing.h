#pragma once
// The routing rule: a member reads the debug flag once, at its start, and takes one road for
// the whole call. Members read like their table rows: the direct road names the export, the
// relay road the command, its fields and its reply's reading.
#include <string_view>

#include "bridge/session.h"
#include "relay/channel.h"
#include "relay/command_line.h"

namespace tavrosk {

template <class Direct, class Relay>
decltype(auto) route(Direct&& direct, Relay&& relay) {
  if (is_set(session().debug_flag)) return relay();
  return direct();
}

// The command name and the session handle, the start of every relay line.
inline CommandLine relay_line(std::u16string_view command) {
  return CommandLine(command).field(session().session_handle);
}

// Commands without a result or out-parameters: send, read nothing.
inline void relay_send(const CommandLine& line) {
  SendDebugLine(line.text());
}

// Commands with a result: send, then read the reply at once, as a Text or a PlatformText.
template <class T = Text>
T relay_exchange(const CommandLine& line, Long capacity = kDefaultReplyCapacity) {
  SendDebugLine(line.text());
  return ReadDebugReply<T>(capacity);
}

}  // namespace tavrosk
