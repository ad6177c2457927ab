// A relayed reply cut by the reader's capacity inside a multi-byte character.
#include "platform/sim/code_page_selection.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class RelayReplyCut : public BothRoadsTest {};

TEST_P(RelayReplyCut, AReplyCutInsideAMultiByteCharacterLosesThatCharacterOnly) {
  sim::set_code_page(sim::CodePage::kUtf8);
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
  // Windows-1252 has one byte per character: 499 of them arrive, none cut.
  sim::set_code_page(sim::CodePage::kWindows1252);
  relay_->script_reply(Text(600, u'é'));
  EXPECT_EQ(ide_->GetProgrammer().value, Text(499, u'é'));
}

INSTANTIATE_TEST_SUITE_P(Roads, RelayReplyCut, ::testing::Values(Road::kRelay), road_name);

}  // namespace
}  // namespace tavrosk::testing
