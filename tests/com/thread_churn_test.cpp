// A thousand threads one after another, each a single-threaded apartment that reads through
// the relay program and on the direct road through Tavrosk.dll and then ends. Each must end
// promptly (a thread that keeps state of the DLL's past its end may never finish ending), and
// what a thread leaves behind must be released with it: after the last thread the process
// holds no more private bytes or handles than after the first hundred, within 1%.
#include <chrono>

#include "com/com_client.h"
#include "model/ide_model.h"
#include "support/win32/process_counters.h"

namespace tavrosk::testing {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kThreads = 1000;
constexpr int kSettledAfter = 100;
constexpr auto kEndWithin = std::chrono::seconds(1);
constexpr DWORD kGiveUpMs = 10000;
constexpr double kGrowthBound = 0.01;

const wchar_t kMainText[] = L"Device = KXA4550\r\nDim Led As PORTB.0\r\nHigh Led\r\n";

struct ThreadRun {
  int failures = 0;
  Clock::time_point body_done;
};

// What one thread does: both roads, every result checked, then its objects released.
void thread_body(ThreadRun& run) {
  auto fail_unless = [&](bool ok) { run.failures += ok ? 0 : 1; };
  if (FAILED(CoInitialize(nullptr))) {
    ++run.failures;
    run.body_done = Clock::now();
    return;
  }
  {
    auto ide = create<_VB_PluginLib>(CLSID_VB_PluginLib);
    long window = kPluginWindow;
    VARIANT_BOOL answer = VARIANT_FALSE;
    long length = 0;
    Bstr text;
    fail_unless(ide->Connect(&window, &answer) == S_OK && answer == VARIANT_TRUE);
    fail_unless(ide->GetPageText(&length, text.put()) == S_OK && text.text() == kMainText);
    {
      RelayRoad road(ide.get());
      long count = 0;
      fail_unless(ide->GetPageCount(&count) == S_OK && count == 2);
      fail_unless(ide->GetPageText(&length, text.put()) == S_OK && text.text() == kMainText);
    }
    fail_unless(ide->IsConnected(&answer) == S_OK && answer == VARIANT_TRUE);
  }
  CoUninitialize();
  run.body_done = Clock::now();
}

DWORD WINAPI churn_thread(void* parameter) {
  thread_body(*static_cast<ThreadRun*>(parameter));
  return 0;
}

// Pumps this thread's messages (the IDE window lives here) until the thread has ended or
// the wait is given up; the moment it ended, if it did.
std::optional<Clock::time_point> wait_for_end(HANDLE thread) {
  Clock::time_point give_up = Clock::now() + std::chrono::milliseconds(kGiveUpMs);
  while (Clock::now() < give_up) {
    DWORD woke = MsgWaitForMultipleObjects(1, &thread, FALSE, 50, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) return Clock::now();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return std::nullopt;
}

class ThreadChurn : public ComTest {};

TEST_F(ThreadChurn, AThousandThreadsEachEndWithinASecondAndLeaveNothingBehind) {
  ProcessCounters settled;
  for (int index = 0; index < kThreads; ++index) {
    // The reference IDE keeps a log of export calls; a fresh one keeps it from growing.
    host::ide_model().reset();
    ThreadRun run;
    HANDLE thread = CreateThread(nullptr, 0, churn_thread, &run, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    std::optional<Clock::time_point> ended = wait_for_end(thread);
    CloseHandle(thread);
    ASSERT_TRUE(ended) << "thread " << index << " did not end";
    ASSERT_EQ(run.failures, 0) << "thread " << index;
    ASSERT_LT(*ended - run.body_done, kEndWithin) << "thread " << index << " ended late";
    if (index + 1 == kSettledAfter) settled = sample_process();
  }
  ProcessCounters last = sample_process();
  ASSERT_GT(settled.private_bytes, 0u);
  ASSERT_GT(settled.handles, 0u);
  EXPECT_LE(growth(settled.private_bytes, last.private_bytes), kGrowthBound)
      << settled.private_bytes << " then " << last.private_bytes;
  EXPECT_LE(growth(settled.handles, last.handles), kGrowthBound)
      << settled.handles << " then " << last.handles;
  EXPECT_TRUE(box_texts().empty());
}

}  // namespace
}  // namespace tavrosk::testing
