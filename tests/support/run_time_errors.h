#pragma once
// The run-time error number a call raises, or 0 when it returns.
#include "base/run_time_error.h"

namespace tavrosk::testing {

inline int error_of(auto&& call) {
  try {
    call();
  } catch (const RunTimeError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace tavrosk::testing
