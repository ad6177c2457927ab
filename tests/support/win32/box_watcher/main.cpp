// Answers the library's message boxes while the Windows tests run: finds each box captioned
// "Tavrosk", appends its text to the box record and presses OK, so that a test can assert the
// box and no test waits for a user. Its own hidden window tells the tests that it runs.
#include <windows.h>

#include <string>

#include "support/win32/box_record.h"

namespace {

using namespace tavrosk::testing::win32;

// The text of a box: the dialog's static control with a text (id 0xFFFF in the system's box).
std::wstring box_text(HWND box) {
  wchar_t text[4096] = {};
  if (GetDlgItemTextW(box, 0xFFFF, text, 4096) > 0) return text;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t class_name[32] = {};
    GetClassNameW(child, class_name, 32);
    if (lstrcmpiW(class_name, L"Static") == 0 && GetWindowTextW(child, text, 4096) > 0) {
      return text;
    }
  }
  return {};
}

void record(const std::wstring& text) {
  if (FILE* file = std::fopen(box_record_path().c_str(), "ab")) {
    std::string line = encode_box_text(text);
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
  }
}

void pump_messages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) ExitProcess(0);
    DispatchMessageW(&message);
  }
}

// Presses OK and waits, boundedly, until the box is gone, so that it is recorded once.
void answer(HWND box) {
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  for (int i = 0; i < 300 && IsWindow(box); ++i) Sleep(10);
}

LRESULT CALLBACK watcher_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int main() {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = watcher_proc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"TavroskBoxWatcher";
  RegisterClassW(&window_class);
  if (!CreateWindowExW(0, window_class.lpszClassName, kWatcherWindowTitle, WS_OVERLAPPED, 0, 0, 10,
                       10, nullptr, nullptr, window_class.hInstance, nullptr)) {
    return 1;
  }
  DeleteFileA(box_record_path().c_str());
  for (;;) {
    pump_messages();
    if (HWND box = FindWindowW(L"#32770", kBoxCaption)) {
      record(box_text(box));
      answer(box);
    } else {
      Sleep(10);
    }
  }
}
