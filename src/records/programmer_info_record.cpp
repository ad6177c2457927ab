#include "records/programmer_info_record.h"

#include "platform/thread_state.h"
#include "records/ansi_fields.h"

namespace tavrosk {

ProgrammerInfoStore& programmer_info_store() {
  return platform::thread_state<ProgrammerInfoStore, platform::ThreadStateSlot::kProgrammerInfo>();
}

ProgrammerInfoRecord to_record(const ProgrammerInfoStore& store) {
  return store_to_record<ProgrammerInfoRecord>(store);
}

ProgrammerInfoStore from_record(const ProgrammerInfoRecord& record) {
  return record_to_store<ProgrammerInfoStore>(record);
}

}  // namespace tavrosk
