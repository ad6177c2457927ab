// A multi-byte code page under the direct road's result buffer.
#include "bridge/result_buffer_paths.h"
#include "platform/sim/code_page_selection.h"

namespace tavrosk::testing {
namespace {

TEST_F(ResultBufferPaths, MultiByteCodePageIncludingCutCharacters) {
  sim::set_code_page(sim::CodePage::kUtf8);
  for (const char* bytes : {"caf\xc3\xa9", "\xe2\x82\xac\xe2\x82", "\xc3", "a\xf0\x9f\x98\x80",
                            "\xff\xfe bad", "\xe2\x82\0\xac"}) {
    expect_same(0, writes(bytes), bytes);
    expect_same(4, writes(bytes), bytes);  // the buffer ends inside a character
  }
}

}  // namespace
}  // namespace tavrosk::testing
