// ProgInfoLib: each member but GetProgrammerInfo is its store field and its relay command.
#include "bridge/prog_info_lib.h"

#include "bridge/member_forms.h"
#include "bridge/record_fetches.h"
#include "records/programmer_info_record.h"

namespace tavrosk {

Result<VbBool> ProgInfoLib::GetProgrammerInfo(Text& sProgName) {
  return routed<VbBool>([&] { return FetchProgrammerInfo(sProgName); },
                        [&] { return relay_line(u"ProgInfo.GetProgrammerInfo").field(sProgName); });
}

Result<Text> ProgInfoLib::Path() {
  return store_field<Text>(programmer_info_store, &ProgrammerInfoStore::Path, u"ProgInfo.Path");
}
Result<Text> ProgInfoLib::FileName() {
  return store_field<Text>(programmer_info_store, &ProgrammerInfoStore::FileName,
                           u"ProgInfo.FileName");
}
Result<Text> ProgInfoLib::Params() {
  return store_field<Text>(programmer_info_store, &ProgrammerInfoStore::Params, u"ProgInfo.Params");
}
Result<Text> ProgInfoLib::ParamsBound() {
  return store_field<Text>(programmer_info_store, &ProgrammerInfoStore::ParamsBound,
                           u"ProgInfo.ParamsBound");
}
Result<Text> ProgInfoLib::HookFilename() {
  return store_field<Text>(programmer_info_store, &ProgrammerInfoStore::HookFilename,
                           u"ProgInfo.HookFilename");
}

}  // namespace tavrosk
