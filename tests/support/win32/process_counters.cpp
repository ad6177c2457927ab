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

// Where the system does not count the process's handles (Wine answers 0), the handle values
// are asked for their flags, lowest first, until a long run of values answers none: the open
// ones answer, and a handle table hands out its lowest free entries first.
std::uint64_t probed_handles() {
  constexpr std::uintptr_t kStep = 4;
  constexpr std::uintptr_t kEmptyRun = 4096;
  std::uint64_t open = 0;
  std::uintptr_t last_open = 0;
  for (std::uintptr_t value = kStep; value - last_open <= kEmptyRun * kStep; value += kStep) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
      ++open;
      last_open = value;
    }
  }
  return open;
}

}  // namespace

ProcessCounters sample_process() {
  ProcessCounters counters;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                       sizeof memory);
  // The commit charge is the private bytes; a system that fills only the shorter record
  // (Wine) leaves PrivateUsage 0 and gives the same figure as PagefileUsage.
  counters.private_bytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
  DWORD handles = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  counters.handles = handles != 0 ? handles : probed_handles();
  counters.user_objects = gui_objects(GR_USEROBJECTS);
  counters.gdi_objects = gui_objects(GR_GDIOBJECTS);
  return counters;
}

double growth(std::uint64_t first, std::uint64_t last) {
  if (first == 0) return last == 0 ? 0.0 : 1.0;
  return (static_cast<double>(last) - static_cast<double>(first)) / static_cast<double>(first);
}

}  // namespace tavrosk::testing
