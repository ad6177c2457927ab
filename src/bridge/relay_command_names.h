#pragma once
// The relay road's command names, each written once, for the members that send them and the
// reference relay tool that answers them. A VB_PluginLib member that has an export sends the
// export's name; the members of PageInfoLib and ProgInfoLib send their class's prefix and their
// own name (so the fetches are PageInfo::GetPageInfo and ProgInfo::GetProgrammerInfo, not the
// export-named GetPageInfo and GetProgrammerInfo, which no member sends).
#include <cstddef>
#include <string_view>

#include "bridge/plugin_manager/export_list.h"
#include "records/page_info_record.h"
#include "records/programmer_info_record.h"

namespace tavrosk {

// An ASCII command name in both widths: the library's lines are UTF-16, the relay tool's ANSI.
template <std::size_t N>
struct RelayCommandName {
  char narrow[N]{};
  char16_t wide[N]{};

  consteval RelayCommandName(const char (&name)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
      narrow[i] = name[i];
      wide[i] = static_cast<char16_t>(name[i]);
    }
  }
  constexpr operator std::u16string_view() const { return {wide, N - 1}; }
  constexpr operator std::string_view() const { return {narrow, N - 1}; }
};

namespace relay_command {

#define TAVROSK_EXPORT_COMMAND(name, ...) inline constexpr RelayCommandName name{#name};
TAVROSK_PLUGIN_MANAGER_EXPORTS(TAVROSK_EXPORT_COMMAND)
#undef TAVROSK_EXPORT_COMMAND

inline constexpr RelayCommandName DebugApp{"DebugApp"};

namespace PageInfo {
inline constexpr RelayCommandName GetPageInfo{"PageInfo.GetPageInfo"};
#define TAVROSK_PAGE_INFO_COMMAND(name, kind) \
  inline constexpr RelayCommandName name{"PageInfo." #name};
TAVROSK_PAGE_INFO_FIELDS(TAVROSK_PAGE_INFO_COMMAND)
#undef TAVROSK_PAGE_INFO_COMMAND
}  // namespace PageInfo

namespace ProgInfo {
inline constexpr RelayCommandName GetProgrammerInfo{"ProgInfo.GetProgrammerInfo"};
#define TAVROSK_PROG_INFO_COMMAND(name, kind) \
  inline constexpr RelayCommandName name{"ProgInfo." #name};
TAVROSK_PROGRAMMER_INFO_FIELDS(TAVROSK_PROG_INFO_COMMAND)
#undef TAVROSK_PROG_INFO_COMMAND
}  // namespace ProgInfo

}  // namespace relay_command
}  // namespace tavrosk
