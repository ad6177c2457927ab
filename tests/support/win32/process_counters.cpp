#include "support/win32/process_counters.h"

#include <windows.h>

#include <psapi.h>

namespace tavrosk::testing {
namespace {

std::optional<std::uint64_t> gui_objects(DWORD kind) {
  SetLastError(ERROR_SUCCESS);
  DWORD count = GetGuiResources(GetCurrentProcess(), kind);
  if (count == 0 && GetLastError() != ERROR_SUCCESS) return std::nullopt;
  return count;
}

}  // namespace

ProcessCounters sample_process() {
  ProcessCounters counters;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                       sizeof memory);
  counters.private_bytes = memory.PrivateUsage;
  DWORD handles = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  counters.handles = handles;
  counters.user_objects = gui_objects(GR_USEROBJECTS);
  counters.gdi_objects = gui_objects(GR_GDIOBJECTS);
  return counters;
}

double growth(std::uint64_t first, std::uint64_t last) {
  if (first == 0) return last == 0 ? 0.0 : 1.0;
  return (static_cast<double>(last) - static_cast<double>(first)) / static_cast<double>(first);
}

}  // namespace tavrosk::testing
