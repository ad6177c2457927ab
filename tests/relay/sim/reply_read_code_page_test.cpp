// A multi-byte code page under a reply that the reader's own process writes.
#include "platform/sim/code_page_selection.h"
#include "relay/reply_read_fixture.h"

namespace tavrosk::testing {
namespace {

TEST_F(ReplyRead, MultiByteRepliesAreConvertedUpToTheirNul) {
  sim::set_code_page(sim::CodePage::kUtf8);
  for (const char* bytes : {"caf\xc3\xa9", "\xe2\x82\xac\xe2\x82", "\xc3", "\xf0\x9f\x98\x80x"}) {
    answer_ = text_of(bytes);
    expect_same_reply(500, bytes);
    expect_same_reply(4, bytes);  // cuts inside a character
  }
}

}  // namespace
}  // namespace tavrosk::testing
