// Page selection, enumeration and reading: the same scenario on both roads against the
// reference host.
#include "model/ide_model.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

constexpr char16_t kMain[] = u"C:\\Projects\\Blink\\main.bas";
constexpr char16_t kUtil[] = u"C:\\Projects\\Blink\\util.bas";

class PagesOnBothRoads : public BothRoadsTest {
 protected:
  void SetUp() override {
    BothRoadsTest::SetUp();
    // The direct text readers ask whether the IDE is connected first.
    ASSERT_EQ(ide_->Connect(kPluginWindow).value, kTrue);
    relay_->clear_received();
  }
};

TEST_P(PagesOnBothRoads, PagesAreListedAndOneIsMadeActive) {
  ASSERT_EQ(ide_->GetPageCount().value, 2);
  Text page = u"stale";
  EXPECT_EQ(ide_->GetPageByIndex(1, page).value, kTrue);
  EXPECT_EQ(page, kUtil);
  EXPECT_EQ(ide_->GetPageByIndex(2, page).value, kFalse);
  EXPECT_EQ(page, u"");

  EXPECT_EQ(ide_->GetPage().value, kMain);
  EXPECT_EQ(ide_->SetPage(u"c:\\projects\\blink\\UTIL.bas").value, kTrue);
  EXPECT_EQ(ide_->GetPage().value, kUtil);
  EXPECT_EQ(ide_->SetPage(u"C:\\nowhere.bas").value, kFalse);
  EXPECT_EQ(ide_->GetPage().value, kUtil);
}

TEST_P(PagesOnBothRoads, IncludesAreCountedAndListedPerPage) {
  EXPECT_EQ(ide_->GetPageIncludeCount(kMain).value, 2);
  EXPECT_EQ(ide_->GetPageIncludeCount(kUtil).value, 0);
  EXPECT_EQ(ide_->GetPageIncludeCount(u"C:\\nowhere.bas").value, 0);

  Text page = kMain;
  Text include = u"stale";
  EXPECT_EQ(ide_->GetPageIncludeByIndex(page, 1, include).value, kTrue);
  EXPECT_EQ(include, u"C:\\Korvex\\Includes\\portb.inc");
  EXPECT_EQ(page, kMain);
  EXPECT_EQ(ide_->GetPageIncludeByIndex(page, 2, include).value, kFalse);
  EXPECT_EQ(include, u"");
}

TEST_P(PagesOnBothRoads, TheActivePagesTextsAndSelectionAreRead) {
  host::ide_model().locked([](host::IdeState& s) {
    s.pages[1].selection_start = 4;
    s.pages[1].selection_length = 5;
  });
  ASSERT_EQ(ide_->SetPage(kUtil).value, kTrue);
  EXPECT_EQ(ide_->GetPageText().value, u"Sub Pause()\r\nEnd Sub\r\n");
  EXPECT_EQ(ide_->GetPageText(8).value, relayed() ? u"Sub Pause()\r\nEnd Sub\r\n" : u"Sub Paus");
  EXPECT_EQ(ide_->GetPageTextRTF().value, u"{\\rtf1\\ansi Sub Pause()\r\nEnd Sub\r\n\\par }");
  EXPECT_EQ(ide_->GetPageSelectedText().value, u"Pause");
}

TEST_P(PagesOnBothRoads, EachCallCarriesItsArgumentsOnItsRoad) {
  Text page = u"A";
  Text include;
  ide_->GetPageIncludeByIndex(page, 2, include);
  ide_->GetPageIncludeCount(u"A ");
  ide_->SetPage(u"B  ");
  if (relayed()) {
    EXPECT_EQ(relay_lines(),
              (std::vector<std::u16string>{u"GetPageIncludeByIndex//::^x1312//::^xA//::^x2",
                                           u"GetPageIncludeCount//::^x1312//::^xA",
                                           u"SetPage//::^x1312//::^xB"}));
  } else {
    EXPECT_EQ(export_calls(), (std::vector<std::string>{
                                  "Connect(1312)", "GetPageIncludeByIndex(\"A\", 2, \"\", 256)",
                                  "GetPageIncludeCount(\"A \")", "SetPage(\"B  \")"}));
  }
}

TAVROSK_ON_BOTH_ROADS(PagesOnBothRoads);

}  // namespace
}  // namespace tavrosk::testing
