// Relay commands of ProgInfoLib. The relay tool keeps its own record of the last programmer it
// fetched, as a plug-in inside the IDE keeps its store: the reading commands answer from it.
#include <memory>

#include "bridge/relay_command_names.h"
#include "shared/command_forms.h"
#include "shared/programmer_info_fill.h"
#include "shared/relay_commands.h"

namespace tavrosk::host {

void add_programmer_info_commands(RelayCommands& commands) {
  auto record = std::make_shared<ProgrammerInfoRecord>();
  // The programmer's name is the last field and may itself hold the separator.
  commands.add(relay_command::ProgInfo::GetProgrammerInfo, [record](const auto& fields) {
    std::string name = join_fields(fields, 1);
    return boolean_reply(ide_model().locked([&](IdeState& ide) {
      const Programmer* programmer = ide.find_programmer(name);
      if (programmer != nullptr) fill_programmer_record(*programmer, *record);
      return programmer != nullptr;
    }));
  });
#define TAVROSK_FIELD_COMMAND(name, kind)     \
  commands.add(relay_command::ProgInfo::name, \
               [record](const auto&) { return field_reply<kind>(record->name); });
  TAVROSK_PROGRAMMER_INFO_FIELDS(TAVROSK_FIELD_COMMAND)
#undef TAVROSK_FIELD_COMMAND
}

}  // namespace tavrosk::host
