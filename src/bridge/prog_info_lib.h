#pragma once
// ProgInfoLib: the settings the IDE keeps for one device programmer. On the direct road
// GetProgrammerInfo fetches them into the thread's programmer information store and the other
// members read its fields; on the relay road every member is one exchange with the relay tool.
// Objects hold no state of their own.
#include "base/run_time_error.h"
#include "base/value_types.h"
#include "records/programmer_info_record.h"

namespace tavrosk {

class ProgInfoLib {
 public:
  Result<VbBool> GetProgrammerInfo(Text& sProgName);
  // One member per field of the record, named for it.
#define TAVROSK_FIELD_MEMBER(name, kind) Result<kind::Read> name();
  TAVROSK_PROGRAMMER_INFO_FIELDS(TAVROSK_FIELD_MEMBER)
#undef TAVROSK_FIELD_MEMBER
};

}  // namespace tavrosk
