// What the editing members write, the reading members and PageInfoLib read back, on both roads.
#include "bridge/page_info_lib.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class EditThenRead : public BothRoadsTest {
 protected:
  void SetUp() override {
    BothRoadsTest::SetUp();
    ASSERT_EQ(ide_->Connect(kPluginWindow).value, kTrue);  // the direct readers test it first
  }
};

TEST_P(EditThenRead, ALongTextRoundTripsWhole) {
  std::u16string text(100000, u'a');
  text.replace(500, 6, u"//::^x");  // the separator too arrives intact
  text.back() = u'z';
  ASSERT_TRUE(ide_->SetPageText(text).ok());
  auto read = ide_->GetPageText();
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.value.size(), text.size());
  EXPECT_EQ(read.value, text);
}

TEST_P(EditThenRead, AVersionStampIsSeenThroughPageInformation) {
  Text name = ide_->GetPage().value;
  ASSERT_FALSE(name.empty());
  ASSERT_TRUE(ide_->SetPageVersion(name, 1, 2, 3, 255).ok());
  ASSERT_TRUE(ide_->SetPageVersionEnabled(name, kTrue).ok());
  PageInfoLib info;
  ASSERT_EQ(info.GetPageInfo(name).value, kTrue);
  EXPECT_EQ(info.VersionMajor().value, 1);
  EXPECT_EQ(info.VersionMinor().value, 2);
  EXPECT_EQ(info.VersionRelease().value, 3);
  EXPECT_EQ(info.VersionBuild().value, 255);
  EXPECT_EQ(info.VersionEnabled().value, kTrue);
  ASSERT_TRUE(ide_->SetPageVersionEnabled(name, kFalse).ok());
  info.GetPageInfo(name);
  EXPECT_EQ(info.VersionEnabled().value, kFalse);
}

TEST_P(EditThenRead, ASelectionIsReadBack) {
  ASSERT_TRUE(ide_->SetPageText(u"first line\r\nsecond line").ok());
  ASSERT_TRUE(ide_->SetPageSelectTextAt(6, 4).ok());
  EXPECT_EQ(ide_->GetPageSelectedText().value, u"line");
  ASSERT_TRUE(ide_->SetPageSelectTextAt(0, 0).ok());
  EXPECT_EQ(ide_->GetPageSelectedText().value, u"");
}

TEST_P(EditThenRead, ANewPageBecomesTheActiveOneAndIsCounted) {
  Long before = ide_->GetPageCount().value;
  ASSERT_TRUE(ide_->SetPageNew(u"C:\\Projects\\Blink\\fresh.bas").ok());
  EXPECT_EQ(ide_->GetPageCount().value, before + 1);
  EXPECT_EQ(ide_->GetPage().value, u"C:\\Projects\\Blink\\fresh.bas");
  ASSERT_TRUE(ide_->SetPageText(u"x = 1").ok());
  EXPECT_EQ(ide_->GetPageText().value, u"x = 1");
  EXPECT_EQ(ide_->SetPageClose(u"C:\\Projects\\Blink\\fresh.bas").value, kTrue);
  EXPECT_EQ(ide_->GetPageCount().value, before);
}

TAVROSK_ON_BOTH_ROADS(EditThenRead);

}  // namespace
}  // namespace tavrosk::testing
