// Texts in the multi-byte code pages on both roads, natively in each that the simulated system
// offers and on Windows in the system's own (the tier runs these suites again in 932 and
// 65001): a character cut by the buffer's end, a whole character that does not convert back to
// its own bytes, a lone lead byte before the NUL, a reply cut at its capacity, and relay lines
// longer in bytes than in characters.
#include "model/ide_model.h"
#include "support/code_pages.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class CodePageText : public BothRoadsTest {
 protected:
  void SetUp() override {
    BothRoadsTest::SetUp();
    host::ide_model().locked([](host::IdeState& s) { s.connected = true; });
  }
  static void set_active_page_name(const std::string& bytes) {
    host::ide_model().locked([&](host::IdeState& s) { s.active()->file_name = bytes; });
  }
};

TEST_P(CodePageText, ACharacterCutByTheBufferIsLeftOutAndAWholeOneKept) {
  in_multi_byte_code_pages([&](const MultiByteSamples& in) {
    // The direct road's buffer holds 256 bytes: the last character's first byte alone. The
    // relay reply of up to 499 holds it whole.
    set_active_page_name(std::string(255, 'a') + in.two_bytes);
    EXPECT_EQ(ide_->GetPage().value, Text(255, u'a') + (relayed() ? in.two_bytes_text : u""));
    std::string whole = std::string(256 - in.no_round_trip.size(), 'a') + in.no_round_trip;
    set_active_page_name(whole);
    EXPECT_EQ(ide_->GetPage().value,
              Text(256 - in.no_round_trip.size(), u'a') + in.no_round_trip_text);
  });
}

TEST_P(CodePageText, ALoneLeadByteBeforeTheNulReadsAsTheSystemConvertsIt) {
  in_multi_byte_code_pages([&](const MultiByteSamples& in) {
    set_active_page_name("abc" + in.lone_lead);
    EXPECT_EQ(ide_->GetPage().value, u"abc" + in.lone_lead_text);
  });
}

// Lines and replies: the relay road's own.
class CodePageRelay : public CodePageText {};

TEST_P(CodePageRelay, LinesAreCountedInBytes) {
  in_multi_byte_code_pages([&](const MultiByteSamples& in) {
    // "SetPageNew//::^x1312//::^x" is 26 bytes; with 226 + 1 characters of name the line has
    // 253 characters in 254 bytes, one more and 255 bytes: sent whole, from a larger buffer.
    for (std::size_t plain : {std::size_t{226}, std::size_t{227}}) {
      relay_->clear_received();
      Text name = Text(plain, u'a') + in.two_bytes_text;
      ASSERT_TRUE(ide_->SetPageNew(name).ok());
      auto received = relay_->received();
      ASSERT_EQ(received.size(), 1u);
      EXPECT_EQ(received[0].size, 26 + plain + 2 + 1);
      EXPECT_EQ(received[0].bytes,
                "SetPageNew//::^x1312//::^x" + std::string(plain, 'a') + in.two_bytes + '\0');
    }
  });
}

TEST_P(CodePageRelay, AReplyCutAtItsCapacityLosesTheCutCharacterOnly) {
  in_multi_byte_code_pages([&](const MultiByteSamples& in) {
    // 499 bytes arrive: the last character whole after 497 plain ones, cut after 498.
    relay_->script_reply(Text(497, u'a') + in.two_bytes_text);
    EXPECT_EQ(ide_->GetProgrammer().value, Text(497, u'a') + in.two_bytes_text);
    relay_->script_reply(Text(498, u'a') + in.two_bytes_text);
    EXPECT_EQ(ide_->GetProgrammer().value, Text(498, u'a'));
  });
}

TAVROSK_ON_BOTH_ROADS(CodePageText);
INSTANTIATE_TEST_SUITE_P(Roads, CodePageRelay, ::testing::Values(Road::kRelay), road_name);

}  // namespace
}  // namespace tavrosk::testing
