// A store field goes to its record field in one conversion when all of it fits, and character by
// character only when it does not. Compared here with the conversion done character by
// character always, over fields of every kind of content in every code page the platform lets
// a test use.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "platform/code_page.h"
#include "records/ansi_fields.h"
#include "support/code_pages.h"

namespace tavrosk {
namespace {

std::string by_character(const std::u16string& field, std::size_t width) {
  std::string bytes(width, '\0');
  std::size_t used = 0;
  for (std::size_t i = 0; i < field.size(); ++i) {
    bool pair = i + 1 < field.size() && field[i] >= 0xD800 && field[i] <= 0xDBFF &&
                field[i + 1] >= 0xDC00 && field[i + 1] <= 0xDFFF;
    std::string converted = platform::to_ansi(std::u16string_view(field).substr(i, pair ? 2 : 1));
    if (used + converted.size() > width) break;
    std::memcpy(bytes.data() + used, converted.data(), converted.size());
    used += converted.size();
    if (pair) ++i;
  }
  return bytes;
}

std::string in_one_go(const std::u16string& field, std::size_t width) {
  std::string bytes(width, '\x55');  // whatever was there before must go
  text_to_record(field.data(), field.size(), bytes.data(), width);
  return bytes;
}

class AnsiFieldPaths : public ::testing::TestWithParam<testing::TestCodePage> {
 protected:
  void SetUp() override {
    default_ = testing::test_code_pages().front();
    testing::select_code_page(GetParam());
  }
  void TearDown() override { testing::select_code_page(default_); }
  testing::TestCodePage default_;

  static void expect_same(const std::u16string& field, std::size_t width) {
    EXPECT_EQ(in_one_go(field, width), by_character(field, width))
        << "field of " << field.size() << " units into " << width << " bytes";
  }
};

TEST_P(AnsiFieldPaths, FieldsThatFitAndFieldsThatMustBeCut) {
  const std::u16string samples[] = {
      u"",
      u"KXA4550",
      std::u16string(64, u'D'),
      std::u16string(u"abc\0leftover", 12),
      u"caf\u00e9 \u20ac \u0101 \u4e2d\u6587",
      u"\U0001F600 pair and \xD800 lone high, \xDC00 lone low",
      u"\xD83D",  // a high surrogate at the very end
      std::u16string(40, u'\u20ac'),
  };
  for (const std::u16string& field : samples) {
    for (std::size_t width : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{3},
                              std::size_t{5}, field.size(), field.size() + 1, std::size_t{256}}) {
      expect_same(field, width);
    }
  }
}

TEST_P(AnsiFieldPaths, RandomFieldsOfMixedCharacters) {
  std::mt19937 random(8);
  const char16_t alphabet[] = {u'a',   u'Z',   u'\0',  u' ',   0x00E9, 0x0080, 0x20AC, 0x0101,
                               0x4E2D, 0xD83D, 0xDE00, 0xDBFF, 0xDC00, 0xFFFD, 0x009D};
  std::uniform_int_distribution<std::size_t> pick(0, std::size(alphabet) - 1);
  for (int round = 0; round < 500; ++round) {
    std::u16string field(std::uniform_int_distribution<std::size_t>(0, 80)(random), u' ');
    for (char16_t& c : field) c = alphabet[pick(random)];
    expect_same(field, field.size());
    expect_same(field, std::uniform_int_distribution<std::size_t>(0, 200)(random));
  }
}

INSTANTIATE_TEST_SUITE_P(CodePages, AnsiFieldPaths, ::testing::ValuesIn(testing::test_code_pages()),
                         [](const auto& code_page) { return code_page.param.name; });

}  // namespace
}  // namespace tavrosk
