// PageInfoLib: each member but GetPageInfo is its store field and its relay command.
#include "bridge/page_info_lib.h"

#include "bridge/member_forms.h"
#include "bridge/record_fetches.h"
#include "bridge/relay_command_names.h"

namespace tavrosk {

Result<VbBool> PageInfoLib::GetPageInfo(Text& sFileName) {
  return routed<VbBool>(
      [&] { return FetchPageInfo(sFileName); },
      [&] { return relay_line(relay_command::PageInfo::GetPageInfo).field(sFileName); });
}

#define TAVROSK_FIELD_MEMBER(name, kind)                                  \
  Result<kind::Read> PageInfoLib::name() {                                \
    return store_field<kind::Read>(page_info_store, &PageInfoStore::name, \
                                   relay_command::PageInfo::name);        \
  }
TAVROSK_PAGE_INFO_FIELDS(TAVROSK_FIELD_MEMBER)
#undef TAVROSK_FIELD_MEMBER

}  // namespace tavrosk
