// Paths, compiler and programmers: the relay road's readings of scripted replies, and the
// direct road's handling of what the library writes.
#include <cstring>

#include "bridge/plugin_manager/exports.h"
#include "model/ide_model.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class IdeRelayReplies : public BothRoadsTest {};

TEST_P(IdeRelayReplies, PathsLoseTheirPaddingButTheProgrammerKeepsIt) {
  relay_->script_reply(u"  C:\\Korvex\\\t ");
  EXPECT_EQ(ide_->GetPathIDE().value, u"C:\\Korvex\\\t");
  relay_->script_reply(u"  C:\\Plugins\\  ");
  EXPECT_EQ(ide_->GetPathPlugin().value, u"C:\\Plugins\\");
  relay_->script_reply(u" C:\\Compiler\\ ");
  EXPECT_EQ(ide_->GetPathCompiler().value, u"C:\\Compiler\\");
  relay_->script_reply(u"  FlashLink  ");
  EXPECT_EQ(ide_->GetProgrammer().value, u"  FlashLink  ");
}

TEST_P(IdeRelayReplies, CountsReadTheLeadingNumberRoundedHalfToEven) {
  const std::pair<std::u16string, Long> cases[] = {
      {u"", 0}, {u"3", 3}, {u"2.5", 2}, {u"3.5", 4}, {u"7 programmers", 7}};
  for (const auto& [reply, expected] : cases) {
    relay_->script_reply(reply);
    auto count = ide_->GetProgrammerCount();
    EXPECT_TRUE(count.ok()) << narrow(reply);
    EXPECT_EQ(count.value, expected) << narrow(reply);
  }
  relay_->script_reply(u"2147483648");
  EXPECT_EQ(ide_->GetProgrammerCount().status.error_number(), 6);
}

TEST_P(IdeRelayReplies, SplitReplyFillsTheNameThenReadsElementZero) {
  Text name = u"caller's";
  relay_->script_reply(u"");
  auto found = ide_->GetProgrammerByIndex(0, name);
  EXPECT_TRUE(found.ok());
  EXPECT_EQ(found.value, kFalse);
  EXPECT_EQ(name, u"caller's");

  relay_->script_reply(u"True");
  EXPECT_EQ(ide_->GetProgrammerByIndex(0, name).status.error_number(), 9);
  EXPECT_EQ(name, u"caller's");

  relay_->script_reply(u"True//::^xFlashLink");
  found = ide_->GetProgrammerByIndex(0, name);
  EXPECT_EQ(found.value, kTrue);
  EXPECT_EQ(name, u"FlashLink");

  relay_->script_reply(u"False//::^xProbeWriter//::^xignored");
  found = ide_->GetProgrammerByIndex(1, name);
  EXPECT_TRUE(found.ok());
  EXPECT_EQ(found.value, kFalse);
  EXPECT_EQ(name, u"ProbeWriter");

  relay_->script_reply(u"Maybe//::^xghost");
  found = ide_->GetProgrammerByIndex(2, name);
  EXPECT_EQ(found.status.error_number(), 13);
  EXPECT_EQ(found.value, kFalse);
  EXPECT_EQ(name, u"ghost");  // stored before element 0 failed
}

TEST_P(IdeRelayReplies, ALongReplyArrivesCutTo499Characters) {
  relay_->script_reply(std::u16string(600, u'p'));
  EXPECT_EQ(ide_->GetProgrammer().value, std::u16string(499, u'p'));
}

TEST_P(IdeRelayReplies, TheLastTextFieldLosesTrailingSpaces) {
  ide_->SetProgrammer(u"ProbeWriter   ");
  EXPECT_EQ(relay_lines().back(), u"SetProgrammer//::^x1312//::^xProbeWriter");
}

TEST_P(IdeRelayReplies, WithoutTheRelayToolCommandsAreSilentAndReadsWarn) {
  relay_->close();
  EXPECT_TRUE(ide_->IDELock().ok());
  EXPECT_TRUE(ide_->ExecuteProgram().ok());
  EXPECT_TRUE(box_texts().empty());

  auto path = ide_->GetPathIDE();
  EXPECT_TRUE(path.ok());
  EXPECT_EQ(path.value, u"");
  EXPECT_EQ(ide_->GetProgrammerCount().value, 0);
  EXPECT_EQ(ide_->ExecuteCompile().status.error_number(), 13);
  EXPECT_EQ(box_texts().size(), 3u);  // one per reply read
}

INSTANTIATE_TEST_SUITE_P(Roads, IdeRelayReplies, ::testing::Values(Road::kRelay), road_name);

class IdeDirectRoad : public BothRoadsTest {};

TEST_P(IdeDirectRoad, AFalseAnswerStillOverwritesTheName) {
  host::ide_model().set_export_hook("GetProgrammerByIndex", [](const auto&) { return 0; });
  Text name = u"caller's";
  auto found = ide_->GetProgrammerByIndex(0, name);
  EXPECT_TRUE(found.ok());
  EXPECT_EQ(found.value, kFalse);
  EXPECT_EQ(name, u"");

  host::ide_model().set_export_hook("GetProgrammerByIndex", [](const auto& arguments) {
    std::memcpy(reinterpret_cast<char*>(arguments[1]), "left", 5);
    return 0;
  });
  EXPECT_EQ(ide_->GetProgrammerByIndex(0, name).value, kFalse);
  EXPECT_EQ(name, u"left");
}

TEST_P(IdeDirectRoad, APathFillingTheBufferGivesAtMost256CharactersUntrimmed) {
  host::ide_model().locked([](host::IdeState& s) { s.path_compiler = std::string(300, 'c'); });
  EXPECT_EQ(ide_->GetPathCompiler().value, std::u16string(256, u'c'));
  host::ide_model().locked([](host::IdeState& s) { s.path_ide = " C:\\Korvex\\ "; });
  EXPECT_EQ(ide_->GetPathIDE().value, u" C:\\Korvex\\ ");
}

INSTANTIATE_TEST_SUITE_P(Roads, IdeDirectRoad, ::testing::Values(Road::kDirect), road_name);

}  // namespace
}  // namespace tavrosk::testing
