#include "records/page_info_record.h"

#include "platform/thread_state.h"
#include "records/ansi_fields.h"

namespace tavrosk {

PageInfoStore& page_info_store() {
  return platform::thread_state<PageInfoStore, platform::ThreadStateSlot::kPageInfo>();
}

PageInfoRecord to_record(const PageInfoStore& store) {
  return store_to_record<PageInfoRecord>(store);
}

PageInfoStore from_record(const PageInfoRecord& record) {
  return record_to_store<PageInfoStore>(record);
}

}  // namespace tavrosk
