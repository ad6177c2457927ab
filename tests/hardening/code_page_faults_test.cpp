// Text with characters outside the ANSI code page on both roads: what the code page cannot
// hold becomes '?'.
#include "model/ide_model.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

const Text kMixed = u"h\u00e9llo \u20ac \u4e00\u4e8c \U0001F600 end";

class CodePageFaults : public BothRoadsTest {
 protected:
  void SetUp() override {
    BothRoadsTest::SetUp();
    host::ide_model().locked([](host::IdeState& s) { s.connected = true; });
  }
};

TEST_P(CodePageFaults, WindowsCodePageTurnsWhatItCannotHoldIntoQuestionMarks) {
  ASSERT_TRUE(ide_->SetPageText(kMixed).ok());
  // Each UTF-16 unit outside the code page, each half of a surrogate pair included, is one '?'.
  EXPECT_EQ(ide_->GetPageText().value, u"h\u00e9llo \u20ac ?? ?? end");
}

TEST_P(CodePageFaults, ASingleByteNameFillingTheBufferComesBackWhole) {
  // 256 bytes for the direct road's 256-byte buffer: in one byte per character none is cut.
  host::ide_model().locked(
      [](host::IdeState& s) { s.active()->file_name = std::string(255, 'a') + "\xe9"; });
  EXPECT_EQ(ide_->GetPage().value, Text(255, u'a') + u'\u00e9');
}

TAVROSK_ON_BOTH_ROADS(CodePageFaults);

}  // namespace
}  // namespace tavrosk::testing
