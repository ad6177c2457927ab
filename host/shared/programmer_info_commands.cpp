// Relay commands of ProgInfoLib. The relay tool keeps its own record of the last programmer it
// fetched, as a plug-in inside the IDE keeps its store: the reading commands answer from it.
#include <memory>

#include "shared/programmer_info_fill.h"
#include "shared/relay_commands.h"

namespace tavrosk::host {
namespace {

using RecordField = char (ProgrammerInfoRecord::*)[256];

void add_field_command(RelayCommands& commands, std::string name,
                       std::shared_ptr<const ProgrammerInfoRecord> record, RecordField field) {
  commands.add(std::move(name),
               [record, field](const auto&) { return field_value((*record).*field); });
}

}  // namespace

void add_programmer_info_commands(RelayCommands& commands) {
  auto record = std::make_shared<ProgrammerInfoRecord>();
  // The programmer's name is the last field and may itself hold the separator.
  commands.add("ProgInfo.GetProgrammerInfo", [record](const auto& fields) {
    std::string name = join_fields(fields, 1);
    return boolean_reply(ide_model().locked([&](IdeState& ide) {
      const Programmer* programmer = ide.find_programmer(name);
      if (programmer != nullptr) fill_programmer_record(*programmer, *record);
      return programmer != nullptr;
    }));
  });
  add_field_command(commands, "ProgInfo.Path", record, &ProgrammerInfoRecord::Path);
  add_field_command(commands, "ProgInfo.FileName", record, &ProgrammerInfoRecord::FileName);
  add_field_command(commands, "ProgInfo.Params", record, &ProgrammerInfoRecord::Params);
  add_field_command(commands, "ProgInfo.ParamsBound", record, &ProgrammerInfoRecord::ParamsBound);
  add_field_command(commands, "ProgInfo.HookFilename", record, &ProgrammerInfoRecord::HookFilename);
}

}  // namespace tavrosk::host
