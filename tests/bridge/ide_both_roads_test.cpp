// Paths, IDE window and lock, compiler and programmers: the same scenario on both roads against
// the reference host.
#include "model/ide_model.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

template <class Read>
auto ide_state(Read&& read) {
  return host::ide_model().locked(std::forward<Read>(read));
}

class IdeOnBothRoads : public BothRoadsTest {};

TEST_P(IdeOnBothRoads, PathsAreTheHostsAsItKeepsThem) {
  ide_state([](host::IdeState& s) { s.path_plugin = "C:\\Korvex Plug ins\\"; });
  EXPECT_EQ(ide_->GetPathIDE().value, u"C:\\Korvex\\");
  EXPECT_EQ(ide_->GetPathPlugin().value, u"C:\\Korvex Plug ins\\");
  EXPECT_EQ(ide_->GetPathCompiler().value, u"C:\\Korvex\\Compiler\\");
}

TEST_P(IdeOnBothRoads, WindowLockAndCompileReachTheHost) {
  EXPECT_TRUE(ide_->SetForegroundWindow().ok());
  EXPECT_TRUE(ide_->IDELock().ok());
  EXPECT_TRUE(ide_state([](host::IdeState& s) { return s.locked; }));
  EXPECT_TRUE(ide_->IDEUnlock().ok());
  EXPECT_FALSE(ide_state([](host::IdeState& s) { return s.locked; }));

  auto compiled = ide_->ExecuteCompile();
  EXPECT_TRUE(compiled.ok());
  EXPECT_EQ(compiled.value, kTrue);
  EXPECT_TRUE(ide_->ExecuteCompileAsync().ok());
  EXPECT_EQ(ide_state([](host::IdeState& s) { return s.compile_count; }), 2);
  EXPECT_EQ(ide_state([](host::IdeState& s) { return s.foreground_requests; }), 1);

  // Without an active page the host's compiler answers False, on either road.
  ide_state([](host::IdeState& s) { s.active_page = -1; });
  EXPECT_EQ(ide_->ExecuteCompile().value, kFalse);
}

TEST_P(IdeOnBothRoads, ProgrammersAreListedChosenAndRun) {
  auto count = ide_->GetProgrammerCount();
  ASSERT_EQ(count.value, 2);
  std::vector<Text> names;
  for (Long i = 0; i < count.value; ++i) {
    Text name = u"stale";
    auto found = ide_->GetProgrammerByIndex(i, name);
    EXPECT_EQ(found.value, kTrue);
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<Text>{u"FlashLink", u"ProbeWriter"}));

  EXPECT_EQ(ide_->GetProgrammer().value, u"FlashLink");
  EXPECT_EQ(ide_->SetProgrammer(u"PROBEWRITER").value, kTrue);
  EXPECT_EQ(ide_->GetProgrammer().value, u"ProbeWriter");
  EXPECT_EQ(ide_->SetProgrammer(u"nonesuch").value, kFalse);
  EXPECT_EQ(ide_->GetProgrammer().value, u"ProbeWriter");

  EXPECT_EQ(ide_->IsProgrammerAvailable().value, kTrue);
  EXPECT_TRUE(ide_->ExecuteProgram().ok());
  ide_state([](host::IdeState& s) { s.programmers[1].available = false; });
  EXPECT_EQ(ide_->IsProgrammerAvailable().value, kFalse);
  EXPECT_TRUE(ide_->ExecuteProgram().ok());
  EXPECT_EQ(ide_state([](host::IdeState& s) { return s.program_runs; }), 1);
}

TEST_P(IdeOnBothRoads, AnIndexPastTheEndAnswersFalseWithAnEmptyName) {
  Text name = u"stale";
  auto found = ide_->GetProgrammerByIndex(2, name);
  EXPECT_TRUE(found.ok());
  EXPECT_EQ(found.value, kFalse);
  EXPECT_EQ(name, u"");
  found = ide_->GetProgrammerByIndex(-1, name);
  EXPECT_EQ(found.value, kFalse);
}

TEST_P(IdeOnBothRoads, EachCallCarriesItsArgumentsOnItsRoad) {
  Text name;
  ide_->GetProgrammerByIndex(1, name);
  ide_->GetProgrammer();
  ide_->SetProgrammer(u"ProbeWriter");
  ide_->IDELock();
  if (relayed()) {
    EXPECT_TRUE(export_calls().empty());
    EXPECT_EQ(relay_lines(),
              (std::vector<std::u16string>{
                  u"GetProgrammerByIndex//::^x1312//::^x1", u"GetProgrammer//::^x1312",
                  u"SetProgrammer//::^x1312//::^xProbeWriter", u"IDELock//::^x1312"}));
  } else {
    EXPECT_EQ(export_calls(), (std::vector<std::string>{
                                  "GetProgrammerByIndex(1, \"\", 256)", "GetProgrammer(\"\", 256)",
                                  "SetProgrammer(\"ProbeWriter\")", "IDELock()"}));
    EXPECT_TRUE(relay_lines().empty());
  }
}

TEST_P(IdeOnBothRoads, DirectTextCallsLeaveTheResultBufferLengthAt256) {
  ide_->GetPathIDE();
  // The relay road never touches the result buffer.
  EXPECT_EQ(session().result_buffer_length, relayed() ? 0 : 256);
}

TAVROSK_ON_BOTH_ROADS(IdeOnBothRoads);

}  // namespace
}  // namespace tavrosk::testing
