// The text readers' buffers: sized from the caller's length or the page information under
// their caps on the direct road, read with the full reply capacity on the relay road.
#include "model/ide_model.h"
#include "records/page_info_record.h"
#include "support/code_pages.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

const std::string kMainPage = "\"C:\\Projects\\Blink\\main.bas\"";
const std::vector<std::string> kPageInfoCalls = {"IsConnected()", "GetPage(\"\", 256)",
                                                 "GetPageInfo(" + kMainPage + ", &)"};

std::vector<std::string> with_page_info(std::string text_call) {
  std::vector<std::string> calls = kPageInfoCalls;
  calls.push_back(std::move(text_call));
  return calls;
}

class PageTextDirect : public BothRoadsTest {
 protected:
  void SetUp() override {
    BothRoadsTest::SetUp();
    host::ide_model().locked([](host::IdeState& s) { s.connected = true; });
    page_info_store() = PageInfoStore{};
  }
  static void set_text(std::string text) {
    host::ide_model().locked([&](host::IdeState& s) { s.active()->text = std::move(text); });
  }
  static void set_rtf(std::string rtf) {
    host::ide_model().locked([&](host::IdeState& s) { s.active()->rtf = std::move(rtf); });
  }
  static void fail_page_info() {
    host::ide_model().set_export_hook("GetPageInfo", [](const auto&) { return 0; });
  }
};

TEST_P(PageTextDirect, NotConnectedGivesTheEmptyTextAndCallsNothingElse) {
  host::ide_model().locked([](host::IdeState& s) { s.connected = false; });
  for (auto read : {+[](VB_PluginLib& ide) { return ide.GetPageText(); },
                    +[](VB_PluginLib& ide) { return ide.GetPageTextRTF(); },
                    +[](VB_PluginLib& ide) { return ide.GetPageSelectedText(); }}) {
    host::ide_model().reset();
    auto text = read(*ide_);
    EXPECT_TRUE(text.ok());
    EXPECT_EQ(text.value, u"");
    EXPECT_EQ(export_calls(), std::vector<std::string>{"IsConnected()"});
  }
}

TEST_P(PageTextDirect, ACallersLengthIsUsedUnderTheCapWithoutPageInformation) {
  set_text(std::string(1000, 't'));
  auto text = ide_->GetPageText(100);
  EXPECT_EQ(text.value, std::u16string(100, u't'));  // the library fills the buffer whole
  EXPECT_EQ(export_calls(), (std::vector<std::string>{"IsConnected()", "GetPageText(\"\", 100)"}));
  EXPECT_EQ(session().result_buffer_length, 100);

  ide_->GetPageText(600000);
  EXPECT_EQ(export_calls().back(), "GetPageText(\"\", 512000)");
  EXPECT_EQ(session().result_buffer_length, 512000);
}

TEST_P(PageTextDirect, WithoutALengthThePageSizeSizesTheBuffer) {
  set_text(std::string(1000, 't'));
  auto text = ide_->GetPageText();
  EXPECT_EQ(text.value.size(), 1000u);
  EXPECT_EQ(export_calls(), with_page_info("GetPageText(\"\", 1000)"));
  EXPECT_EQ(session().result_buffer_length, 1000);
  EXPECT_EQ(page_info_store().PageSize, 1000);  // what PageInfoLib shows afterwards
}

TEST_P(PageTextDirect, AFailedFetchFallsBackTo256EvenWithAnEarlierPageSize) {
  set_text(std::string(1000, 't'));
  ide_->GetPageText();
  ASSERT_EQ(page_info_store().PageSize, 1000);
  fail_page_info();
  auto text = ide_->GetPageText(0);
  EXPECT_EQ(export_calls().back(), "GetPageText(\"\", 256)");
  EXPECT_EQ(text.value.size(), 256u);
  EXPECT_EQ(session().result_buffer_length, 256);
}

TEST_P(PageTextDirect, ANegativeLengthIsStoredAndFailsWithError5) {
  auto text = ide_->GetPageText(-1);
  EXPECT_EQ(text.status.error_number(), 5);
  EXPECT_EQ(text.value, u"");
  EXPECT_EQ(session().result_buffer_length, -1);
  EXPECT_EQ(export_calls(), std::vector<std::string>{"IsConnected()"});
}

TEST_P(PageTextDirect, APageOfTheCapIsReadWhole) {
  std::string page(512000, 'x');
  page.front() = 'a';
  page.back() = 'z';
  set_text(page);
  auto text = ide_->GetPageText();
  ASSERT_EQ(text.value.size(), 512000u);
  EXPECT_EQ(text.value.front(), u'a');
  EXPECT_EQ(text.value.back(), u'z');
  // One more character is cut at the cap, without notice.
  set_text(page + "!");
  EXPECT_EQ(ide_->GetPageText().value.size(), 512000u);
}

TEST_P(PageTextDirect, RichTextAtTheCapIsReturnedUnchanged) {
  set_rtf(std::string(512000, 'r'));
  auto text = ide_->GetPageTextRTF();
  EXPECT_EQ(export_calls(), with_page_info("GetPageTextRTF(\"\", 512000)"));
  EXPECT_TRUE(text.value == std::u16string(512000, u'r'));
}

