#pragma once
// Failures as an Automation client expects them: the status 0x800A0000 + number, and error
// info with the source "Tavrosk" and the standard description of the number, so that a script
// shows Err.Number, Err.Source and Err.Description instead of a generic failure.
#include <windows.h>

#include <string_view>

#include "base/run_time_error.h"

namespace tavrosk::com {

constexpr std::wstring_view kErrorSource = L"Tavrosk";

// Sets (or, for a success, clears) the thread's error info and returns the status as HRESULT.
// Never fails itself: it reports a failure that may be the lack of memory (the error info is
// then left out).
HRESULT report(Status status) noexcept;
inline HRESULT report_error(int number) noexcept {
  return report(Status::of_error(number));
}

// Fills an EXCEPINFO for a failed late-bound call as the type library's Invoke does: the
// status, and the source, description and help of the thread's error info, which it takes.
// Without error info (a failure that the dispatch itself detects, after a member that
// succeeded), the source "Tavrosk" and the standard description of the status's number.
void fill_exception(EXCEPINFO* info, HRESULT status) noexcept;

}  // namespace tavrosk::com
