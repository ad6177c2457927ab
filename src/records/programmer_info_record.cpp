#include "records/programmer_info_record.h"

#include "bridge/plugin_manager/exports.h"
#include "platform/thread_state.h"
#include "records/ansi_fields.h"
#include "records/record_fetch.h"

namespace tavrosk {

ProgrammerInfoStore& programmer_info_store() {
  return platform::thread_state<ProgrammerInfoStore, platform::ThreadStateSlot::kProgrammerInfo>();
}

ProgrammerInfoRecord to_record(const ProgrammerInfoStore& store) {
  ProgrammerInfoRecord record{};
  to_record(store.Path, record.Path);
  to_record(store.FileName, record.FileName);
  to_record(store.Params, record.Params);
  to_record(store.ParamsBound, record.ParamsBound);
  to_record(store.HookFilename, record.HookFilename);
  return record;
}

ProgrammerInfoStore from_record(const ProgrammerInfoRecord& record) {
  ProgrammerInfoStore store;
  from_record(record.Path, store.Path);
  from_record(record.FileName, store.FileName);
  from_record(record.Params, store.Params);
  from_record(record.ParamsBound, store.ParamsBound);
  from_record(record.HookFilename, store.HookFilename);
  return store;
}

VbBool FetchProgrammerInfo(Text& sProgName) {
  return fetch_record(sProgName, programmer_info_store(), plugin_manager::GetProgrammerInfo);
}

}  // namespace tavrosk
