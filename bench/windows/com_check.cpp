#include <stdexcept>
#include <string>

#include "windows_bench.h"

namespace tavrosk::bench {

void check(HRESULT hr, const char* call) {
  if (hr != S_OK) {
    throw std::runtime_error(std::string(call) + " failed with status " +
                             std::to_string(static_cast<unsigned long>(hr)));
  }
}

void set_relay_road(_VB_PluginLib* ide, bool on) {
  long window = kPluginWindow;
  VARIANT_BOOL mode = on ? VARIANT_TRUE : VARIANT_FALSE;
  VARIANT_BOOL answer = VARIANT_FALSE;
  check(ide->DebugApp(&window, &mode, &answer), "DebugApp");
  if (on && answer != VARIANT_TRUE) throw std::runtime_error("the relay program did not answer");
}

}  // namespace tavrosk::bench
