#include "relay_commands.h"

namespace tavrosk::host {

void add_page_reading_commands(RelayCommands&) {}

}  // namespace tavrosk::host
