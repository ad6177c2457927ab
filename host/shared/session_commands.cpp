// Relay commands of the session members.
#include "model/ide_model.h"
#include "shared/relay_commands.h"

namespace tavrosk::host {
void add_session_commands(RelayCommands& commands) {
  // The relay tool answers that it is there, whichever way the plug-in switches.
  commands.add("DebugApp", [](const auto&) { return boolean_reply(true); });
  commands.add("Connect", [](const auto& fields) {
    return boolean_reply(ide_model().connect(long_field(fields, 0)));
  });
  commands.add("Disconnect", [](const auto&) { return boolean_reply(ide_model().disconnect()); });
  commands.add("IsConnected",
               [](const auto&) { return boolean_reply(ide_model().is_connected()); });
}

}  // namespace tavrosk::host
