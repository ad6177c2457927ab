// The host program as a plug-in author starts it, with its whole interface: the IDE window and
// the relay window, whose first child is still the reply window, and one model behind both
// roads.
#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <string>

#include "bridge/session.h"
#include "bridge/vb_plugin_lib.h"
#include "model/ide_model.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

constexpr DWORD kWaitMs = 15000;

// The host program beside this test program, with its arguments, as a command line.
std::string host_program(const std::string& arguments) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return '"' + folder.substr(0, folder.find_last_of('\\') + 1) + "korvex_relay_tool.exe\" " +
         arguments;
}

std::string window_text(HWND window) {
  char text[4096] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                      kWaitMs, &copied);
  return text;
}

class HostProgram : public WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    if (HasFatalFailure()) return;
    // Another program's relay window would take our lines.
    for (DWORD waited = 0; waited < kWaitMs; waited += 10) {
      HWND other = FindWindowW(nullptr, L"Debug VB Application");
      if (other == nullptr) break;
      PostMessageW(other, WM_CLOSE, 0, 0);
      Sleep(10);
    }
    std::string command = host_program("--hidden");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process_));
    CloseHandle(process_.hThread);
    for (DWORD waited = 0; waited < kWaitMs && (relay_ == nullptr || ide_ == nullptr);
         waited += 10) {
      Sleep(10);
      relay_ = FindWindowW(nullptr, L"Debug VB Application");
      ide_ = FindWindowW(nullptr, L"Korvex IDE");
    }
    ASSERT_NE(relay_, nullptr);
    ASSERT_NE(ide_, nullptr);
  }

  void TearDown() override {
    if (process_.hProcess != nullptr) {
      PostMessageW(relay_, WM_CLOSE, 0, 0);
      if (WaitForSingleObject(process_.hProcess, kWaitMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 1);
      }
      CloseHandle(process_.hProcess);
    }
    WindowsTest::TearDown();
  }

  PROCESS_INFORMATION process_{};
  HWND relay_ = nullptr;
  HWND ide_ = nullptr;
};

TEST_F(HostProgram, TheReplyWindowIsTheRelayWindowsFirstChildBesideTheTrafficList) {
  DWORD owner = 0;
  GetWindowThreadProcessId(ide_, &owner);
  EXPECT_EQ(owner, process_.dwProcessId);
  VB_PluginLib plugin;  // finds the program's IDE window: no box
  ASSERT_TRUE(plugin.DebugApp(1312, kTrue).ok());
  EXPECT_EQ(plugin.GetPathIDE().value, u"C:\\Korvex\\");
  EXPECT_EQ(window_text(GetWindow(relay_, GW_CHILD)), "C:\\Korvex\\");
  HWND traffic = FindWindowExW(relay_, nullptr, WC_LISTVIEWW, nullptr);
  ASSERT_NE(traffic, nullptr);
  // The list learns of its rows on the program's timer, moments after the lines.
  LRESULT rows = 0;
  for (DWORD waited = 0; waited < kWaitMs && rows < 2; waited += 10) {
    Sleep(10);
    rows = SendMessageW(traffic, LVM_GETITEMCOUNT, 0, 0);
  }
  EXPECT_EQ(rows, 2);  // DebugApp, GetPathIDE
  EXPECT_TRUE(box_texts().empty());
}

TEST_F(HostProgram, BothRoadsReachTheProgramsOneModel) {
  VB_PluginLib plugin;
  ASSERT_TRUE(plugin.SetPageNew(u"C:\\Projects\\Blink\\added.bas").ok());  // direct: handed over
  EXPECT_EQ(host::ide_model().locked([](host::IdeState& ide) { return ide.pages.size(); }), 2u);
  ASSERT_TRUE(plugin.DebugApp(1312, kTrue).ok());
  EXPECT_EQ(plugin.GetPageCount().value, 3);  // relayed
  EXPECT_EQ(plugin.GetPage().value, u"C:\\Projects\\Blink\\added.bas");
  HWND view = GetWindow(ide_, GW_CHILD);
  EXPECT_NE(window_text(view).find("> added.bas"), std::string::npos) << window_text(view);
  EXPECT_TRUE(box_texts().empty());
}

// A script's --close ends the reference host and leaves another program's window of the same
// title, such as the IDE's own VB DEBUGGER, alone. This thread answers its window's messages
// while --close runs, as that program would.
TEST_F(HostProgram, CloseEndsOnlyTheReferenceHostsOwnRelayWindow) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"OtherDebugger";
  RegisterClassW(&window_class);
  HWND other =
      CreateWindowExW(0, window_class.lpszClassName, L"Debug VB Application", WS_OVERLAPPED, 0, 0,
                      10, 10, nullptr, nullptr, window_class.hInstance, nullptr);
  ASSERT_NE(other, nullptr);
  std::string command = host_program("--close");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION closer{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &closer));
  CloseHandle(closer.hThread);
  for (DWORD waited = 0; waited < 2 * kWaitMs; waited += 10) {
    if (MsgWaitForMultipleObjects(1, &closer.hProcess, FALSE, 10, QS_ALLINPUT) == WAIT_OBJECT_0) {
      break;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  DWORD exit_code = 1;
  GetExitCodeProcess(closer.hProcess, &exit_code);
  CloseHandle(closer.hProcess);
  EXPECT_EQ(exit_code, 0u);
  EXPECT_EQ(WaitForSingleObject(process_.hProcess, kWaitMs), WAIT_OBJECT_0);
  EXPECT_TRUE(IsWindow(other));
  DestroyWindow(other);
}

}  // namespace
}  // namespace tavrosk::testing
