// Text with characters outside Windows-1252 on both roads in UTF-8 (the simulated system
// switches to it; on Windows this program and its relay program run in it, as their manifests
// ask): nothing is cut inside a character and nothing overruns; relay lines and buffers are
// counted in bytes.
#include "bridge/page_info_lib.h"
#include "model/ide_model.h"
#include "platform/code_page.h"
#include "support/code_pages.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

const Text kMixed = u"h\u00e9llo \u20ac \u4e00\u4e8c \U0001F600 end";

class Utf8CodePageFaults : public BothRoadsTest {
 protected:
  void SetUp() override {
    BothRoadsTest::SetUp();
    ASSERT_TRUE(select_code_page(kUtf8CodePage)) << "the program's manifest must ask for UTF-8";
    host::ide_model().locked([](host::IdeState& s) { s.connected = true; });
  }
  static void set_active_page_name(const std::string& bytes) {
    host::ide_model().locked([&](host::IdeState& s) { s.active()->file_name = bytes; });
  }
};

TEST_P(Utf8CodePageFaults, Utf8CarriesEveryCharacterBothWays) {
  ASSERT_TRUE(ide_->SetPageText(kMixed).ok());
  EXPECT_EQ(ide_->GetPageText().value, kMixed);
  EXPECT_EQ(ide_->GetPageSelectedText().ok(), true);
  if (relayed()) {
    // The line is counted in bytes: the zero byte follows the last byte of the last character.
    auto received = relay_->received();
    ASSERT_FALSE(received.empty());
    std::string sent = platform::to_ansi(u"SetPageText//::^x1312//::^x" + kMixed);
    EXPECT_EQ(received.front().size, sent.size() + 1);
    EXPECT_EQ(received.front().bytes, sent + '\0');
  }
}

TEST_P(Utf8CodePageFaults, Utf8LinesLongerInBytesThanInCharactersArriveWhole) {
  Text name(150, u'\u00e9');  // 150 characters, 300 bytes
  ASSERT_TRUE(ide_->SetPageNew(name).ok());
  // The relay reply holds all 300 bytes; the direct road's 256-byte buffer 128 whole characters.
  EXPECT_EQ(ide_->GetPage().value, relayed() ? name : Text(128, u'\u00e9'));
}

TEST_P(Utf8CodePageFaults, Utf8NamesCutByTheBufferLoseTheCutCharacterOnly) {
  // 255 bytes of name and a two-byte character: the 256-byte buffer holds one byte of it. The
  // relay tool's reply of 500 holds it whole.
  set_active_page_name(std::string(255, 'a') + "\xc3\xa9");
  Text expected(255, u'a');
  if (relayed()) expected += u'\u00e9';
  EXPECT_EQ(ide_->GetPage().value, expected);
}

TAVROSK_ON_BOTH_ROADS(Utf8CodePageFaults);

// Only the direct road fetches the record.
class Utf8RecordFields : public ConnectedIdeTest {
 protected:
  void SetUp() override {
    ConnectedIdeTest::SetUp();
    ASSERT_TRUE(select_code_page(kUtf8CodePage)) << "the program's manifest must ask for UTF-8";
  }
};

TEST_F(Utf8RecordFields, GoBackToTheHostAsWholeCharactersWithinTheField) {
  // 30 three-byte characters for a 64-byte field: the host cuts the 22nd after one byte.
  host::ide_model().locked([](host::IdeState& s) {
    std::string name;
    for (int i = 0; i < 30; ++i) name += "\xe2\x82\xac";
    s.active()->display_name = name;
  });
  PageInfoLib page;
  Text file = u"C:\\Projects\\Blink\\main.bas";
  ASSERT_EQ(page.GetPageInfo(file).value, kTrue);
  EXPECT_EQ(page.DisplayName().value.substr(0, 21), Text(21, u'\u20ac'));
  // The next fetch hands the store back: whole characters only, zeros after them.
  std::string handed_back;
  host::ide_model().set_export_hook("GetPageInfo", [&](const std::vector<std::intptr_t>& a) {
    handed_back.assign(reinterpret_cast<const char*>(a[1]), 64);
    return 0;
  });
  ASSERT_EQ(page.GetPageInfo(file).value, kFalse);
  std::string expected;
  for (int i = 0; i < 21; ++i) expected += "\xe2\x82\xac";
  EXPECT_EQ(handed_back, expected + '\0');
}

}  // namespace
}  // namespace tavrosk::testing
