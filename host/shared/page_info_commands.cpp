// Relay commands "PageInfo.": the relay tool keeps the record of the last page asked for, as
// the library keeps its store on the direct road, and answers each member from it.
#include <memory>

#include "bridge/relay_command_names.h"
#include "shared/command_forms.h"
#include "shared/page_info_fill.h"
#include "shared/relay_commands.h"

namespace tavrosk::host {

void add_page_info_commands(RelayCommands& commands) {
  auto record = std::make_shared<PageInfoRecord>();  // zero until the first page is asked for
  // An unknown page leaves the record as it was, as the export does.
  commands.add(relay_command::PageInfo::GetPageInfo, [record](const auto& fields) {
    return boolean_reply(ide_model().locked(
        [&](IdeState& ide) { return fill_page_info(ide, join_fields(fields, 1), *record); }));
  });
#define TAVROSK_FIELD_COMMAND(name, kind)     \
  commands.add(relay_command::PageInfo::name, \
               [record](const auto&) { return field_reply<kind>(record->name); });
  TAVROSK_PAGE_INFO_FIELDS(TAVROSK_FIELD_COMMAND)
#undef TAVROSK_FIELD_COMMAND
}

}  // namespace tavrosk::host
