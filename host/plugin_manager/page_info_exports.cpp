// The reference plug-in manager library: page information.
#include "plugin_manager/export_support.h"
#include "shared/page_info_fill.h"

extern "C" {

// Fills the record for the named page; an unknown page leaves the record as handed over.
TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL
GetPageInfo(char* page_file_name, std::uint8_t* page_info_record) noexcept {
  return tavrosk::host::serve_export(
      "GetPageInfo",
      [&] {
        return tavrosk::host::ide_model().locked([&](tavrosk::host::IdeState& ide) {
          auto& record = *reinterpret_cast<tavrosk::PageInfoRecord*>(page_info_record);
          return fill_page_info(ide, page_file_name, record) ? 1 : 0;
        });
      },
      page_file_name, page_info_record);
}

}  // extern "C"
