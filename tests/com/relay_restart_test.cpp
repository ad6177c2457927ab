// The relay program dies in the middle of a relayed session and is started again: the calls
// in between show "VB DEBUGGER not running" once per reply read and fail as a missing relay
// tool makes them fail; the calls afterwards succeed on the same session; no call hangs.
#include <chrono>
#include <thread>

#include "base/user_messages.h"
#include "com/com_client.h"
#include "shared/win32_relay_protocol.h"

namespace tavrosk::testing {
namespace {

using Clock = std::chrono::steady_clock;

// A call that waits on a relay program that is gone, or on the box watcher, is over well
// within this.
constexpr auto kNoHang = std::chrono::seconds(5);

// Ends the relay program as a crash would, without letting it close its windows, and waits
// until its windows are gone.
void kill_relay_program() {
  HWND window = FindWindowW(nullptr, host::win32_relay::kRelayWindowTitle);
  ASSERT_NE(window, nullptr);
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process_id);
  ASSERT_NE(process, nullptr);
  EXPECT_TRUE(TerminateProcess(process, 9));
  EXPECT_EQ(WaitForSingleObject(process, 5000), WAIT_OBJECT_0);
  CloseHandle(process);
  for (int waited = 0; waited < 5000 && FindWindowW(nullptr, host::win32_relay::kRelayWindowTitle);
       waited += 10) {
    Sleep(10);
  }
  ASSERT_EQ(FindWindowW(nullptr, host::win32_relay::kRelayWindowTitle), nullptr);
}

// Runs one member call and checks that it came back in time.
template <class Call>
HRESULT timed(const char* member, Call&& call) {
  Clock::time_point start = Clock::now();
  HRESULT hr = call();
  EXPECT_LT(Clock::now() - start, kNoHang) << member << " took too long";
  return hr;
}

class RelayRestart : public ComTest {};

TEST_F(RelayRestart, CallsWhileTheProgramIsGoneFailWithOneBoxEachAndLaterCallsSucceed) {
  auto ide = create<_VB_PluginLib>(CLSID_VB_PluginLib);
  auto page_info = create<_PageInfoLib>(CLSID_PageInfoLib);
  RelayRoad road(ide.get());
  long window = kPluginWindow;
  VARIANT_BOOL connected = VARIANT_FALSE;
  ASSERT_EQ(ide->Connect(&window, &connected), S_OK);
  ASSERT_EQ(connected, VARIANT_TRUE);
  long count = 0;
  ASSERT_EQ(ide->GetPageCount(&count), S_OK);
  ASSERT_EQ(count, 2);

  kill_relay_program();
  forget_boxes();

  // Each of these reads one reply, of each form: Boolean, Number, Text, Split, and a record.
  VARIANT_BOOL answer = VARIANT_TRUE;
  EXPECT_EQ(timed("IsConnected", [&] { return ide->IsConnected(&answer); }), run_time_error(13));
  EXPECT_EQ(answer, VARIANT_FALSE);
  count = 7;
  EXPECT_EQ(timed("GetPageCount", [&] { return ide->GetPageCount(&count); }), S_OK);
  EXPECT_EQ(count, 0);
  Bstr path(L"before");
  EXPECT_EQ(timed("GetPathIDE", [&] { return ide->GetPathIDE(path.put()); }), S_OK);
  EXPECT_EQ(path.text(), L"");
  long length = 0;
  Bstr text;
  EXPECT_EQ(timed("GetPageText", [&] { return ide->GetPageText(&length, text.put()); }), S_OK);
  EXPECT_EQ(text.text(), L"");
  long index = 0;
  BSTR page = SysAllocString(L"kept");
  EXPECT_EQ(timed("GetPageByIndex", [&] { return ide->GetPageByIndex(&index, &page, &answer); }),
            S_OK);
  EXPECT_EQ(answer, VARIANT_FALSE);
  EXPECT_EQ(std::wstring(page), L"kept");
  SysFreeString(page);
  long line = 7;
  long column = 8;
  EXPECT_EQ(timed("GetPageCursorPos", [&] { return ide->GetPageCursorPos(&line, &column); }),
            run_time_error(9));
  EXPECT_EQ(line, 7);
  EXPECT_EQ(column, 8);
  BSTR name = SysAllocString(L"C:\\Projects\\Blink\\main.bas");
  EXPECT_EQ(timed("GetPageInfo", [&] { return page_info->GetPageInfo(&name, &answer); }),
            run_time_error(13));
  // A line that expects no reply is sent to no one, and says nothing.
  EXPECT_EQ(timed("SetPageClear", [&] { return ide->SetPageClear(); }), S_OK);
  std::vector<std::u16string> boxes = box_texts();
  EXPECT_EQ(boxes, std::vector<std::u16string>(7, std::u16string(kDebuggerNotRunning)));

  // Started again, the program serves the same session: the thread is still on the relay road.
  relay_ = std::make_unique<RelayToolProcess>();
  ASSERT_NE(relay_->window(), 0);
  forget_boxes();
  EXPECT_EQ(timed("IsConnected", [&] { return ide->IsConnected(&answer); }), S_OK);
  EXPECT_EQ(answer, VARIANT_TRUE);
  EXPECT_EQ(timed("GetPageCount", [&] { return ide->GetPageCount(&count); }), S_OK);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(timed("GetPageText", [&] { return ide->GetPageText(&length, text.put()); }), S_OK);
  EXPECT_EQ(text.text(), L"Device = KXA4550\r\nDim Led As PORTB.0\r\nHigh Led\r\n");
  EXPECT_EQ(timed("GetPageInfo", [&] { return page_info->GetPageInfo(&name, &answer); }), S_OK);
  EXPECT_EQ(answer, VARIANT_TRUE);
  SysFreeString(name);
  EXPECT_TRUE(box_texts().empty());
  EXPECT_EQ(relay_->lines().size(), 4u);
}

// The program is killed while the calls go on: a call that meets it half way gets either its
// answer or the empty reply, none hangs, and once it is gone each call shows one box.
TEST_F(RelayRestart, AProgramKilledDuringABurstOfCallsLeavesNoCallHanging) {
  auto ide = create<_VB_PluginLib>(CLSID_VB_PluginLib);
  RelayRoad road(ide.get());
  constexpr int kCalls = 300;
  constexpr int kKillAt = 100;
  int answered = 0;
  int empty = 0;
  std::thread killer;
  HANDLE start_killing = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  killer = std::thread([&] {
    WaitForSingleObject(start_killing, INFINITE);
    kill_relay_program();
  });
  for (int call = 0; call < kCalls; ++call) {
    if (call == kKillAt) {
      forget_boxes();
      SetEvent(start_killing);
    }
    long count = -1;
    ASSERT_EQ(timed("GetPageCount", [&] { return ide->GetPageCount(&count); }), S_OK);
    if (call < kKillAt) {
      ASSERT_EQ(count, 2);
    } else {
      ASSERT_TRUE(count == 2 || count == 0) << count;
      (count == 2 ? answered : empty) += 1;
    }
  }
  killer.join();
  CloseHandle(start_killing);
  // A call that found the relay window dying may have read the empty reply without a box,
  // never a box without the empty reply.
  std::size_t boxes = box_texts().size();
  EXPECT_LE(boxes, static_cast<std::size_t>(empty)) << answered << " answered";
  // Once it is gone, each call shows the box once.
  forget_boxes();
  for (int call = 0; call < 5; ++call) {
    long count = -1;
    EXPECT_EQ(timed("GetPageCount", [&] { return ide->GetPageCount(&count); }), S_OK);
    EXPECT_EQ(count, 0);
  }
  EXPECT_EQ(box_texts().size(), 5u);
}

}  // namespace
}  // namespace tavrosk::testing
