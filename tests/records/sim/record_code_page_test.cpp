// A multi-byte code page under a record's fields.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/sim/code_page_selection.h"
#include "bridge/result_buffer.h"
#include "records/ansi_fields.h"
#include "records/page_info_record.h"

namespace tavrosk {
namespace {

class RecordCodePage : public ::testing::Test {
 protected:
  void TearDown() override { sim::set_code_page(sim::CodePage::kWindows1252); }
};

TEST_F(RecordCodePage, MultiByteTextNeverCutsACharacterAtTheFieldEnd) {
  sim::set_code_page(sim::CodePage::kUtf8);
  std::array<char16_t, 16> device{};
  for (auto& c : device) c = u'\u00e9';  // two bytes each: eight fit
  char bytes[16];
  copy_field(device, bytes);
  std::string eight;
  for (int i = 0; i < 8; ++i) eight += "\xc3\xa9";
  EXPECT_EQ(std::string(bytes, 16), eight);
  device[7] = u'a';  // 7 * 2 + 1 = 15 bytes, and the next two-byte character does not fit
  copy_field(device, bytes);
  EXPECT_EQ(bytes[15], '\0');
  std::array<char16_t, 16> back{};
  copy_field(bytes, back);
  EXPECT_EQ(field_text(back), std::u16string(7, u'\u00e9') + u"a");
}

}  // namespace
}  // namespace tavrosk
