#pragma once
// The page information record as the IDE fills it, for the export and the relay commands alike.
#include <cstring>
#include <string>

#include "model/ide_model.h"
#include "records/page_info_record.h"
#include "shared/export_buffers.h"

namespace tavrosk::host {

inline void fill_record(const Page& page, PageInfoRecord& record) {
  put_field(record.DisplayName, page.display_name);
  put_field(record.FileName, page.file_name);
  put_field(record.FilenameMCI, page.filename_mci);
  put_field(record.FilenameASM, page.filename_asm);
  put_field(record.FilenameHEX, page.filename_hex);
  record.Modified = page.modified ? 1 : 0;
  put_field(record.Device, page.device);
  record.DeviceCore = page.device_core;
  record.OSC = page.osc;
  record.VersionEnabled = page.version_enabled ? 1 : 0;
  record.VersionMajor = page.version[0];
  record.VersionMinor = page.version[1];
  record.VersionRelease = page.version[2];
  record.VersionBuild = page.version[3];
  record.PageSize = static_cast<std::int32_t>(page.text.size());
  record.PageSizeRTF = static_cast<std::int32_t>(page.rtf.size());
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
