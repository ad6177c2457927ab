#include "relay_commands.h"

namespace tavrosk::host {

void add_page_editing_commands(RelayCommands&) {}

}  // namespace tavrosk::host
