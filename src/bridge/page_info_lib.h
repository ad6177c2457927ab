#pragma once
// PageInfoLib: the details of one editor page. On the direct road GetPageInfo fetches the page
// into the calling thread's page information store and the other members read its fields; on
// the relay road every member is one exchange with the relay tool and the store is not used.
// Objects hold no state of their own.
#include "base/run_time_error.h"
#include "base/value_types.h"
#include "records/page_info_record.h"

namespace tavrosk {

class PageInfoLib {
 public:
  // The page's name is written back as its ANSI round trip on the direct road.
  Result<VbBool> GetPageInfo(Text& sFileName);
  // One member per field of the record, named for it.
#define TAVROSK_FIELD_MEMBER(name, kind) Result<kind::Read> name();
  TAVROSK_PAGE_INFO_FIELDS(TAVROSK_FIELD_MEMBER)
#undef TAVROSK_FIELD_MEMBER
};

}  // namespace tavrosk
