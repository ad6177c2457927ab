// Faults of the plug-in manager library on the direct road: exports that fill their buffer to
// the last byte without a NUL at every length the library uses, exports that rewrite the names
// they are handed, and page sizes that are negative, zero or past the caps.
#include <climits>
#include <cstring>
#include <memory>

#include "bridge/page_info_lib.h"
#include "bridge/prog_info_lib.h"
#include "model/ide_model.h"
#include "records/page_info_record.h"
#include "records/programmer_info_record.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

using Arguments = std::vector<std::intptr_t>;

char* pointer_at(const Arguments& arguments, std::size_t index) {
  return reinterpret_cast<char*>(arguments[index]);
}

class ExportFaults : public ConnectedIdeTest {
 protected:
  // The export fills all `length` bytes of its buffer with `fill` and no NUL; every length it
  // was given is kept.
  void fill_without_nul(const std::string& name, std::size_t buffer_at, std::size_t length_at,
                        char fill) {
    host::ide_model().set_export_hook(name, [=, this](const Arguments& arguments) {
      auto length = static_cast<std::size_t>(arguments[length_at]);
      lengths_.push_back(length);
      std::memset(pointer_at(arguments, buffer_at), fill, length);
      return 1;
    });
  }
  // GetPageInfo answers with these sizes and leaves the rest of the record as it came.
  static void page_sizes(Long page_size, Long page_size_rtf) {
    host::ide_model().set_export_hook("GetPageInfo", [=](const Arguments& arguments) {
      auto* record = reinterpret_cast<PageInfoRecord*>(arguments[1]);
      record->PageSize = page_size;
      record->PageSizeRTF = page_size_rtf;
      return 1;
    });
  }

  std::vector<std::size_t> lengths_;
};

TEST_F(ExportFaults, FixedBuffersFilledToTheLastByteGiveEveryCharacter) {
  fill_without_nul("GetPathIDE", 0, 1, 'i');
  fill_without_nul("GetProgrammer", 0, 1, 'g');  // its length travels as a 16-bit integer
  fill_without_nul("GetPageByIndex", 1, 2, 'b');
  fill_without_nul("GetPageIncludeByIndex", 2, 3, 'n');
  EXPECT_EQ(ide_->GetPathIDE().value, Text(256, u'i'));
  EXPECT_EQ(ide_->GetProgrammer().value, Text(256, u'g'));
  Text page;
  EXPECT_EQ(ide_->GetPageByIndex(0, page).value, kTrue);
  EXPECT_EQ(page, Text(256, u'b'));
  Text file = u"main.bas", include;
  EXPECT_EQ(ide_->GetPageIncludeByIndex(file, 0, include).value, kTrue);
  EXPECT_EQ(include, Text(256, u'n'));
  EXPECT_EQ(lengths_, (std::vector<std::size_t>{256, 256, 256, 256}));
}

TEST_F(ExportFaults, TextBuffersFilledToTheLastByteGiveEveryCharacterAtEachSize) {
  fill_without_nul("GetPageText", 0, 1, 't');
  fill_without_nul("GetPageSelectedText", 0, 1, 's');
  fill_without_nul("GetPageTextRTF", 0, 1, 'r');
  page_sizes(1000, 512001);
  EXPECT_EQ(ide_->GetPageText().value, Text(1000, u't'));  // a page size
  EXPECT_EQ(ide_->GetPageText(600000).value, Text(512000, u't'));
  EXPECT_EQ(ide_->GetPageTextRTF().value, Text(512000, u'r') + u"\r\n\\par }");
  page_sizes(300000, 0);
  EXPECT_EQ(ide_->GetPageSelectedText().value, Text(240000, u's'));
  EXPECT_EQ(lengths_, (std::vector<std::size_t>{1000, 512000, 512000, 240000}));
}

TEST_F(ExportFaults, RecordsFilledToTheLastByteGiveFullWidthFieldsAndGoBackUnchanged) {
  host::ide_model().set_export_hook("GetPageInfo", [](const Arguments& arguments) {
    std::memset(pointer_at(arguments, 1), 'F', sizeof(PageInfoRecord));
    return 1;
  });
  host::ide_model().set_export_hook("GetProgrammerInfo", [](const Arguments& arguments) {
    std::memset(pointer_at(arguments, 1), 'P', sizeof(ProgrammerInfoRecord));
    return 1;
  });
  PageInfoLib page;
  ProgInfoLib programmer;
  Text name = u"main.bas", programmer_name = u"FlashLink";
  ASSERT_EQ(page.GetPageInfo(name).value, kTrue);
  ASSERT_EQ(programmer.GetProgrammerInfo(programmer_name).value, kTrue);
  EXPECT_EQ(page.DisplayName().value, Text(64, u'F'));
  EXPECT_EQ(page.FilenameHEX().value, Text(256, u'F'));
  EXPECT_EQ(page.Device().value, Text(16, u'F'));
  EXPECT_EQ(page.PageSizeRTF().value, 0x46464646);
  EXPECT_EQ(page.VersionBuild().value, 0x46);
  EXPECT_EQ(programmer.HookFilename().value, Text(256, u'P'));

  // The next fetch hands the host exactly the bytes it left.
  bool unchanged = false;
  host::ide_model().set_export_hook("GetPageInfo", [&](const Arguments& arguments) {
    std::string expected(sizeof(PageInfoRecord), 'F');
    unchanged = std::memcmp(pointer_at(arguments, 1), expected.data(), expected.size()) == 0;
    return 0;
  });
  EXPECT_EQ(page.GetPageInfo(name).value, kFalse);
  EXPECT_TRUE(unchanged);
}

