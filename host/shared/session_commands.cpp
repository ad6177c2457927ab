// Relay commands of the session members.
#include "bridge/relay_command_names.h"
#include "model/ide_model.h"
#include "shared/relay_commands.h"

namespace tavrosk::host {
void add_session_commands(RelayCommands& commands) {
  // The relay tool answers that it is there, whichever way the plug-in switches.
  commands.add(relay_command::DebugApp, [](const auto&) { return boolean_reply(true); });
  commands.add(relay_command::Connect, [](const auto& fields) {
    return boolean_reply(ide_model().connect(long_field(fields, 0)));
  });
  commands.add(relay_command::Disconnect,
               [](const auto&) { return boolean_reply(ide_model().disconnect()); });
  commands.add(relay_command::IsConnected,
               [](const auto&) { return boolean_reply(ide_model().is_connected()); });
}

}  // namespace tavrosk::host
