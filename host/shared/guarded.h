#pragma once
// Runs `work` where no exception may leave: a window procedure that the system calls, a
// function that another module calls. On 32-bit Windows an exception cannot unwind through
// the system's frames or into another module, and would end the process; here any failure
// gives `failed` instead.
#include <utility>

namespace tavrosk::host {

template <class Work, class Value>
Value guarded(Work&& work, Value failed) noexcept {
  try {
    return std::forward<Work>(work)();
  } catch (...) {
    return failed;
  }
}

}  // namespace tavrosk::host
