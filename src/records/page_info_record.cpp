#include "records/page_info_record.h"

#include "bridge/plugin_manager/exports.h"
#include "platform/thread_state.h"
#include "records/ansi_fields.h"
#include "records/record_fetch.h"

namespace tavrosk {

PageInfoStore& page_info_store() {
  return platform::thread_state<PageInfoStore, platform::ThreadStateSlot::kPageInfo>();
}

PageInfoRecord to_record(const PageInfoStore& store) {
  PageInfoRecord record{};
  to_record(store.DisplayName, record.DisplayName);
  to_record(store.FileName, record.FileName);
  to_record(store.FilenameMCI, record.FilenameMCI);
  to_record(store.FilenameASM, record.FilenameASM);
  to_record(store.FilenameHEX, record.FilenameHEX);
  record.Modified = store.Modified;
  to_record(store.Device, record.Device);
  record.DeviceCore = store.DeviceCore;
  record.OSC = store.OSC;
  record.VersionEnabled = store.VersionEnabled;
  record.VersionMajor = store.VersionMajor;
  record.VersionMinor = store.VersionMinor;
  record.VersionRelease = store.VersionRelease;
  record.VersionBuild = store.VersionBuild;
  record.PageSize = store.PageSize;
  record.PageSizeRTF = store.PageSizeRTF;
  return record;
}

PageInfoStore from_record(const PageInfoRecord& record) {
  PageInfoStore store;
  from_record(record.DisplayName, store.DisplayName);
  from_record(record.FileName, store.FileName);
  from_record(record.FilenameMCI, store.FilenameMCI);
  from_record(record.FilenameASM, store.FilenameASM);
  from_record(record.FilenameHEX, store.FilenameHEX);
  store.Modified = record.Modified;
  from_record(record.Device, store.Device);
  store.DeviceCore = record.DeviceCore;
  store.OSC = record.OSC;
  store.VersionEnabled = record.VersionEnabled;
  store.VersionMajor = record.VersionMajor;
  store.VersionMinor = record.VersionMinor;
  store.VersionRelease = record.VersionRelease;
  store.VersionBuild = record.VersionBuild;
  store.PageSize = record.PageSize;
  store.PageSizeRTF = record.PageSizeRTF;
  return store;
}

VbBool FetchPageInfo(Text& sFileName) {
  return fetch_record(sFileName, page_info_store(), plugin_manager::GetPageInfo);
}

}  // namespace tavrosk
