// Record text fields in the multi-byte code pages, natively in each that the simulated system
// offers and on Windows in the system's own (the tier runs this suite again in 932 and 65001):
// a field that the host filled to its last byte in the middle of a character loses that
// character only; a whole one that does not convert back to its bytes is kept.
#include "bridge/page_info_lib.h"
#include "model/ide_model.h"
#include "support/code_pages.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class RecordTextInCodePages : public ConnectedIdeTest {
 protected:
  Text fetched_display_name(const std::string& bytes) {
    host::ide_model().locked([&](host::IdeState& s) { s.active()->display_name = bytes; });
    PageInfoLib page;
    Text name = u"C:\\Projects\\Blink\\main.bas";
    EXPECT_EQ(page.GetPageInfo(name).value, kTrue);
    return page.DisplayName().value;
  }
};

TEST_F(RecordTextInCodePages, AFieldCutInACharacterLosesThatCharacterOnly) {
  in_multi_byte_code_pages([&](const MultiByteSamples& in) {
    // 64 bytes of DisplayName: 63 plain ones and the first byte of the character.
    EXPECT_EQ(fetched_display_name(std::string(63, 'd') + in.two_bytes), Text(63, u'd'));
    EXPECT_EQ(fetched_display_name(std::string(62, 'd') + in.two_bytes),
              Text(62, u'd') + in.two_bytes_text);
    std::size_t plain = 64 - in.no_round_trip.size();
    EXPECT_EQ(fetched_display_name(std::string(plain, 'd') + in.no_round_trip),
              Text(plain, u'd') + in.no_round_trip_text);
  });
}

}  // namespace
}  // namespace tavrosk::testing
