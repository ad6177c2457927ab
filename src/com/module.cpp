#include "com/module.h"

#include <atomic>

#include "com/exports.h"
#include "platform/thread_state.h"

namespace tavrosk::com {
namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

}  // namespace

HMODULE module_handle() noexcept {
  return g_module;
}

std::wstring module_path() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void object_created() noexcept {
  ++g_objects;
}
void object_destroyed() noexcept {
  --g_objects;
}
void lock_server(bool lock) noexcept {
  if (lock) {
    ++g_locks;
  } else {
    --g_locks;
  }
}
bool can_unload() noexcept {
  return g_objects.load() == 0 && g_locks.load() == 0;
}

}  // namespace tavrosk::com

// Nothing here can fail: the ending thread's state is only deleted.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) noexcept {
  if (reason == DLL_PROCESS_ATTACH) {
    tavrosk::com::g_module = instance;
  } else if (reason == DLL_THREAD_DETACH) {
    // The ending thread's session record and stores (its apartment's state).
    tavrosk::platform::release_thread_state();
  }
  return TRUE;
}
