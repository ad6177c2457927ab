#pragma once
// The page information record as the IDE fills it, for the export and the relay commands alike.
#include <cstring>
#include <string>

#include "model/ide_model.h"
#include "records/page_info_record.h"
#include "shared/export_buffers.h"

namespace tavrosk::host {

// Each field's value in the model of a page, named for the field: the record's field list
// chooses what is filled, so a field without a value here does not build.
struct PageInfoValues {
  const Page& page;
  const std::string& DisplayName() const { return page.display_name; }
  const std::string& FileName() const { return page.file_name; }
  const std::string& FilenameMCI() const { return page.filename_mci; }
  const std::string& FilenameASM() const { return page.filename_asm; }
  const std::string& FilenameHEX() const { return page.filename_hex; }
  bool Modified() const { return page.modified; }
  const std::string& Device() const { return page.device; }
  std::int32_t DeviceCore() const { return page.device_core; }
  std::int32_t OSC() const { return page.osc; }
  bool VersionEnabled() const { return page.version_enabled; }
  std::uint8_t VersionMajor() const { return page.version[0]; }
  std::uint8_t VersionMinor() const { return page.version[1]; }
  std::uint8_t VersionRelease() const { return page.version[2]; }
  std::uint8_t VersionBuild() const { return page.version[3]; }
  std::size_t PageSize() const { return page.text.size(); }
  std::size_t PageSizeRTF() const { return page.rtf.size(); }
};

inline void fill_record(const Page& page, PageInfoRecord& record) {
  PageInfoValues values{page};
#define TAVROSK_FILL_FIELD(name, kind) put_field(record.name, values.name());
  TAVROSK_PAGE_INFO_FIELDS(TAVROSK_FILL_FIELD)
#undef TAVROSK_FILL_FIELD
}

// Fills the record for the named page; an unknown page leaves it as it was. True when found.
inline bool fill_page_info(IdeState& ide, const std::string& page_file_name,
                           PageInfoRecord& record) {
  const Page* page = ide.find_page(page_file_name);
  if (page == nullptr) return false;
  fill_record(*page, record);
  return true;
}

}  // namespace tavrosk::host
