// Conversion between the page information store and its record, field by field at full width.
#include <gtest/gtest.h>

#include <cstring>

#include "bridge/result_buffer.h"
#include "records/ansi_fields.h"
#include "records/page_info_record.h"
#include "support/code_pages.h"

namespace tavrosk {
namespace {

class RecordConversion : public ::testing::Test {};

TEST_F(RecordConversion, EveryFieldRoundTripsAtFullWidth) {
  if (!testing::select_code_page(testing::kWindows1252CodePage)) {
    GTEST_SKIP() << "Windows-1252's own characters";
  }

  PageInfoRecord record{};
  std::memset(record.DisplayName, 'D', sizeof record.DisplayName);  // no NUL at all
  std::memcpy(record.FileName, "abc\0leftover", 12);
  record.Modified = 1;
  std::memcpy(record.Device, "KX4550\xe9", 7);
  record.DeviceCore = -7;
  record.OSC = 20;
  record.VersionEnabled = 5;
  record.VersionMajor = 255;
  record.VersionBuild = 4;
  record.PageSize = 512000;
  record.PageSizeRTF = -1;

  PageInfoStore store = from_record(record);
  EXPECT_EQ(field_text(store.DisplayName), std::u16string(64, u'D'));
  EXPECT_EQ(field_text(store.FileName), u"abc");
  EXPECT_EQ(store.FileName[4], u'l');  // what follows the NUL is kept
  EXPECT_EQ(field_text(store.Device), u"KX4550\u00e9");
  EXPECT_EQ(store.Modified, 1);
  EXPECT_EQ(store.VersionMajor, 255);
  EXPECT_EQ(store.PageSizeRTF, -1);

  PageInfoRecord back = to_record(store);
  EXPECT_EQ(std::memcmp(&back, &record, sizeof record), 0);
}

TEST_F(RecordConversion, CharactersOutsideTheCodePageBecomeTheirBestFitOrAQuestionMark) {
  if (!testing::select_code_page(testing::kWindows1252CodePage)) {
    GTEST_SKIP() << "Windows-1252's own characters";
  }

  PageInfoStore store;
  store.FileName[0] = u'\u0101';
  store.FileName[1] = u'\u4e2d';
  store.FileName[2] = u'x';
  PageInfoRecord record = to_record(store);
  EXPECT_EQ(std::string(record.FileName, 4), std::string("a?x\0", 4));
}

}  // namespace
}  // namespace tavrosk
