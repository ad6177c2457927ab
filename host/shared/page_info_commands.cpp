// Relay commands "PageInfo.": the relay tool keeps the record of the last page asked for, as
// the library keeps its store on the direct road, and answers each member from it.
#include <memory>

#include "shared/page_info_fill.h"
#include "shared/relay_commands.h"

namespace tavrosk::host {
namespace {

using RecordHolder = std::shared_ptr<PageInfoRecord>;

template <std::size_t N>
void add_text(RelayCommands& commands, const RecordHolder& record, std::string name,
              char (PageInfoRecord::*field)[N]) {
  commands.add("PageInfo." + name,
               [record, field](const auto&) { return field_value((*record).*field); });
}

template <class Number>
void add_number(RelayCommands& commands, const RecordHolder& record, std::string name,
                Number PageInfoRecord::*field) {
  commands.add("PageInfo." + name,
               [record, field](const auto&) { return number_reply((*record).*field); });
}

void add_flag(RelayCommands& commands, const RecordHolder& record, std::string name,
              std::int32_t PageInfoRecord::*field) {
  commands.add("PageInfo." + name,
               [record, field](const auto&) { return boolean_reply((*record).*field != 0); });
}

}  // namespace

void add_page_info_commands(RelayCommands& commands) {
  auto record = std::make_shared<PageInfoRecord>();  // zero until the first page is asked for
  // An unknown page leaves the record as it was, as the export does.
  commands.add("PageInfo.GetPageInfo", [record](const auto& fields) {
    return boolean_reply(ide_model().locked(
        [&](IdeState& ide) { return fill_page_info(ide, join_fields(fields, 1), *record); }));
  });
  add_text(commands, record, "DisplayName", &PageInfoRecord::DisplayName);
  add_text(commands, record, "FileName", &PageInfoRecord::FileName);
  add_text(commands, record, "FilenameMCI", &PageInfoRecord::FilenameMCI);
  add_text(commands, record, "FilenameASM", &PageInfoRecord::FilenameASM);
  add_text(commands, record, "FilenameHEX", &PageInfoRecord::FilenameHEX);
  add_flag(commands, record, "Modified", &PageInfoRecord::Modified);
  add_text(commands, record, "Device", &PageInfoRecord::Device);
  add_number(commands, record, "OSC", &PageInfoRecord::OSC);
  add_flag(commands, record, "VersionEnabled", &PageInfoRecord::VersionEnabled);
  add_number(commands, record, "VersionMajor", &PageInfoRecord::VersionMajor);
  add_number(commands, record, "VersionMinor", &PageInfoRecord::VersionMinor);
  add_number(commands, record, "VersionRelease", &PageInfoRecord::VersionRelease);
  add_number(commands, record, "VersionBuild", &PageInfoRecord::VersionBuild);
  add_number(commands, record, "PageSize", &PageInfoRecord::PageSize);
  add_number(commands, record, "PageSizeRTF", &PageInfoRecord::PageSizeRTF);
  add_number(commands, record, "DeviceCore", &PageInfoRecord::DeviceCore);
}

}  // namespace tavrosk::host
