#include "relay_commands.h"

namespace tavrosk::host {

void add_page_info_commands(RelayCommands&) {}

}  // namespace tavrosk::host