TEST_F(ExportFaults, NamesRewrittenInPlaceComeBackToTheCallerWithTheirLength) {
  auto shout = [](std::size_t name_at) {
    return [=](const Arguments& arguments) {
      for (char* c = pointer_at(arguments, name_at); *c != '\0'; ++c) {
        if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 32);
      }
      return 1;
    };
  };
  for (const char* name : {"GetPageInfo", "GetProgrammerInfo", "SetPage", "GetPageIncludeCount"}) {
    host::ide_model().set_export_hook(name, shout(0));
  }
  host::ide_model().set_export_hook("GetPageIncludeByIndex", shout(0));

  Text page = u"main.bas";
  EXPECT_EQ(PageInfoLib().GetPageInfo(page).value, kTrue);
  EXPECT_EQ(page, u"MAIN.BAS");
  Text programmer = u"flashlink";
  EXPECT_EQ(ProgInfoLib().GetProgrammerInfo(programmer).value, kTrue);
  EXPECT_EQ(programmer, u"FLASHLINK");
  Text include_of = u"util.bas", include = u"kept";
  EXPECT_EQ(ide_->GetPageIncludeByIndex(include_of, 0, include).value, kTrue);
  EXPECT_EQ(include_of, u"UTIL.BAS");
  EXPECT_EQ(ide_->SetPage(u"main.bas").value, kTrue);
  EXPECT_EQ(ide_->GetPageIncludeCount(u"main.bas").value, 1);
}

struct SizeCase {
  Long page_size;
  Long page_size_rtf;
  // The lengths that reach the text, selection and rich-text exports; -1 for a refusal (5).
  long long text, selection, rtf;
  bool rtf_closed;
};

class PageSizeFaults : public ExportFaults, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(PageSizeFaults, SizeTheBuffersUnderTheCapsOrRefuseWithError5) {
  const SizeCase& c = GetParam();
  page_sizes(c.page_size, c.page_size_rtf);
  std::vector<std::pair<std::string, long long>> reached;
  for (const char* name : {"GetPageText", "GetPageSelectedText", "GetPageTextRTF"}) {
    host::ide_model().set_export_hook(name, [&, name](const Arguments& arguments) {
      reached.emplace_back(name, arguments[1]);
      std::memcpy(pointer_at(arguments, 0), "ok", 3);
      return 1;
    });
  }
  // `asked` is the size the read computed, which the session keeps also when it is refused.
  auto expect_read = [&](Result<Text> result, const char* name, long long length, Text text,
                         Long asked) {
    if (length < 0) {
      EXPECT_EQ(result.status.error_number(), error::kInvalidCall) << name;
      EXPECT_EQ(result.value, u"") << name;
      EXPECT_EQ(session().result_buffer_length, asked) << name;
      return;
    }
    EXPECT_TRUE(result.ok()) << name;
    EXPECT_EQ(result.value, text) << name;
    ASSERT_FALSE(reached.empty()) << name;
    EXPECT_EQ(reached.back(), std::make_pair(std::string(name), length));
  };
  expect_read(ide_->GetPageText(), "GetPageText", c.text, u"ok", c.page_size);
  expect_read(ide_->GetPageSelectedText(), "GetPageSelectedText", c.selection, u"ok", c.page_size);
  expect_read(ide_->GetPageTextRTF(), "GetPageTextRTF", c.rtf,
              c.rtf_closed ? Text(u"ok\r\n\\par }") : Text(u"ok"), c.page_size_rtf);
  // A refused read never reaches its export.
  std::size_t calls = (c.text >= 0) + (c.selection >= 0) + (c.rtf >= 0);
  EXPECT_EQ(reached.size(), calls);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PageSizeFaults,
                         ::testing::Values(SizeCase{-1, -1, -1, -1, -1, false},
                                           SizeCase{INT_MIN, 100, -1, -1, 100, false},
                                           SizeCase{0, 0, 256, 256, 256, false},
                                           SizeCase{512000, 512000, 512000, 240000, 512000, false},
                                           SizeCase{240001, 512001, 240001, 240000, 512000, true},
                                           SizeCase{INT_MAX, INT_MAX, 512000, 240000, 512000,
                                                    true}));

}  // namespace
}  // namespace tavrosk::testing
