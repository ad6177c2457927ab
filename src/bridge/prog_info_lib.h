#pragma once
// ProgInfoLib: the settings the IDE keeps for one device programmer. On the direct road
// GetProgrammerInfo fetches them into the thread's programmer information store and the other
// members read its fields; on the relay road every member is one exchange with the relay tool.
// Objects hold no state of their own.
#include "base/run_time_error.h"
#include "base/value_types.h"

namespace tavrosk {

class ProgInfoLib {
 public:
  Result<VbBool> GetProgrammerInfo(Text& sProgName);
  Result<Text> Path();
  Result<Text> FileName();
  Result<Text> Params();
  Result<Text> ParamsBound();
  Result<Text> HookFilename();
};

}  // namespace tavrosk
