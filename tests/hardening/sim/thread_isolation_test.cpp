// Eight threads under load, each with its own objects, session handle, debug flag and
// information stores, half on the direct road and half relayed, all against the one reference
// host. Every result is checked against the thread's own page and programmer: any cross-talk
// between threads' session records, stores or relay exchanges shows as a wrong value.
#include <cstring>
#include <map>
#include <mutex>
#include <thread>

#include "bridge/result_buffer.h"
#include "model/ide_model.h"
#include "records/page_info_lib.h"
#include "records/page_info_record.h"
#include "records/prog_info_lib.h"
#include "records/programmer_info_record.h"
#include "relay_tool/relay_commands.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

using platform::WindowHandle;

constexpr int kThreads = 8;
constexpr int kCallsPerThread = 10000;

// The session handle of the thread that reads a reply on this thread.
thread_local Long t_session_handle = 0;

// A relay exchange is two messages, and the reply window holds whatever was set last, so two
// threads relaying to one tool at once could read each other's replies; the real system behaves
// so too. This relay window therefore keeps one reference relay tool (its command handling and
// its page and programmer records) and one reply per session handle: a line is answered by the
// tool of the handle it carries, and a read returns the reply kept for the reading thread's own
// handle. Each exchange's result then depends on that thread's calls alone, while a line that
// carried another thread's handle would leave the reader with a stale or foreign reply.
class KeyedRelayWindow {
 public:
  explicit KeyedRelayWindow(const std::vector<Long>& handles) {
    for (Long handle : handles) tools_.emplace(handle, std::make_unique<host::RelayCommands>());
    auto& desktop = sim::desktop();
    window_ = desktop.create_window(
        u"Debug VB Application", 0,
        [this](WindowHandle, std::uint32_t message, std::uintptr_t,
               std::intptr_t lparam) -> std::optional<std::intptr_t> {
          if (message != platform::kWmCopyData) return std::nullopt;
          const auto* record = reinterpret_cast<const platform::CopyDataRecord*>(lparam);
          std::string line(static_cast<const char*>(record->lpData), record->cbData);
          line.resize(line.find('\0'));
          on_line(line);
          return 1;
        });
    desktop.create_window(u"", window_,
                          [this](WindowHandle, std::uint32_t message, std::uintptr_t wparam,
                                 std::intptr_t lparam) -> std::optional<std::intptr_t> {
                            if (message != platform::kWmGetText) return std::nullopt;
                            std::string reply = reply_for(t_session_handle);
                            std::size_t count = std::min<std::size_t>(reply.size(), wparam - 1);
                            std::memcpy(reinterpret_cast<char*>(lparam), reply.data(), count);
                            reinterpret_cast<char*>(lparam)[count] = '\0';
                            return static_cast<std::intptr_t>(count);
                          });
  }
  ~KeyedRelayWindow() { sim::desktop().destroy_window(window_); }

 private:
  void on_line(const std::string& line) {
    std::vector<std::string> fields = host::split_line(line);
    Long handle = fields.size() > 1 ? std::stoi(fields[1]) : 0;
    auto tool = tools_.find(handle);
    if (tool == tools_.end()) return;  // no tool for this handle: the reply stays as it was
    std::optional<std::string> reply = tool->second->handle_line(line);
    std::lock_guard lock(mutex_);
    if (reply) replies_[handle] = *reply;
  }
  std::string reply_for(Long handle) {
    std::lock_guard lock(mutex_);
    return replies_[handle];
  }

  WindowHandle window_ = 0;
  std::map<Long, std::unique_ptr<host::RelayCommands>> tools_;  // fixed after construction
  std::mutex mutex_;
  std::map<Long, std::string> replies_;
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
Findings run_thread(const ThreadScenario& s, int page_count) {
  Findings f;
  t_session_handle = s.handle;
  VB_PluginLib ide;
  PageInfoLib page_info;
  ProgInfoLib programmer_info;
  f.check(ide.DebugApp(s.handle, to_vb_bool(s.relayed)).value == kTrue, "DebugApp");
  int calls = 1;
  for (int round = 0; calls < kCallsPerThread; ++round) {
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

class ThreadIsolation : public SimTest {};

TEST_F(ThreadIsolation, EightThreadsOnBothRoadsSeeOnlyTheirOwnState) {
  host::SimIdeWindow ide_window;
  std::vector<ThreadScenario> scenarios;
  std::vector<Long> handles;
  for (int i = 0; i < kThreads; ++i) {
    scenarios.push_back(scenario_for(i));
    handles.push_back(scenarios.back().handle);
  }
  int page_count = host::ide_model().locked([&](host::IdeState& ide) {
    ide.connected = true;
    for (const auto& s : scenarios) add_to_ide(ide, s);
    return static_cast<int>(ide.pages.size());
  });
  KeyedRelayWindow relay(handles);

  std::vector<Findings> findings(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] { findings[i] = run_thread(scenarios[i], page_count); });
  }
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
