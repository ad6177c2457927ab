// The page file, version and line-colour members on both roads: their exact wire forms, the
// Boolean readings of both roads, SetPageVersion's write-back of the file name, and the
// changes reaching the reference host.
#include <array>
#include <cctype>
#include <cstring>

#include "model/ide_model.h"
#include "support/code_pages.h"
#include "support/wire_check.h"

namespace tavrosk::testing {
namespace {

const Text kMain = u"C:\\Projects\\Blink\\main.bas";
const std::string kMainAnsi = "C:\\Projects\\Blink\\main.bas";

class PageFileWire : public WireTest {};

TEST_P(PageFileWire, EachMemberPassesItsArgumentsInItsRoadsOrder) {
  ide_->SetPageSave(u"main.bas");
  expect_wire(R"(SetPageSave("main.bas"))", {u"SetPageSave", u"394", u"main.bas"});
  ide_->SetPageLoad(u"main.bas");
  expect_wire(R"(SetPageLoad("main.bas"))", {u"SetPageLoad", u"394", u"main.bas"});
  ide_->SetPageClose(u"main.bas");
  expect_wire(R"(SetPageClose("main.bas"))", {u"SetPageClose", u"394", u"main.bas"});
  ide_->SetPageCloseAll(u"fresh.bas");
  expect_wire(R"(SetPageCloseAll("fresh.bas"))", {u"SetPageCloseAll", u"394", u"fresh.bas"});
  ide_->SetPageVersionEnabled(u"main.bas", raw_vb_bool(1));
  expect_wire(R"(SetPageVersionEnabled("main.bas", 1))",
              {u"SetPageVersionEnabled", u"394", u"True", u"main.bas"});
  ide_->SetPageVersionEnabled(u"main.bas", kFalse);
  expect_wire(R"(SetPageVersionEnabled("main.bas", 0))",
              {u"SetPageVersionEnabled", u"394", u"False", u"main.bas"});
  ide_->SetPageLineColor(3, -1, 255);
  expect_wire("SetPageLineColor(3, -1, 255)", {u"SetPageLineColor", u"394", u"3", u"-1", u"255"});
  ide_->SetPageLineColorDelete(3);
  expect_wire("SetPageLineColorDelete(3)", {u"SetPageLineColorDelete", u"394", u"3"});
  ide_->SetPageLineColorClear();
  expect_wire("SetPageLineColorClear()", {u"SetPageLineColorClear", u"394"});
}

TEST_P(PageFileWire, VersionGoesNameFirstToTheExportAndNumbersFirstOnTheRelay) {
  Text name = u"main.bas";
  ide_->SetPageVersion(name, 1, 2, 3, 255);
  expect_wire(R"(SetPageVersion("main.bas", 1, 2, 3, 255))",
              {u"SetPageVersion", u"394", u"1", u"2", u"3", u"255", u"main.bas"});
  ide_->SetPageVersion(name, 0, 0, 0, 0);
  expect_wire(R"(SetPageVersion("main.bas", 0, 0, 0, 0))",
              {u"SetPageVersion", u"394", u"0", u"0", u"0", u"0", u"main.bas"});
}

TAVROSK_ON_BOTH_ROADS(PageFileWire);

// The three Boolean members, each read the same way.
using BooleanMember = Result<VbBool> (VB_PluginLib::*)(const Text&);
struct BooleanRow {
  const char* export_name;
  BooleanMember member;
};
const BooleanRow kBooleanMembers[] = {{"SetPageSave", &VB_PluginLib::SetPageSave},
                                      {"SetPageClose", &VB_PluginLib::SetPageClose},
                                      {"SetPageCloseAll", &VB_PluginLib::SetPageCloseAll}};

class PageFileBooleans : public BothRoadsTest {};

TEST_P(PageFileBooleans, AnyNonZeroExportResultIsTrue) {
  for (const BooleanRow& row : kBooleanMembers) {
    for (std::int32_t returned : {1, -5, 0}) {
      SCOPED_TRACE(std::string(row.export_name) + " returning " + std::to_string(returned));
      host::ide_model().set_export_hook(
          row.export_name, [=](const std::vector<std::intptr_t>&) { return returned; });
      Result<VbBool> result = (ide_.get()->*row.member)(u"main.bas");
      EXPECT_TRUE(result.ok());
      EXPECT_EQ(result.value, returned != 0 ? kTrue : kFalse);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Direct, PageFileBooleans, ::testing::Values(Road::kDirect), road_name);

class PageFileBooleanReplies : public BothRoadsTest {};

TEST_P(PageFileBooleanReplies, TheWholeReplyIsReadAsABoolean) {
  struct Reply {
    std::u16string text;
    VbBool value;
    int error;
  };
  const Reply replies[] = {{u"True", kTrue, 0},   {u"-1", kTrue, 0},           {u"7", kTrue, 0},
                           {u"False", kFalse, 0}, {u"0", kFalse, 0},           {u"", kFalse, 13},
                           {u"yes", kFalse, 13},  {u"True//::^x1", kFalse, 13}};
  for (const BooleanRow& row : kBooleanMembers) {
    for (const Reply& reply : replies) {
      SCOPED_TRACE(std::string(row.export_name) + " on \"" + narrow(reply.text) + "\"");
      relay_->script_reply(reply.text);
      Result<VbBool> result = (ide_.get()->*row.member)(u"main.bas");
      EXPECT_EQ(result.status.error_number(), reply.error);
      EXPECT_EQ(result.value, reply.value);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Relay, PageFileBooleanReplies, ::testing::Values(Road::kRelay), road_name);

// SetPageVersion converts the caller's own name on the direct road and writes the round trip
// back; every other member leaves the caller's text alone.
class PageVersionWriteBack : public BothRoadsTest {};

TEST_P(PageVersionWriteBack, AnAsciiNameComesBackUnchanged) {
  Text name = kMain;
  ASSERT_TRUE(ide_->SetPageVersion(name, 1, 2, 3, 4).ok());
  EXPECT_EQ(name, kMain);
}

TEST_P(PageVersionWriteBack, TheExportsInPlaceChangeReachesTheCallerOnTheDirectRoad) {
  host::ide_model().set_export_hook("SetPageVersion", [](const std::vector<std::intptr_t>& args) {
    for (char* c = reinterpret_cast<char*>(args[0]); *c != '\0'; ++c) {
      *c = static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    }
    return 0;
  });
  Text name = u"main.bas";
  ASSERT_TRUE(ide_->SetPageVersion(name, 1, 2, 3, 4).ok());
  EXPECT_EQ(narrow(name), relayed() ? "main.bas" : "MAIN.BAS");
}

TEST_P(PageVersionWriteBack, ACharacterOutsideTheCodePageComesBackAsAQuestionMark) {
  if (!select_code_page(kWindows1252CodePage)) GTEST_SKIP() << "Windows-1252's own characters";

  Text name = u"caf\u00E9\u4E2D.bas";  // é is in Windows-1252, the CJK character is not
  ASSERT_TRUE(ide_->SetPageVersion(name, 1, 2, 3, 4).ok());
  EXPECT_EQ(name, relayed() ? Text(u"caf\u00E9\u4E2D.bas") : Text(u"caf\u00E9?.bas"));
}

TEST_P(PageVersionWriteBack, BytesRideZeroExtendedInTheirSlots) {
  std::vector<std::intptr_t> seen;
  host::ide_model().set_export_hook("SetPageVersion", [&](const std::vector<std::intptr_t>& args) {
    seen = args;
    return 0;
  });
  Text name = u"main.bas";
  ASSERT_TRUE(ide_->SetPageVersion(name, 128, 0, 200, 255).ok());
  if (relayed()) {
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(fields_of(relay_lines().back()),
              (std::vector<std::u16string>{u"SetPageVersion", u"1312", u"128", u"0", u"200", u"255",
                                           u"main.bas"}));
  } else {
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ((std::vector<std::intptr_t>(seen.begin() + 1, seen.end())),
              (std::vector<std::intptr_t>{128, 0, 200, 255}));
  }
}

TAVROSK_ON_BOTH_ROADS(PageVersionWriteBack);

// The same scenario on both roads gives the same host state.
class PageFilesOnBothRoads : public BothRoadsTest {
 protected:
  template <class Read>
  auto host_state(Read read) {
    return host::ide_model().locked([&](host::IdeState& s) { return read(s); });
  }
};

TEST_P(PageFilesOnBothRoads, SaveLoadAndCloseWorkOnTheHostsFiles) {
  // The host starts with the main page active.
  EXPECT_EQ(ide_->SetPageSave(kMain).value, kTrue);
  std::string saved = host_state([](host::IdeState& s) { return s.files[kMainAnsi]; });
  EXPECT_EQ(saved, "Device = KXA4550\r\nDim Led As PORTB.0\r\nHigh Led\r\n");

  ASSERT_TRUE(ide_->SetPageText(u"scratch").ok());
  ASSERT_TRUE(ide_->SetPageLoad(kMain).ok());
  EXPECT_EQ(host_state([](host::IdeState& s) { return s.active()->text; }), saved);

  EXPECT_EQ(ide_->SetPageSave(u"C:\\nowhere.bas").value, kFalse);
  EXPECT_EQ(ide_->SetPageClose(kMain).value, kTrue);
  EXPECT_EQ(ide_->SetPageClose(kMain).value, kFalse);  // already closed, no failure
  EXPECT_EQ(ide_->SetPageCloseAll(u"C:\\Work\\fresh.bas").value, kTrue);
  EXPECT_EQ(host_state([](host::IdeState& s) {
              return s.pages.size() == 1 ? s.active()->file_name : std::string("?");
            }),
            "C:\\Work\\fresh.bas");
}

TEST_P(PageFilesOnBothRoads, VersionStampAndSwitchReachTheNamedPage) {
  Text name = kMain;
  ASSERT_TRUE(ide_->SetPageVersion(name, 1, 2, 3, 255).ok());
  ASSERT_TRUE(ide_->SetPageVersionEnabled(kMain, raw_vb_bool(1)).ok());
  auto [version, enabled] = host_state([](host::IdeState& s) {
    const host::Page& page = *s.find_page(kMainAnsi);
    return std::pair{std::vector<int>(std::begin(page.version), std::end(page.version)),
                     page.version_enabled};
  });
  EXPECT_EQ(version, (std::vector<int>{1, 2, 3, 255}));
  EXPECT_TRUE(enabled);
  ASSERT_TRUE(ide_->SetPageVersionEnabled(kMain, kFalse).ok());
  EXPECT_FALSE(
      host_state([](host::IdeState& s) { return s.find_page(kMainAnsi)->version_enabled; }));
}

TEST_P(PageFilesOnBothRoads, LineColoursAreSetDeletedAndCleared) {
  auto colours = [&] {
    return host_state([](host::IdeState& s) {
      std::vector<std::array<std::int32_t, 3>> out;
      for (auto& [line, c] : s.active()->line_colours)
        out.push_back({line, c.background, c.foreground});
      return out;
    });
  };
  ASSERT_TRUE(ide_->SetPageLineColor(0, 0xFF0000, -1).ok());
  ASSERT_TRUE(ide_->SetPageLineColor(2, 0x00FF00, 0).ok());
  ASSERT_TRUE(ide_->SetPageLineColor(99, 1, 1).ok());  // the page has no such line
  EXPECT_EQ(colours(),
            (std::vector<std::array<std::int32_t, 3>>{{0, 0xFF0000, -1}, {2, 0x00FF00, 0}}));
  ASSERT_TRUE(ide_->SetPageLineColorDelete(0).ok());
  EXPECT_EQ(colours(), (std::vector<std::array<std::int32_t, 3>>{{2, 0x00FF00, 0}}));
  ASSERT_TRUE(ide_->SetPageLineColorClear().ok());
  EXPECT_TRUE(colours().empty());
}

TAVROSK_ON_BOTH_ROADS(PageFilesOnBothRoads);

}  // namespace
}  // namespace tavrosk::testing
