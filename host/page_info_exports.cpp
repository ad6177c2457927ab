// The reference plug-in manager library: page information.
#include <algorithm>
#include <cstring>

#include "export_support.h"
#include "records/page_info_record.h"

namespace {

using tavrosk::PageInfoRecord;
using tavrosk::host::Page;

// Fills a fixed-width field as the IDE does: the text, cut at the width, zeros after it.
template <std::size_t N>
void put_field(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), std::min(N, text.size()));
}

void fill_record(const Page& page, PageInfoRecord& record) {
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

}  // namespace

extern "C" {

// Fills the record for the named page; an unknown page leaves the record as handed over.
TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL GetPageInfo(char* page_file_name,
                                                            std::uint8_t* page_info_record) {
  return tavrosk::host::serve_export(
      "GetPageInfo",
      [&] {
        return tavrosk::host::ide_model().locked([&](tavrosk::host::IdeState& ide) {
          const Page* page = ide.find_page(page_file_name);
          if (page == nullptr) return 0;
          fill_record(*page, *reinterpret_cast<PageInfoRecord*>(page_info_record));
          return 1;
        });
      },
      page_file_name, static_cast<const void*>(page_info_record));
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&::GetPageInfo), tavrosk::host::signature::GetPageInfo>);
