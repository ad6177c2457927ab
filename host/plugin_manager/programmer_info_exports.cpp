// The reference plug-in manager library: programmer information.
#include "plugin_manager/export_support.h"
#include "shared/programmer_info_fill.h"

using tavrosk::host::IdeState;

extern "C" {

// Fills the record for the named programmer; an unknown name leaves the record as handed over.
TAVROSK_HOST_EXPORT std::int32_t TAVROSK_STDCALL
GetProgrammerInfo(char* programmer_name, std::uint8_t* programmer_info_record) noexcept {
  return tavrosk::host::serve_export(
      "GetProgrammerInfo",
      [&] {
        return tavrosk::host::ide_model().locked([&](IdeState& ide) {
          const tavrosk::host::Programmer* programmer = ide.find_programmer(programmer_name);
          if (programmer == nullptr) return 0;
          tavrosk::host::fill_programmer_record(
              *programmer,
              *reinterpret_cast<tavrosk::ProgrammerInfoRecord*>(programmer_info_record));
          return 1;
        });
      },
      programmer_name, programmer_info_record);
}

}  // extern "C"
