// PageInfoLib: the store on the direct road, one exchange per member on the relay road.
#include <cstring>
#include <thread>
#include <tuple>

#include "bridge/page_info_lib.h"
#include "bridge/plugin_manager/exports.h"
#include "model/ide_model.h"
#include "records/page_info_record.h"
#include "support/code_pages.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

const Text kMain = u"C:\\Projects\\Blink\\main.bas";
const Text kUtil = u"C:\\Projects\\Blink\\util.bas";

template <class Change>
void change_page(int index, Change&& change) {
  host::ide_model().locked([&](host::IdeState& s) { change(s.pages[index]); });
}

// The store lives as long as the thread: each test starts from an empty one.
class PageInfoTest : public BothRoadsTest {
 protected:
  void SetUp() override {
    BothRoadsTest::SetUp();
    page_info_store() = PageInfoStore{};
  }
  PageInfoLib info_;
};

class PageInfoOnBothRoads : public PageInfoTest {};

TEST_P(PageInfoOnBothRoads, EveryMemberReportsTheFetchedPage) {
  change_page(0, [](host::Page& p) {
    p.modified = true;
    p.version_enabled = true;
    p.version[0] = 255;
    p.version[1] = 2;
    p.version[2] = 3;
    p.version[3] = 40;
  });
  Text name = kMain;
  auto fetched = info_.GetPageInfo(name);
  ASSERT_TRUE(fetched.ok());
  EXPECT_EQ(fetched.value, kTrue);
  EXPECT_EQ(info_.DisplayName().value, u"main.bas");
  EXPECT_EQ(info_.FileName().value, kMain);
  EXPECT_EQ(info_.FilenameMCI().value, u"C:\\Projects\\Blink\\main.mci");
  EXPECT_EQ(info_.FilenameASM().value, u"C:\\Projects\\Blink\\main.asm");
  EXPECT_EQ(info_.FilenameHEX().value, u"C:\\Projects\\Blink\\main.hex");
  EXPECT_EQ(info_.Modified().value, kTrue);  // the record holds 1
  EXPECT_EQ(info_.Device().value, u"KX-A4550");
  EXPECT_EQ(info_.OSC().value, 20);
  EXPECT_EQ(info_.DeviceCore().value, 16);
  EXPECT_EQ(info_.VersionEnabled().value, kTrue);
  EXPECT_EQ(info_.VersionMajor().value, 255);
  EXPECT_EQ(info_.VersionMinor().value, 2);
  EXPECT_EQ(info_.VersionRelease().value, 3);
  EXPECT_EQ(info_.VersionBuild().value, 40);
  EXPECT_EQ(info_.PageSize().value, 48);
  EXPECT_EQ(info_.PageSizeRTF().value, 66);
}

TEST_P(PageInfoOnBothRoads, BeforeAnyFetchEverythingIsZero) {
  auto read_all = [] {
    PageInfoLib info;
    return std::make_tuple(info.PageSize().value, info.DisplayName().value, info.Modified().value,
                           info.VersionMajor().value);
  };
  decltype(read_all()) seen;
  if (relayed()) {
    seen = read_all();  // the relay tool has not been asked for a page yet
  } else {
    std::thread fresh([&] { seen = read_all(); });  // a thread's first use of the library
    fresh.join();
  }
  EXPECT_EQ(seen, std::make_tuple(Long{0}, Text{}, kFalse, Byte{0}));
}

TEST_P(PageInfoOnBothRoads, AnUnknownPageAnswersFalseAndKeepsThePreviousPage) {
  Text name = kUtil;
  ASSERT_EQ(info_.GetPageInfo(name).value, kTrue);
  Text unknown = u"C:\\nowhere.bas";
  auto fetched = info_.GetPageInfo(unknown);
  EXPECT_TRUE(fetched.ok());
  EXPECT_EQ(fetched.value, kFalse);
  EXPECT_EQ(info_.FileName().value, kUtil);
  EXPECT_EQ(info_.DisplayName().value, u"util.bas");
}

TEST_P(PageInfoOnBothRoads, WidthFillingFieldsComeBackWhole) {
  change_page(0, [](host::Page& p) {
    p.display_name = std::string(70, 'd');
    p.device = "KXC4522-IPT/QFNA-X";
  });
  Text name = kMain;
  info_.GetPageInfo(name);
  EXPECT_EQ(info_.DisplayName().value, std::u16string(64, u'd'));
  EXPECT_EQ(info_.Device().value, u"KXC4522-IPT/QFNA");
}

TEST_P(PageInfoOnBothRoads, AFetchOnOneObjectIsSeenByAnother) {
  Text name = kUtil;
  PageInfoLib().GetPageInfo(name);
  EXPECT_EQ(PageInfoLib().FileName().value, kUtil);
}

TEST_P(PageInfoOnBothRoads, EachMemberTakesItsOwnRoad) {
  Text name = u"C:\\My Projects\\a b.bas   ";
  info_.GetPageInfo(name);
  info_.PageSize();
  if (relayed()) {
    EXPECT_EQ(relay_lines(), (std::vector<std::u16string>{
                                 u"PageInfo.GetPageInfo//::^x1312//::^xC:\\My Projects\\a b.bas",
                                 u"PageInfo.PageSize//::^x1312"}));
    EXPECT_TRUE(export_calls().empty());
  } else {
    EXPECT_EQ(export_calls(),
              std::vector<std::string>{"GetPageInfo(\"C:\\My Projects\\a b.bas   \", &)"});
    EXPECT_TRUE(relay_lines().empty());
  }
}

