// Eight threads under load, each with its own objects, session handle, debug flag and
// information stores, half on the direct road and half relayed, all against the one reference
// host. Every result is checked against the thread's own page and programmer: any cross-talk
// between threads' session records, stores or relay exchanges shows as a wrong value.
#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>

#include "bridge/page_info_lib.h"
#include "bridge/prog_info_lib.h"
#include "bridge/result_buffer.h"
#include "model/ide_model.h"
#include "records/page_info_record.h"
#include "records/programmer_info_record.h"
#include "shared/relay_commands.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

constexpr int kThreads = 8;
// A hundred and more rounds each: under Wine a relayed round takes milliseconds.
constexpr int kCallsPerThread = 2000;

// A relay exchange is two messages, and the reply window holds whatever was set last, so two
// threads relaying to one tool at once could read each other's replies; the real system behaves
// so too. The threads therefore take turns at this relay window, and it answers only the lines
// that carry the session handle of the thread whose turn it is: a line that carried another
// thread's handle empties the reply, which no member reads as the right value.
class TurnRelayWindow {
 public:
  // The caller's turn at the relay tool, until the lock is released.
  std::unique_lock<std::mutex> take_turn(Long handle) {
    std::unique_lock turn(mutex_);
    turn_ = handle;
    return turn;
  }

 private:
  void on_line(const std::string& line) {
    std::vector<std::string> fields = host::split_line(line);
    bool own = fields.size() > 1 && std::stoi(fields[1]) == turn_;
    std::optional<std::string> reply = own ? tool_.handle_line(line) : std::string();
    if (reply) reply_ = *reply;  // a command without a reply leaves it as it was
  }

  host::RelayCommands tool_;
  std::mutex mutex_;
  std::atomic<Long> turn_ = 0;
  std::string reply_;
  TestWindow window_{u"Debug VB Application", 0,
                     [this](std::uint32_t message, std::uintptr_t,
                            std::intptr_t lparam) -> std::optional<std::intptr_t> {
                       if (message != platform::kWmCopyData) return std::nullopt;
                       const auto* record =
                           reinterpret_cast<const platform::CopyDataRecord*>(lparam);
                       std::string line(static_cast<const char*>(record->lpData), record->cbData);
                       on_line(line.substr(0, line.find('\0')));
                       return 1;
                     }};
  TestWindow reply_window_{u"", window_.handle(),
                           [this](std::uint32_t message, std::uintptr_t wparam,
                                  std::intptr_t lparam) -> std::optional<std::intptr_t> {
                             if (message != platform::kWmGetText) return std::nullopt;
                             std::size_t count = std::min<std::size_t>(reply_.size(), wparam - 1);
                             std::memcpy(reinterpret_cast<char*>(lparam), reply_.data(), count);
                             reinterpret_cast<char*>(lparam)[count] = '\0';
                             return static_cast<std::intptr_t>(count);
                           }};
};

// What one thread owns in the IDE: a page of its own and a programmer of its own.
struct ThreadScenario {
  int index;
  bool relayed;
  Long handle;
  Text page, display_name, device, programmer, programmer_path, params;
  std::vector<Text> includes;
  Long page_size;
};

std::string narrow_ascii(const Text& text) {
  return std::string(text.begin(), text.end());
}

ThreadScenario scenario_for(int index) {
  ThreadScenario s;
  s.index = index;
  s.relayed = index % 2 == 1;
  s.handle = 5000 + index;
  std::u16string n(1, static_cast<char16_t>(u'0' + index));
  s.page = u"C:\\Load\\page" + n + u".bas";
  s.display_name = u"page" + n;
  s.device = u"DEV-" + n;
  s.programmer = u"Programmer" + n;
  s.programmer_path = u"C:\\Programmers\\P" + n + u"\\";
  s.params = u"-p" + n;
  for (int k = 0; k <= index; ++k) {
    s.includes.push_back(u"C:\\Load\\inc" + n + u"_" + static_cast<char16_t>(u'0' + k) + u".inc");
  }
  s.page_size = 100 * (index + 1);
  return s;
}

void add_to_ide(host::IdeState& ide, const ThreadScenario& s) {
  host::Page page;
  page.file_name = narrow_ascii(s.page);
  page.display_name = narrow_ascii(s.display_name);
  page.text = std::string(static_cast<std::size_t>(s.page_size), 'x');
  page.device = narrow_ascii(s.device);
  page.version[0] = static_cast<std::uint8_t>(s.index);
  for (const auto& include : s.includes) page.includes.push_back(narrow_ascii(include));
  ide.pages.push_back(page);
  host::Programmer programmer;
  programmer.name = narrow_ascii(s.programmer);
  programmer.path = narrow_ascii(s.programmer_path);
  programmer.params = narrow_ascii(s.params);
  ide.programmers.push_back(programmer);
}

