// ProgInfoLib: each text member is its relay command and its store field.
#include "records/prog_info_lib.h"

#include <array>

#include "bridge/routing.h"
#include "records/ansi_fields.h"
#include "records/programmer_info_record.h"
#include "relay/reply_conversions.h"

namespace tavrosk {
namespace {

using StoreField = std::array<char16_t, 256> ProgrammerInfoStore::*;

// Relay road: the reply exactly as read. Direct road: the field up to its first NUL.
Result<Text> text_member(std::u16string_view command, StoreField field) {
  return guarded<Text>([&] {
    return route([&] { return field_text(programmer_info_store().*field); },
                 [&] { return relay_exchange(relay_line(command)); });
  });
}

}  // namespace

Result<VbBool> ProgInfoLib::GetProgrammerInfo(Text& sProgName) {
  return guarded<VbBool>([&] {
    return route([&] { return FetchProgrammerInfo(sProgName); },
                 [&] {
                   return reply_as_boolean(
                       relay_exchange(relay_line(u"ProgInfo.GetProgrammerInfo").field(sProgName)));
                 });
  });
}

Result<Text> ProgInfoLib::Path() {
  return text_member(u"ProgInfo.Path", &ProgrammerInfoStore::Path);
}
Result<Text> ProgInfoLib::FileName() {
  return text_member(u"ProgInfo.FileName", &ProgrammerInfoStore::FileName);
}
Result<Text> ProgInfoLib::Params() {
  return text_member(u"ProgInfo.Params", &ProgrammerInfoStore::Params);
}
Result<Text> ProgInfoLib::ParamsBound() {
  return text_member(u"ProgInfo.ParamsBound", &ProgrammerInfoStore::ParamsBound);
}
Result<Text> ProgInfoLib::HookFilename() {
  return text_member(u"ProgInfo.HookFilename", &ProgrammerInfoStore::HookFilename);
}

}  // namespace tavrosk
