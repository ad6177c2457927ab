#pragma once
// One interface method = one call of its core member. `deliver` runs the call (argument
// conversion and core member) under the handler: the result slot holds its type's zero value
// unless the call succeeds, and the status reaches the caller with error info.
#include <windows.h>

#include "base/run_time_error.h"
#include "com/com_values.h"
#include "com/error_info.h"

namespace tavrosk::com {

// Members with a result slot; `call` returns the core's Result<T>.
template <class Slot, class Call>
HRESULT deliver(Slot* slot, Call&& call) noexcept {
  if (slot == nullptr) return report_error(error::kInvalidCall);
  clear_result(slot);
  try {
    auto outcome = call();
    if (outcome.ok()) store_result(slot, outcome.value);
    return report(outcome.status);
  } catch (...) {
    return report_error(detail::current_error_number());
  }
}

// A Variant result that is always empty, for a member whose outcome is its status alone.
template <class Call>
HRESULT deliver(VARIANT* slot, Call&& call) noexcept {
  if (slot == nullptr) return report_error(error::kInvalidCall);
  clear_result(slot);
  try {
    return report(call());
  } catch (...) {
    return report_error(detail::current_error_number());
  }
}

// Members without a result slot; `call` returns the core's Status.
template <class Call>
HRESULT deliver(Call&& call) noexcept {
  try {
    return report(call());
  } catch (...) {
    return report_error(detail::current_error_number());
  }
}

}  // namespace tavrosk::com
