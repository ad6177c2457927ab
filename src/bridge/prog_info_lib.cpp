// ProgInfoLib: each member but GetProgrammerInfo is its store field and its relay command.
#include "bridge/prog_info_lib.h"

#include "bridge/member_forms.h"
#include "bridge/record_fetches.h"
#include "bridge/relay_command_names.h"

namespace tavrosk {

Result<VbBool> ProgInfoLib::GetProgrammerInfo(Text& sProgName) {
  return routed<VbBool>(
      [&] { return FetchProgrammerInfo(sProgName); },
      [&] { return relay_line(relay_command::ProgInfo::GetProgrammerInfo).field(sProgName); });
}

#define TAVROSK_FIELD_MEMBER(name, kind)                                              \
  Result<kind::Read> ProgInfoLib::name() {                                            \
    return store_field<kind::Read>(programmer_info_store, &ProgrammerInfoStore::name, \
                                   relay_command::ProgInfo::name);                    \
  }
TAVROSK_PROGRAMMER_INFO_FIELDS(TAVROSK_FIELD_MEMBER)
#undef TAVROSK_FIELD_MEMBER

}  // namespace tavrosk
