// Session members, object creation, routing and the plug-in manager library: what the user is
// told, and how the session record moves.
#include <cstring>
#include <thread>

#include "bridge/plugin_manager/exports.h"
#include "bridge/result_buffer.h"
#include "model/ide_model.h"
#include "support/code_pages.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

constexpr std::u16string_view kDebuggerBox =
    u"VB DEBUGGER not running\r\nPlease launch the VB DEBUGGER from the Korvex IDE Toolbar";

class Session : public PlatformTest {};

TEST_F(Session, CreatingWithoutTheIdeWarnsOnceAndTheObjectStillWorks) {
  session().session_handle = 77;
  VB_PluginLib ide;
  EXPECT_EQ(box_texts(), std::vector<std::u16string>{u"Korvex IDE not running"});
  EXPECT_EQ(session().session_handle, 77);
  EXPECT_EQ(ide.Connect(5).value, kTrue);
}

TEST_F(Session, CreatingWithTheIdeRunningSaysNothing) {
  IdeWindow ide_window;
  VB_PluginLib ide;
  EXPECT_TRUE(box_texts().empty());
}

TEST_F(Session, IdeWindowIsFoundByItsWholeTitleOnly) {
  TestWindow longer(u"Korvex IDE - main.bas");
  VB_PluginLib warned;
  EXPECT_EQ(box_texts().size(), 1u);
  TestWindow other_case(u"KORVEX ide");
  VB_PluginLib quiet;
  EXPECT_EQ(box_texts().size(), 1u);
}

TEST_F(Session, AFreshThreadTakesTheDirectRoad) {
  IdeWindow ide_window;
  RelayTool relay;
  VB_PluginLib ide;
  EXPECT_EQ(ide.IsConnected().value, kFalse);
  EXPECT_EQ(host::ide_model().export_calls(), std::vector<std::string>{"IsConnected()"});
  EXPECT_TRUE(relay.received().empty());
}

TEST_F(Session, DebugAppWithoutTheRelayToolFailsButSwitchesTheRoad) {
  close_relay_tool();
  IdeWindow ide_window;
  VB_PluginLib ide;
  auto result = ide.DebugApp(1312, kTrue);
  EXPECT_EQ(result.status.error_number(), 13);
  EXPECT_EQ(result.status.code, 0x800A000Du);
  EXPECT_EQ(result.value, kFalse);
  EXPECT_EQ(box_texts(), std::vector<std::u16string>{std::u16string(kDebuggerBox)});
  EXPECT_EQ(session().debug_flag, kTrue);
  EXPECT_EQ(session().session_handle, 1312);

  // Every later Boolean call is relayed and fails the same way, one box each.
  EXPECT_EQ(ide.IsConnected().status.error_number(), 13);
  EXPECT_EQ(ide.Disconnect().status.error_number(), 13);
  EXPECT_EQ(box_texts().size(), 3u);
  EXPECT_TRUE(host::ide_model().export_calls().empty());
}

TEST_F(Session, DebugAppFalseWithoutTheRelayToolFailsAndClearsTheFlag) {
  close_relay_tool();
  IdeWindow ide_window;
  VB_PluginLib ide;
  session().debug_flag = kTrue;
  auto result = ide.DebugApp(99, kFalse);
  EXPECT_EQ(result.status.error_number(), 13);
  EXPECT_EQ(session().debug_flag, kFalse);
  EXPECT_EQ(session().session_handle, 99);
  EXPECT_TRUE(ide.IsConnected().ok());
  EXPECT_EQ(host::ide_model().export_calls(), std::vector<std::string>{"IsConnected()"});
}

TEST_F(Session, DebugModeOneCountsAsSetAndIsSentAsTrue) {
  IdeWindow ide_window;
  RelayTool relay;
  VB_PluginLib ide;
  EXPECT_EQ(ide.DebugApp(1312, raw_vb_bool(1)).value, kTrue);
  EXPECT_EQ(relay.lines(), std::vector<std::u16string>{u"DebugApp//::^x1312//::^xTrue"});
  EXPECT_TRUE(is_set(session().debug_flag));
  ide.DebugApp(1312, kFalse);
  EXPECT_EQ(relay.lines().back(), u"DebugApp//::^x1312//::^xFalse");
}

TEST_F(Session, DebugAppTakesTheRelayWhateverTheFlagAndReadsABooleanReply) {
  IdeWindow ide_window;
  RelayTool relay;
  VB_PluginLib ide;
  relay.script_reply(u"0");
  EXPECT_EQ(ide.DebugApp(-4, kTrue).value, kFalse);
  EXPECT_EQ(relay.lines().back(), u"DebugApp//::^x-4//::^xTrue");
  relay.script_reply(u"maybe");
  auto result = ide.DebugApp(8, kFalse);
  EXPECT_EQ(result.status.error_number(), 13);
  EXPECT_EQ(session().session_handle, 8);
  EXPECT_EQ(session().debug_flag, kFalse);
}

