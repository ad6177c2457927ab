#include "relay_commands.h"

namespace tavrosk::host {

void add_page_file_commands(RelayCommands&) {}

}  // namespace tavrosk::host