TAVROSK_ON_BOTH_ROADS(PageInfoOnBothRoads);

class PageInfoDirect : public PageInfoTest {};

TEST_P(PageInfoDirect, AShortNameOverTheLeftoversOfALongerOneEndsAtItsNul) {
  change_page(0, [](host::Page& p) { p.display_name = "a rather long display name"; });
  Text name = kMain;
  info_.GetPageInfo(name);
  // A library that writes only the new name's bytes and its NUL.
  host::ide_model().set_export_hook("GetPageInfo", [](const auto& arguments) {
    std::memcpy(reinterpret_cast<char*>(arguments[1]), "short", 6);
    return 1;
  });
  info_.GetPageInfo(name);
  EXPECT_EQ(info_.DisplayName().value, u"short");
  EXPECT_EQ(page_info_store().DisplayName[6], u'e');  // the leftovers stay in the store
  EXPECT_EQ(info_.FileName().value, kMain);           // handed over and back unchanged
}

TEST_P(PageInfoDirect, TheNameComesBackAsItsAnsiRoundTrip) {
  if (!select_code_page(kWindows1252CodePage)) GTEST_SKIP() << "Windows-1252's own characters";

  Text name = u"C:\\\u0100\u4e2d.bas";  // a best fit, and a character without one
  info_.GetPageInfo(name);
  EXPECT_EQ(name, u"C:\\A?.bas");
}

TEST_P(PageInfoDirect, EachThreadHasItsOwnStore) {
  Text name = kMain;
  info_.GetPageInfo(name);
  Text seen_before;
  Text seen_after;
  std::thread other([&] {
    PageInfoLib info;
    seen_before = info.FileName().value;
    Text util = kUtil;
    info.GetPageInfo(util);
    seen_after = info.FileName().value;
  });
  other.join();
  EXPECT_EQ(seen_before, u"");
  EXPECT_EQ(seen_after, kUtil);
  EXPECT_EQ(info_.FileName().value, kMain);
}

TEST_P(PageInfoDirect, SwitchingToTheRelayAndBackKeepsTheStore) {
  Text name = kUtil;
  info_.GetPageInfo(name);
  ASSERT_TRUE(ide_->DebugApp(kPluginWindow, kTrue).ok());
  relay_->script_reply(u"C:\\elsewhere.bas");
  EXPECT_EQ(info_.FileName().value, u"C:\\elsewhere.bas");
  ASSERT_TRUE(ide_->DebugApp(kPluginWindow, kFalse).ok());
  EXPECT_EQ(info_.FileName().value, kUtil);
}

INSTANTIATE_TEST_SUITE_P(Roads, PageInfoDirect, ::testing::Values(Road::kDirect), road_name);

class PageInfoRelayReplies : public PageInfoTest {};

TEST_P(PageInfoRelayReplies, NumbersReadTheLeadingNumber) {
  const std::pair<std::u16string, Long> cases[] = {{u"12abc", 12}, {u"2.5", 2}, {u"3.5", 4},
                                                   {u"1 2", 12},   {u"", 0},    {u"-7", -7}};
  for (const auto& [reply, expected] : cases) {
    relay_->script_reply(reply);
    auto size = info_.PageSize();
    EXPECT_TRUE(size.ok()) << narrow(reply);
    EXPECT_EQ(size.value, expected) << narrow(reply);
  }
}

TEST_P(PageInfoRelayReplies, ByteMembersOverflowOutside0To255) {
  relay_->script_reply(u"255");
  EXPECT_EQ(info_.VersionMajor().value, 255);
  for (const char16_t* reply : {u"300", u"-1", u"256"}) {
    relay_->script_reply(reply);
    auto major = info_.VersionBuild();
    EXPECT_EQ(major.status.error_number(), 6) << narrow(reply);
    EXPECT_EQ(major.value, 0);
  }
}

TEST_P(PageInfoRelayReplies, TextIsUntrimmedAndBooleansFailOnEmpty) {
  relay_->script_reply(u"  main.bas  ");
  EXPECT_EQ(info_.DisplayName().value, u"  main.bas  ");
  relay_->script_reply(u"");
  EXPECT_EQ(info_.Modified().status.error_number(), 13);
  Text name = kMain;
  relay_->script_reply(u"");
  EXPECT_EQ(info_.GetPageInfo(name).status.error_number(), 13);
}

TEST_P(PageInfoRelayReplies, TheRelayRoadNeitherReadsNorWritesTheStore) {
  page_info_store().PageSize = 99;
  Text name = kMain;
  ASSERT_EQ(info_.GetPageInfo(name).value, kTrue);
  EXPECT_EQ(page_info_store().PageSize, 99);
  EXPECT_EQ(info_.PageSize().value, 48);
}

INSTANTIATE_TEST_SUITE_P(Roads, PageInfoRelayReplies, ::testing::Values(Road::kRelay), road_name);

}  // namespace
}  // namespace tavrosk::testing
