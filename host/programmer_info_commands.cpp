#include "relay_commands.h"

namespace tavrosk::host {

void add_programmer_info_commands(RelayCommands&) {}

}  // namespace tavrosk::host
