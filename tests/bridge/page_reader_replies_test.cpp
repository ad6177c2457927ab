// The two reading members on scripted relay replies: element by element, so a failure on the
// second element leaves the first stored.
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

struct ReplyCase {
  const char* name;
  std::u16string reply;
  Long first;
  Long second;
  int error;
};

constexpr Long kFirstBefore = -7;
constexpr Long kSecondBefore = -8;

const ReplyCase kReplyCases[] = {
    {"ThirdElementIgnored", u"17//::^x4//::^x99", 17, 4, 0},
    {"HalvesToEven", u"2.5//::^x3.5", 2, 4, 0},
    {"LeadingNumberBlanksSkipped", u"12abc//::^x1 2", 12, 12, 0},
    {"SeparatorAlone", u"//::^x", 0, 0, 0},
    {"Empty", u"", kFirstBefore, kSecondBefore, 9},
    {"OneElement", u"40", 40, kSecondBefore, 9},
    {"SecondOverflows", u"5//::^x2147483648", 5, kSecondBefore, 6},
    {"FirstOverflows", u"-2147483649//::^x1", kFirstBefore, kSecondBefore, 6},
};

class PageReaderReplies : public BothRoadsTest {
 protected:
  void expect_reading(const char* member, const ReplyCase& c, Status status, Long first,
                      Long second) {
    SCOPED_TRACE(std::string(member) + " on " + c.name);
    EXPECT_EQ(status.error_number(), c.error);
    EXPECT_EQ(first, c.first);
    EXPECT_EQ(second, c.second);
  }
};

TEST_P(PageReaderReplies, CursorPositionStoresLineThenColumn) {
  for (const ReplyCase& c : kReplyCases) {
    Long line = kFirstBefore, column = kSecondBefore;
    relay_->script_reply(c.reply);
    Status status = ide_->GetPageCursorPos(line, column);
    expect_reading("GetPageCursorPos", c, status, line, column);
  }
}

TEST_P(PageReaderReplies, DisplayLinesStoreTopLineThenLinesInWindow) {
  for (const ReplyCase& c : kReplyCases) {
    Long top = kFirstBefore, shown = kSecondBefore;
    relay_->script_reply(c.reply);
    Status status = ide_->GetPageDisplayLines(top, shown);
    expect_reading("GetPageDisplayLines", c, status, top, shown);
  }
}

TEST_P(PageReaderReplies, WithoutTheRelayToolNothingIsWrittenAndTheCallFails) {
  relay_->close();
  Long line = 3, column = 4;
  EXPECT_EQ(ide_->GetPageCursorPos(line, column).error_number(), 9);
  EXPECT_EQ(line, 3);
  EXPECT_EQ(column, 4);
  EXPECT_EQ(box_texts().size(), 1u);  // the reply reader's message, once
  // Members that only send show nothing and report success.
  EXPECT_TRUE(ide_->SetPageText(u"lost").ok());
  EXPECT_EQ(box_texts().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Relay, PageReaderReplies, ::testing::Values(Road::kRelay), road_name);

}  // namespace
}  // namespace tavrosk::testing