TEST_F(Session, DebugAppFailsWhenTheRelayWindowGoesAwayAfterItsReply) {
  close_relay_tool();
  IdeWindow ide_window;
  VB_PluginLib ide;
  // A relay tool that answers the read, then closes.
  TestWindow relay(u"Debug VB Application");
  TestWindow reply(u"", relay.handle(),
                   [&relay](std::uint32_t message, std::uintptr_t,
                            std::intptr_t lparam) -> std::optional<std::intptr_t> {
                     if (message != platform::kWmGetText) return std::nullopt;
                     std::memcpy(reinterpret_cast<char*>(lparam), "True", 5);
                     relay.destroy();
                     return 4;
                   });
  auto result = ide.DebugApp(21, kTrue);
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.value, kFalse);
  EXPECT_EQ(box_texts(), std::vector<std::u16string>{std::u16string(kDebuggerBox)});
  EXPECT_EQ(session().debug_flag, kTrue);
  EXPECT_EQ(session().session_handle, 21);
}

TEST_F(Session, ConnectSetsTheSessionHandleOnlyOnTheRelayRoad) {
  IdeWindow ide_window;
  RelayTool relay;
  VB_PluginLib ide;
  EXPECT_EQ(ide.Connect(555).value, kTrue);
  EXPECT_EQ(session().session_handle, 0);
  EXPECT_EQ(host::ide_model().export_calls(), std::vector<std::string>{"Connect(555)"});

  ide.DebugApp(1, kTrue);
  relay.script_reply(u"nonsense");
  EXPECT_EQ(ide.Connect(-9).status.error_number(), 13);
  EXPECT_EQ(session().session_handle, -9);  // set before the reply failed
  ide.Disconnect();
  EXPECT_EQ(relay.lines().back(), u"Disconnect//::^x-9");
  EXPECT_EQ(session().session_handle, -9);
  EXPECT_EQ(session().debug_flag, kTrue);
}

TEST_F(Session, EachThreadHasItsOwnRecord) {
  IdeWindow ide_window;
  RelayTool relay;
  VB_PluginLib ide;
  ide.DebugApp(4242, kTrue);
  SessionRecord seen_elsewhere;
  Result<VbBool> elsewhere;
  std::thread([&] {
    seen_elsewhere = session();
    VB_PluginLib other;
    elsewhere = other.IsConnected();
    session().session_handle = 7;
  }).join();
  EXPECT_EQ(seen_elsewhere.session_handle, 0);
  EXPECT_EQ(seen_elsewhere.debug_flag, kFalse);
  EXPECT_TRUE(elsewhere.ok());
  EXPECT_EQ(host::ide_model().export_calls(), std::vector<std::string>{"IsConnected()"});
  EXPECT_EQ(session().session_handle, 4242);
  EXPECT_EQ(session().debug_flag, kTrue);
}

TEST_F(Session, ReplyOfTrueOrANumberConverts) {
  IdeWindow ide_window;
  RelayTool relay;
  VB_PluginLib ide;
  ide.DebugApp(3, kTrue);
  const std::pair<std::u16string, int> cases[] = {
      {u"tRuE", -1}, {u"FALSE", 0}, {u"0", 0}, {u"-1", -1}, {u"12", -1}, {u"", 13}, {u"yes", 13}};
  for (const auto& [reply, expected] : cases) {
    relay.script_reply(reply);
    auto result = ide.IsConnected();
    if (expected == 13) {
      EXPECT_EQ(result.status.error_number(), 13) << narrow(reply);
    } else {
      EXPECT_EQ(static_cast<int>(result.value), expected) << narrow(reply);
    }
  }
}

class ResultBuffer : public PlatformTest {};

TEST_F(ResultBuffer, AFullBufferWithoutNulGivesAllItsCharacters) {
  std::int32_t seen_length = 0;
  Text text = call_with_result_buffer(0, [&](char* buffer, Long length) {
    seen_length = length;
    std::memset(buffer, 'p', static_cast<std::size_t>(length));
  });
  EXPECT_EQ(seen_length, 256);
  EXPECT_EQ(text, std::u16string(256, u'p'));
  EXPECT_EQ(session().result_buffer_length, 256);
}

TEST_F(ResultBuffer, TextStopsAtTheFirstNulAndIsConvertedFromAnsi) {
  if (!select_code_page(kWindows1252CodePage)) GTEST_SKIP() << "Windows-1252's own characters";

  Text text = call_with_result_buffer(
      16, [](char* buffer, Long) { std::memcpy(buffer, "caf\xe9\0tail", 9); });
  EXPECT_EQ(text, u"caf\u00e9");
  EXPECT_EQ(TrimNull(std::u16string(u"ab\0cd", 5)), u"ab");
  EXPECT_EQ(TrimNull(u"abcd"), u"abcd");
  EXPECT_EQ(TrimNull(u""), u"");
}

class PluginManagerLibrary : public PlatformTest {};

TEST_F(PluginManagerLibrary, ExportResultsReadAsBooleansWhenNonZero) {
  VB_PluginLib ide;
  for (std::int32_t answer : {1, -5, 0, 2}) {
    host::ide_model().set_export_hook("IsConnected", [answer](const auto&) { return answer; });
    EXPECT_EQ(ide.IsConnected().value, to_vb_bool(answer != 0)) << answer;
  }
}

}  // namespace
}  // namespace tavrosk::testing
