// A multi-byte code page under the relay channel's lines.
#include "platform/sim/code_page_selection.h"
#include "relay/channel.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class RelayChannelCodePage : public SimTest {};

TEST_F(RelayChannelCodePage, MultiByteLinesAreCountedInBytes) {
  host::SimRelayTool relay;
  sim::set_code_page(sim::CodePage::kUtf8);
  std::u16string line = std::u16string(250, u'a') + u"\u00e9\u00e9\u20ac";  // 2 + 2 + 3 bytes
  SendDebugLine(line);
  auto received = relay.received();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].size, 258u);
  EXPECT_EQ(received[0].text, line);
}

TEST_F(RelayChannelCodePage, BlankLinesLookNothingUp) {
  host::SimRelayTool relay;
  desktop().clear_records();
  SendDebugLine(u"     ");
  EXPECT_EQ(desktop().title_searches(), 0u);
  EXPECT_TRUE(desktop().messages().empty());
  // A line with something in it looks the relay window up once.
  SendDebugLine(u"  x  ");
  EXPECT_EQ(desktop().title_searches(), 1u);
}

}  // namespace
}  // namespace tavrosk::testing
