#include "records/programmer_info_record.h"

#include "platform/thread_state.h"
#include "records/ansi_fields.h"

namespace tavrosk {

ProgrammerInfoStore& programmer_info_store() {
  return platform::thread_state<ProgrammerInfoStore, platform::ThreadStateSlot::kProgrammerInfo>();
}

namespace {

// Pairs each record field with its store field, in record order.
constexpr auto pair_fields = [](auto& record, auto& store, auto&& visit) {
  visit(record.Path, store.Path);
  visit(record.FileName, store.FileName);
  visit(record.Params, store.Params);
  visit(record.ParamsBound, store.ParamsBound);
  visit(record.HookFilename, store.HookFilename);
};

}  // namespace

ProgrammerInfoRecord to_record(const ProgrammerInfoStore& store) {
  return store_to_record<ProgrammerInfoRecord>(store, pair_fields);
}

ProgrammerInfoStore from_record(const ProgrammerInfoRecord& record) {
  return record_to_store<ProgrammerInfoStore>(record, pair_fields);
}

}  // namespace tavrosk