TEST_P(PageTextDirect, RichTextPastTheCapIsCutAndClosed) {
  set_rtf(std::string(512001, 'r'));
  auto text = ide_->GetPageTextRTF();
  EXPECT_EQ(export_calls().back(), "GetPageTextRTF(\"\", 512000)");
  ASSERT_EQ(text.value.size(), 512000u + 8u);
  EXPECT_EQ(text.value.substr(512000), u"\r\n\\par }");
  EXPECT_EQ(session().result_buffer_length, 512000);
}

TEST_P(PageTextDirect, RichTextIgnoresTheCallersLength) {
  ide_->GetPageTextRTF(10);
  auto with_length = export_calls();
  host::ide_model().reset();
  host::ide_model().locked([](host::IdeState& s) { s.connected = true; });
  ide_->GetPageTextRTF(0);
  EXPECT_EQ(with_length, export_calls());
  EXPECT_EQ(with_length.back(),
            "GetPageTextRTF(\"\", " + std::to_string(page_info_store().PageSizeRTF) + ")");
}

TEST_P(PageTextDirect, WithoutPageInformationRichTextAndSelectionAreEmpty) {
  fail_page_info();
  EXPECT_EQ(ide_->GetPageTextRTF().value, u"");
  EXPECT_EQ(ide_->GetPageSelectedText().value, u"");
  for (const auto& call : export_calls()) {
    EXPECT_EQ(call.find("GetPageTextRTF"), std::string::npos);
    EXPECT_EQ(call.find("GetPageSelectedText"), std::string::npos);
  }
}

TEST_P(PageTextDirect, TheSelectionBufferFollowsThePageSizeUnderItsCap) {
  set_text(std::string(300000, 's'));
  host::ide_model().locked([](host::IdeState& s) {
    s.active()->selection_start = 0;
    s.active()->selection_length = 300000;
  });
  auto text = ide_->GetPageSelectedText();
  EXPECT_EQ(export_calls(), with_page_info("GetPageSelectedText(\"\", 240000)"));
  EXPECT_EQ(text.value.size(), 240000u);

  set_text("");
  ide_->GetPageSelectedText();
  EXPECT_EQ(export_calls().back(), "GetPageSelectedText(\"\", 256)");
  EXPECT_EQ(session().result_buffer_length, 256);
}

TEST_P(PageTextDirect, TheIncludeLookupWritesTheNamesAnsiRoundTripBack) {
  if (!select_code_page(kWindows1252CodePage)) GTEST_SKIP() << "Windows-1252's own characters";

  Text name = u"C:\\\u0100\u4e2d.bas";  // characters the code page cannot hold
  Text include;
  ide_->GetPageIncludeByIndex(name, 0, include);
  EXPECT_EQ(name, u"C:\\A?.bas");

  // A change the library makes in place shows in the caller's variable.
  host::ide_model().set_export_hook("GetPageIncludeByIndex", [](const auto& arguments) {
    reinterpret_cast<char*>(arguments[0])[0] = 'D';
    return 1;
  });
  name = u"C:\\main.bas";
  EXPECT_EQ(ide_->GetPageIncludeByIndex(name, 0, include).value, kTrue);
  EXPECT_EQ(name, u"D:\\main.bas");
}

INSTANTIATE_TEST_SUITE_P(Roads, PageTextDirect, ::testing::Values(Road::kDirect), road_name);

class PageTextRelay : public BothRoadsTest {};

TEST_P(PageTextRelay, TheCallersLengthIsNotSentAndTheReplyHasFullCapacity) {
  relay_->script_reply(std::u16string(512010, u't'));
  auto text = ide_->GetPageText(100);
  EXPECT_EQ(text.value.size(), 512005u);
  ide_->GetPageText(0);
  EXPECT_EQ(relay_lines(),
            (std::vector<std::u16string>{u"GetPageText//::^x1312", u"GetPageText//::^x1312"}));
  EXPECT_TRUE(export_calls().empty());
}

TEST_P(PageTextRelay, RichTextCutByTheCapacityIsNotClosed) {
  relay_->script_reply(std::u16string(512010, u'r'));
  auto text = ide_->GetPageTextRTF();
  EXPECT_TRUE(text.value == std::u16string(512005, u'r'));
}

TEST_P(PageTextRelay, TheSelectionReplyHasItsOwnCapacity) {
  relay_->script_reply(std::u16string(240010, u's'));
  EXPECT_EQ(ide_->GetPageSelectedText().value.size(), 240005u);
}

// The include lookup reads its Split reply like every enumeration.
TEST_P(PageTextRelay, AnIncludeReplyIsReadInTheSplitForm) {
  Text name = u"A";
  Text include = u"caller's";
  relay_->script_reply(u"");
  auto found = ide_->GetPageIncludeByIndex(name, 2, include);
  EXPECT_TRUE(found.ok());
  EXPECT_EQ(found.value, kFalse);
  EXPECT_EQ(include, u"caller's");
  relay_->script_reply(u"no//::^xa.inc");
  EXPECT_EQ(ide_->GetPageIncludeByIndex(name, 0, include).status.error_number(), 13);
  EXPECT_EQ(include, u"a.inc");
  EXPECT_EQ(name, u"A");
}

INSTANTIATE_TEST_SUITE_P(Roads, PageTextRelay, ::testing::Values(Road::kRelay), road_name);

}  // namespace
}  // namespace tavrosk::testing
