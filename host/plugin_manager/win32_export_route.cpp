#include <windows.h>

#include <mutex>
#include <string>
#include <utility>

#include "model/ide_model.h"
#include "plugin_manager/export_route.h"
#include "shared/guarded.h"
#include "shared/win32_relay_protocol.h"

namespace tavrosk::host {
namespace {

namespace protocol = win32_relay;

constexpr wchar_t kAnswerClass[] = L"TavroskReferenceExportAnswer";

thread_local std::optional<std::string> t_answer;

LRESULT on_answer_window_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA && lparam != 0) {
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    if (data.dwData == protocol::kExportAnswerTag) {
      t_answer.emplace(static_cast<const char*>(data.lpData), data.lpData ? data.cbData : 0);
      return 1;
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK answer_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return guarded([&] { return on_answer_window_message(window, message, wparam, lparam); },
                 LRESULT{0});
}

// A message-only window of this thread, for the answer that the host program sends back while
// this thread waits for it.
HWND answer_window() {
  static const bool registered = [] {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = answer_window_proc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = kAnswerClass;
    return RegisterClassW(&window_class) != 0;
  }();
  thread_local HWND window = nullptr;
  if (registered && (window == nullptr || !IsWindow(window))) {
    window = CreateWindowExW(0, kAnswerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  }
  return window;
}

struct IdeWindow {
  HWND window = nullptr;
  DWORD process = 0;
};

// The IDE window found last. Every export call asks for it, and a search walks every top-level
// window (a round trip to the window server under Wine), so a window still there is kept; one
// that has gone (a host program closed or restarted) is searched for afresh. A search that found
// none holds for a short while, so that a plug-in's calls with no IDE anywhere stay cheap: a host
// program started since is found once it has passed, an IDE window of this process at once.
// Kept for the process, not per thread: a plug-in's threads come and go, and state of this DLL
// per thread would have to end with each.
constexpr ULONGLONG kNoneFoundHoldsMs = 100;

IdeWindow ide_window() {
  static std::mutex mutex;
  static IdeWindow found;
  static ULONGLONG none_found_at = 0;
  static unsigned windows_made_then = 0;
  std::lock_guard lock(mutex);
  if (found.window != nullptr) {
    if (IsWindow(found.window)) return found;
  } else if (none_found_at != 0 && GetTickCount64() - none_found_at < kNoneFoundHoldsMs &&
             ide_windows_made() == windows_made_then) {
    return found;
  }
  windows_made_then = ide_windows_made();
  found.window = FindWindowW(nullptr, protocol::kIdeWindowTitle);
  found.process = 0;
  none_found_at = 0;
  if (found.window != nullptr) {
    GetWindowThreadProcessId(found.window, &found.process);
  } else {
    none_found_at = GetTickCount64();
  }
  return found;
}

}  // namespace

ExportRoute export_route() {
  IdeWindow ide = ide_window();
  if (ide.window == nullptr) return ExportRoute::kOwnModel;
  return ide.process == GetCurrentProcessId() ? ExportRoute::kThisProcess
                                              : ExportRoute::kHostProgram;
}

std::optional<ExportAnswer> forward_to_host_program(const ExportCall& call) {
  HWND ide = ide_window().window;
  HWND answer = answer_window();
  if (ide == nullptr || answer == nullptr) return std::nullopt;
  std::string request = encode_call(call);
  COPYDATASTRUCT data{protocol::kExportCallTag, static_cast<DWORD>(request.size()), request.data()};
  t_answer.reset();
  DWORD_PTR taken = 0;
  if (!SendMessageTimeoutW(ide, WM_COPYDATA, reinterpret_cast<WPARAM>(answer),
                           reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, protocol::kSendTimeoutMs,
                           &taken) ||
      taken != 1 || !t_answer) {
    return std::nullopt;
  }
  std::optional<std::string> bytes = std::exchange(t_answer, std::nullopt);
  return decode_answer(*bytes);
}

}  // namespace tavrosk::host
