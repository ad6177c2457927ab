// ProgInfoLib on the direct road: what the record carries into the store, and whose store it is.
#include <cctype>
#include <cstring>
#include <string>
#include <thread>

#include "bridge/prog_info_lib.h"
#include "bridge/record_fetches.h"
#include "bridge/result_buffer.h"
#include "model/ide_model.h"
#include "records/page_info_record.h"
#include "records/programmer_info_record.h"
#include "support/code_pages.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

// The record handed to the export, as a hook sees it.
ProgrammerInfoRecord& hooked_record(const std::vector<std::intptr_t>& arguments) {
  return *reinterpret_cast<ProgrammerInfoRecord*>(arguments[1]);
}

class ProgInfoDirect : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    programmer_info_store() = ProgrammerInfoStore{};
    page_info_store() = PageInfoStore{};
    host::ide_model().locked([](host::IdeState& ide) {
      ide.programmers.push_back(
          {"Burner", "C:\\Tools\\Burner\\", "burn.exe", "-d $device", "-bound", "burn.hook", true});
      ide.programmers.push_back({"Flasher", "D:\\Flash\\", "flash.exe", "", "", "", true});
    });
  }
  void TearDown() override {
    programmer_info_store() = ProgrammerInfoStore{};
    page_info_store() = PageInfoStore{};
    PlatformTest::TearDown();
  }

  ProgInfoLib info_;
};

TEST_F(ProgInfoDirect, AFieldWithoutNulKeepsAllItsCharactersAndNoneOfItsNeighbour) {
  host::ide_model().set_export_hook("GetProgrammerInfo", [](const auto& arguments) {
    ProgrammerInfoRecord& record = hooked_record(arguments);
    std::memset(record.Params, 'p', sizeof record.Params);
    std::memcpy(record.ParamsBound, "next\0tail", 9);
    return 1;
  });
  Text name = u"Burner";
  EXPECT_EQ(info_.GetProgrammerInfo(name).value, kTrue);
  EXPECT_EQ(info_.Params().value, Text(256, u'p'));
  EXPECT_EQ(info_.ParamsBound().value, u"next");
}

TEST_F(ProgInfoDirect, TheHostReceivesThePreviousContentsAndAFailedFetchKeepsThem) {
  Text name = u"Burner";
  ASSERT_EQ(info_.GetProgrammerInfo(name).value, kTrue);
  std::string handed_path;
  host::ide_model().set_export_hook("GetProgrammerInfo", [&](const auto& arguments) {
    handed_path = hooked_record(arguments).Path;  // the host's fill ends in NULs
    return 0;
  });
  Text unknown = u"Nobody";
  auto result = info_.GetProgrammerInfo(unknown);
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(result.value, kFalse);
  EXPECT_EQ(handed_path, "C:\\Tools\\Burner\\");
  EXPECT_EQ(narrow(info_.Path().value), "C:\\Tools\\Burner\\");
  EXPECT_EQ(narrow(info_.HookFilename().value), "burn.hook");
}

TEST_F(ProgInfoDirect, TheNameComesBackAsTheExportLeftIt) {
  if (!select_code_page(kWindows1252CodePage)) GTEST_SKIP() << "Windows-1252's own characters";

  host::ide_model().set_export_hook("GetProgrammerInfo", [](const auto& arguments) {
    char* name = reinterpret_cast<char*>(arguments[0]);
    for (; *name != '\0'; ++name) *name = static_cast<char>(std::toupper(*name));
    return 1;
  });
  // The character outside the code page cannot survive its ANSI copy.
  Text name = u"burner\u4E00";
  info_.GetProgrammerInfo(name);
  EXPECT_EQ(name, u"BURNER?");
}

TEST_F(ProgInfoDirect, EveryObjectOfTheThreadReadsTheOneStore) {
  ProgInfoLib other;
  Text name = u"flasher";  // the host matches names in any letter case
  ASSERT_EQ(info_.GetProgrammerInfo(name).value, kTrue);
  EXPECT_EQ(narrow(other.Path().value), "D:\\Flash\\");
  Text burner = u"Burner";
  other.GetProgrammerInfo(burner);
  EXPECT_EQ(narrow(info_.FileName().value), "burn.exe");
}

TEST_F(ProgInfoDirect, PageAndProgrammerStoresNeverTouchEachOther) {
  Text page = u"C:\\Projects\\Blink\\main.bas";
  ASSERT_EQ(FetchPageInfo(page), kTrue);
  const Text page_file = field_text(page_info_store().FileName);
  ASSERT_FALSE(page_file.empty());
  const Long page_size = page_info_store().PageSize;

  Text name = u"Burner";
  ASSERT_EQ(info_.GetProgrammerInfo(name).value, kTrue);
  EXPECT_EQ(field_text(page_info_store().FileName), page_file);
  EXPECT_EQ(page_info_store().PageSize, page_size);

  Text other_page = u"C:\\Projects\\Blink\\util.bas";
  ASSERT_EQ(FetchPageInfo(other_page), kTrue);
  EXPECT_EQ(narrow(info_.Path().value), "C:\\Tools\\Burner\\");
  EXPECT_EQ(narrow(info_.ParamsBound().value), "-bound");
}

TEST_F(ProgInfoDirect, EachThreadHasItsOwnStore) {
  Text name = u"Burner";
  ASSERT_EQ(info_.GetProgrammerInfo(name).value, kTrue);
  Text before_fetch, after_fetch;
  std::thread([&] {
    ProgInfoLib on_thread;
    before_fetch = on_thread.Path().value;
    Text flasher = u"Flasher";
    on_thread.GetProgrammerInfo(flasher);
    after_fetch = on_thread.Path().value;
  }).join();
  EXPECT_EQ(before_fetch, u"");
  EXPECT_EQ(narrow(after_fetch), "D:\\Flash\\");
  EXPECT_EQ(narrow(info_.Path().value), "C:\\Tools\\Burner\\");
}

TEST(ProgrammerInfoRecordConversion, KeepsEachFieldsFullWidthBeyondItsNul) {
  if (!select_code_page(kWindows1252CodePage)) GTEST_SKIP() << "Windows-1252's own characters";

  ProgrammerInfoStore store;
  const Text stale = Text(u"new") + u'\0' + u"old name";
  std::copy(stale.begin(), stale.end(), store.HookFilename.begin());
  store.Path.fill(u'\u00E9');  // one byte each in the code page: the whole width fits
  ProgrammerInfoRecord record = to_record(store);
  EXPECT_EQ(std::string(record.HookFilename, 12), std::string("new\0old name", 12));
  EXPECT_EQ(static_cast<unsigned char>(record.Path[255]), 0xE9);
  ProgrammerInfoStore back = from_record(record);
  EXPECT_EQ(back.HookFilename, store.HookFilename);
  EXPECT_EQ(back.Path, store.Path);
}

}  // namespace
}  // namespace tavrosk::testing
