#include "records/page_info_record.h"

#include <string>

#include "bridge/plugin_manager/exports.h"
#include "bridge/routing.h"
#include "platform/code_page.h"
#include "records/ansi_fields.h"

namespace tavrosk {

PageInfoStore& page_info_store() {
  thread_local PageInfoStore store;
  return store;
}

namespace {

// Pairs each record field with its store field, in record order.
template <class Record, class Store, class Visit>
void pair_fields(Record& record, Store& store, Visit&& visit) {
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
}

}  // namespace

PageInfoRecord to_record(const PageInfoStore& store) {
  PageInfoRecord record{};
  pair_fields(record, store, [](auto& to, const auto& from) { copy_field(from, to); });
  return record;
}

PageInfoStore from_record(const PageInfoRecord& record) {
  PageInfoStore store;
  pair_fields(record, store, [](const auto& from, auto& to) { copy_field(from, to); });
  return store;
}

VbBool FetchPageInfo(Text& sFileName) {
  PageInfoRecord record = to_record(page_info_store());
  std::string name = platform::to_ansi(sFileName);
  std::int32_t answer =
      plugin_manager::GetPageInfo(name.data(), reinterpret_cast<std::uint8_t*>(&record));
  page_info_store() = from_record(record);
  sFileName = platform::from_ansi(name);
  return export_boolean(answer);
}

}  // namespace tavrosk
