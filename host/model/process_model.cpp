// The state that the host's modules share in one process: the model and the count of IDE
// windows. Everything that korvex_host.dll offers is here, and none of it can throw.
#include <atomic>

#include "model/ide_model.h"

#if defined(_WIN32)
#define KORVEX_HOST_SHARED __declspec(dllexport)
#else
#define KORVEX_HOST_SHARED __attribute__((visibility("default")))
#endif

namespace tavrosk::host {
namespace {

// Made when the module loads, before any export can run. Locking it once here also gives
// its mutex the system object behind it while only this module's thread library can touch
// it: each module carries its own copy of that library, and two copies must not both do the
// lazy first set-up at once.
struct ProcessModel {
  IdeModel model;
  ProcessModel() {
    model.locked([](IdeState&) {});
  }
};

ProcessModel g_process_model;
std::atomic<unsigned> g_ide_windows_made{0};

}  // namespace

KORVEX_HOST_SHARED IdeModel& ide_model() noexcept {
  return g_process_model.model;
}

KORVEX_HOST_SHARED unsigned ide_windows_made() noexcept {
  return g_ide_windows_made.load();
}

KORVEX_HOST_SHARED void count_ide_window_made() noexcept {
  ++g_ide_windows_made;
}

}  // namespace tavrosk::host
