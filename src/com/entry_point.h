#pragma once
// Where control enters the DLL from outside: its exports, every method of every object it hands
// out. No C++ exception may leave through one. The 32-bit build unwinds with DWARF tables and a
// runtime linked into each module, so an exception that reaches the caller (the system, a script
// host, a client program) ends the caller's process; on 64 bits it reaches a caller that knows
// nothing of it, in the middle of the caller's own frames.
// Each entry point is noexcept and runs its body through `entry_point`, which turns a failure
// into a status of the entry point's contract. A function that does nothing that can fail
// (AddRef, a count, a comparison) is noexcept alone.
#include <windows.h>

#include <utility>

#include "base/run_time_error.h"

namespace tavrosk::com {

// The status of a failure inside the COM plumbing (class objects, IDispatch, registration):
// E_OUTOFMEMORY when memory ran out, E_UNEXPECTED for anything else. Called while handling it.
inline HRESULT plumbing_failure() noexcept {
  return detail::current_error_number() == error::kOutOfMemory ? E_OUTOFMEMORY : E_UNEXPECTED;
}

// Runs `body`, which returns the entry point's status; a failure becomes `failure()`, which is
// called inside the handler and names the status for the exception being handled.
// Always inlined: out of line, each of the many callers would bring a copy of its own (every
// instantiation is a function of its own), which the released DLL has no room for.
template <class Body, class Failure = decltype(&plumbing_failure)>
[[gnu::always_inline]] inline HRESULT entry_point(Body&& body,
                                                  Failure failure = &plumbing_failure) noexcept {
  static_assert(noexcept(failure()), "the status of a failure must not fail in its turn");
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return failure();
  }
}

}  // namespace tavrosk::com
