#include "relay_commands.h"

namespace tavrosk::host {

void add_ide_commands(RelayCommands&) {}

}  // namespace tavrosk::host
