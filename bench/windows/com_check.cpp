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

}  // namespace tavrosk::bench