// Counts what went wrong on one thread and keeps the first few messages.
struct Findings {
  int failures = 0;
  std::vector<std::string> first;
  void check(bool ok, const std::string& what) {
    if (ok) return;
    if (++failures <= 5) first.push_back(what);
  }
};

// The thread's mixed calls on its own objects; every result checked against its own scenario.
Findings run_thread(const ThreadScenario& s, int page_count, TurnRelayWindow& relay) {
  Findings f;
  VB_PluginLib ide;
  PageInfoLib page_info;
  ProgInfoLib programmer_info;
  {
    auto turn = relay.take_turn(s.handle);  // DebugApp tells the relay tool on either road
    f.check(ide.DebugApp(s.handle, to_vb_bool(s.relayed)).value == kTrue, "DebugApp");
  }
  int calls = 1;
  for (int round = 0; calls < kCallsPerThread; ++round) {
    std::unique_lock<std::mutex> turn;
    if (s.relayed) turn = relay.take_turn(s.handle);
    const auto minor = static_cast<Byte>(round % 256);
    const std::string at = " round " + std::to_string(round);
    f.check(ide.IsConnected().value == kTrue, "IsConnected" + at);
    f.check(ide.GetPageCount().value == page_count, "GetPageCount" + at);

    Text name = s.page;
    f.check(ide.SetPageVersion(name, static_cast<Byte>(s.index), minor, 0, 0).ok(),
            "SetPageVersion" + at);
    f.check(page_info.GetPageInfo(name).value == kTrue && name == s.page, "GetPageInfo" + at);
    f.check(page_info.DisplayName().value == s.display_name, "DisplayName" + at);
    f.check(page_info.Device().value == s.device, "Device" + at);
    f.check(page_info.VersionMajor().value == s.index, "VersionMajor" + at);
    f.check(page_info.VersionMinor().value == minor, "VersionMinor" + at);
    f.check(page_info.PageSize().value == s.page_size, "PageSize" + at);

    Text programmer = s.programmer;
    f.check(programmer_info.GetProgrammerInfo(programmer).value == kTrue, "GetProgrammerInfo" + at);
    f.check(programmer_info.Path().value == s.programmer_path, "Path" + at);
    f.check(programmer_info.Params().value == s.params, "Params" + at);

    auto include_at = static_cast<std::size_t>(round) % s.includes.size();
    Text include;
    f.check(ide.GetPageIncludeCount(s.page).value == static_cast<Long>(s.includes.size()),
            "GetPageIncludeCount" + at);
    f.check(
        ide.GetPageIncludeByIndex(name, static_cast<Long>(include_at), include).value == kTrue &&
            include == s.includes[include_at],
        "GetPageIncludeByIndex" + at);
    f.check(ide.GetPathIDE().value == u"C:\\Korvex\\", "GetPathIDE" + at);
    calls += 16;
    // The thread's session record is its own.
    f.check(session().session_handle == s.handle, "session handle" + at);
    f.check(is_set(session().debug_flag) == s.relayed, "debug flag" + at);
  }
  // The relay road never touches the stores; the direct road leaves the thread's own page there.
  Text stored_name = TrimNull(Text(page_info_store().DisplayName.data(), 64));
  Text stored_path = TrimNull(Text(programmer_info_store().Path.data(), 256));
  f.check(stored_name == (s.relayed ? Text() : s.display_name), "page information store");
  f.check(stored_path == (s.relayed ? Text() : s.programmer_path), "programmer store");
  return f;
}

class ThreadIsolation : public PlatformTest {};

TEST_F(ThreadIsolation, EightThreadsOnBothRoadsSeeOnlyTheirOwnState) {
  close_relay_tool();
  IdeWindow ide_window;
  std::vector<ThreadScenario> scenarios;
  for (int i = 0; i < kThreads; ++i) scenarios.push_back(scenario_for(i));
  int page_count = host::ide_model().locked([&](host::IdeState& ide) {
    ide.connected = true;
    for (const auto& s : scenarios) add_to_ide(ide, s);
    return static_cast<int>(ide.pages.size());
  });
  TurnRelayWindow relay;

  std::vector<Findings> findings(kThreads);
  std::vector<std::thread> threads;
  std::atomic<int> finished = 0;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      findings[i] = run_thread(scenarios[i], page_count, relay);
      ++finished;
    });
  }
  serve_windows_until([&] { return finished == kThreads; });
  for (auto& thread : threads) thread.join();

  for (int i = 0; i < kThreads; ++i) {
    EXPECT_EQ(findings[i].failures, 0)
        << "thread " << i << (scenarios[i].relayed ? " (relay)" : " (direct)") << ": "
        << ::testing::PrintToString(findings[i].first);
  }
  // The main thread's own session record was never touched by the others.
  EXPECT_EQ(session().session_handle, 0);
  EXPECT_FALSE(is_set(session().debug_flag));
  EXPECT_TRUE(box_texts().empty());
}

}  // namespace
}  // namespace tavrosk::testing
