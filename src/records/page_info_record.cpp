#include "records/page_info_record.h"

#include "platform/thread_state.h"
#include "records/ansi_fields.h"

namespace tavrosk {

PageInfoStore& page_info_store() {
  return platform::thread_state<PageInfoStore, platform::ThreadStateSlot::kPageInfo>();
}

namespace {

// Pairs each record field with its store field, in record order.
constexpr auto pair_fields = [](auto& record, auto& store, auto&& visit) {
  visit(record.DisplayName, store.DisplayName);
  visit(record.FileName, store.FileName);
  visit(record.FilenameMCI, store.FilenameMCI);
  visit(record.FilenameASM, store.FilenameASM);
  visit(record.FilenameHEX, store.FilenameHEX);
  visit(record.Modified, store.Modified);
  visit(record.Device, store.Device);
  visit(record.DeviceCore, store.DeviceCore);
  visit(record.OSC, store.OSC);
  visit(record.VersionEnabled, store.VersionEnabled);
  visit(record.VersionMajor, store.VersionMajor);
  visit(record.VersionMinor, store.VersionMinor);
  visit(record.VersionRelease, store.VersionRelease);
  visit(record.VersionBuild, store.VersionBuild);
  visit(record.PageSize, store.PageSize);
  visit(record.PageSizeRTF, store.PageSizeRTF);
};

}  // namespace

PageInfoRecord to_record(const PageInfoStore& store) {
  return store_to_record<PageInfoRecord>(store, pair_fields);
}

PageInfoStore from_record(const PageInfoRecord& record) {
  return record_to_store<PageInfoStore>(record, pair_fields);
}

}  // namespace tavrosk
