// The reference host: its exports honour the buffer length they are given, and its relay
// commands answer in the relay's reply forms.
#include <cstring>

#include "bridge/plugin_manager/exports.h"
#include "model/ide_model.h"
#include "shared/relay_commands.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

namespace pm = plugin_manager;

class HostExports : public PlatformTest {
 protected:
  // 16 canary bytes and a terminator past them: the host logs a buffer argument as text.
  char buffer_[17] = {};
  void SetUp() override {
    PlatformTest::SetUp();
    std::memset(buffer_, '#', 16);
  }
  std::string buffer() const { return std::string(buffer_, 16); }
};

TEST_F(HostExports, ABufferShorterThanTheTextIsFilledWithoutOverrun) {
  pm::GetPathIDE(buffer_, 4);
  EXPECT_EQ(buffer(), "C:\\K############");
  pm::GetProgrammer(buffer_, std::int16_t{3});
  EXPECT_EQ(buffer(), "FlaK############");  // over the path's first bytes
}

TEST_F(HostExports, ANonPositiveLengthWritesNothing) {
  pm::GetPage(buffer_, 0);
  pm::GetPageText(buffer_, -5);
  EXPECT_EQ(buffer(), std::string(16, '#'));
}

TEST_F(HostExports, TheCallLogKeepsTheMostRecentCallsOnly) {
  constexpr std::size_t kLimit = host::IdeModel::kExportLogLimit;
  IdeWindow ide_window;  // found by the first call and kept, as in a long run against the IDE
  for (std::size_t i = 0; i < kLimit; ++i) pm::GetPageCount();
  pm::IsConnected();
  pm::GetPageCount();
  std::vector<std::string> calls = host::ide_model().export_calls();
  ASSERT_EQ(calls.size(), kLimit);
  EXPECT_EQ(calls[kLimit - 3], "GetPageCount()");
  EXPECT_EQ(calls[kLimit - 2], "IsConnected()");
  EXPECT_EQ(calls[kLimit - 1], "GetPageCount()");
  host::ide_model().reset();
  EXPECT_TRUE(host::ide_model().export_calls().empty());
}

TEST_F(HostExports, AnIndexOutOfRangeAnswersZeroAndWritesNothing) {
  EXPECT_EQ(pm::GetProgrammerByIndex(2, buffer_, 16), 0);
  EXPECT_EQ(pm::GetPageByIndex(-1, buffer_, 16), 0);
  char page[] = "C:\\Projects\\Blink\\util.bas";
  EXPECT_EQ(pm::GetPageIncludeByIndex(page, 0, buffer_, 16), 0);
  EXPECT_EQ(buffer(), std::string(16, '#'));
}

TEST_F(HostExports, ASelectionPastTheEndOfThePageIsCutThere) {
  host::ide_model().locked([](host::IdeState& s) {
    s.active()->text = "abcdef";
    s.active()->selection_start = 4;
    s.active()->selection_length = 100;
  });
  pm::GetPageSelectedText(buffer_, 16);
  EXPECT_STREQ(buffer_, "ef");
}

class HostRelayCommands : public PlatformTest {
 protected:
  std::optional<std::string> answer(std::string_view line) { return commands_.handle_line(line); }
  host::RelayCommands commands_;
};

TEST_F(HostRelayCommands, EnumerationsAnswerInTheSplitForm) {
  EXPECT_EQ(answer("GetProgrammerByIndex//::^x1//::^x1"), "True//::^xProbeWriter");
  EXPECT_EQ(answer("GetProgrammerByIndex//::^x1//::^x2"), "False//::^x");
  EXPECT_EQ(answer("GetPageByIndex//::^x1//::^x0"), "True//::^xC:\\Projects\\Blink\\main.bas");
  EXPECT_EQ(answer("GetPageIncludeByIndex//::^x1//::^xC:\\Projects\\Blink\\main.bas//::^x0"),
            "True//::^xC:\\Korvex\\Includes\\delays.inc");
  EXPECT_EQ(answer("GetPageIncludeByIndex//::^x1//::^xC:\\Projects\\Blink\\main.bas"),
            "False//::^x");
}

}  // namespace
}  // namespace tavrosk::testing
