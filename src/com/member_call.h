#pragma once
// One interface method = one call of its core member. `deliver` runs the call (argument
// conversion and core member) as the member's entry point: the result slot holds its type's
// zero value unless the call succeeds, and the status reaches the caller with error info; any
// failure, an allocation failure or a run-time error raised by a conversion, is such a status.
#include <windows.h>

#include "base/run_time_error.h"
#include "com/com_values.h"
#include "com/entry_point.h"
#include "com/error_info.h"

namespace tavrosk::com {

// The status of a member that failed: the run-time error with its error info.
inline HRESULT member_failure() noexcept {
  return report_error(detail::current_error_number());
}

// Each form is inlined into its member (see entry_point).

// Members with a result slot; `call` returns the core's Result<T>.
template <class Slot, class Call>
[[gnu::always_inline]] inline HRESULT deliver(Slot* slot, Call&& call) noexcept {
  if (slot == nullptr) return report_error(error::kInvalidCall);
  clear_result(slot);
  return entry_point(
      [&] {
        auto outcome = call();
        if (outcome.ok()) store_result(slot, outcome.value);
        return report(outcome.status);
      },
      &member_failure);
}

// A Variant result that is always empty, for a member whose outcome is its status alone.
template <class Call>
[[gnu::always_inline]] inline HRESULT deliver(VARIANT* slot, Call&& call) noexcept {
  if (slot == nullptr) return report_error(error::kInvalidCall);
  clear_result(slot);
  return entry_point([&] { return report(call()); }, &member_failure);
}

// Members without a result slot; `call` returns the core's Status.
template <class Call>
[[gnu::always_inline]] inline HRESULT deliver(Call&& call) noexcept {
  return entry_point([&] { return report(call()); }, &member_failure);
}

// The interface's result slot for a core result of type T.
template <class T>
struct ResultSlot;
template <>
struct ResultSlot<Text> {
  using Type = BSTR;
};
template <>
struct ResultSlot<VbBool> {
  using Type = VARIANT_BOOL;
};
template <>
struct ResultSlot<Long> {
  using Type = long;
};
template <>
struct ResultSlot<Byte> {
  using Type = unsigned char;
};

}  // namespace tavrosk::com
