// A relayed reply cut by the reader's capacity inside a multi-byte character.
#include "support/code_pages.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class RelayReplyCut : public BothRoadsTest {};

TEST_P(RelayReplyCut, AReplyCutInsideAMultiByteCharacterLosesThatCharacterOnly) {
  ASSERT_TRUE(select_code_page(kUtf8CodePage)) << "the program's manifest must ask for UTF-8";
  // 499 bytes arrive: the two-byte é and the three-byte € would each be cut after one or two.
  relay_->script_reply(Text(498, u'a') + u"é");
  EXPECT_EQ(ide_->GetProgrammer().value, Text(498, u'a'));
  relay_->script_reply(Text(497, u'a') + u"€");
  EXPECT_EQ(ide_->GetProgrammer().value, Text(497, u'a'));
  relay_->script_reply(Text(496, u'a') + u"€");
  EXPECT_EQ(ide_->GetProgrammer().value, Text(496, u'a') + u"€");
  // Four bytes of a character outside the BMP, cut after three.
  relay_->script_reply(Text(496, u'a') + u"\U0001F600");
  EXPECT_EQ(ide_->GetProgrammer().value, Text(496, u'a'));
}

INSTANTIATE_TEST_SUITE_P(Roads, RelayReplyCut, ::testing::Values(Road::kRelay), road_name);

}  // namespace
}  // namespace tavrosk::testing
