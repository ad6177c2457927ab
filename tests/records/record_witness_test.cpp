// The records' layouts and the members' relay commands, stated here as the host and the relay
// tool know them: bytes at fixed offsets and widths, and the exact lines. The library and the
// reference host both follow each record's one field list, so only a test that writes and reads
// the bytes itself sees two fields of one type swapped.
#include <cstring>
#include <string>
#include <vector>

#include "bridge/page_info_lib.h"
#include "bridge/prog_info_lib.h"
#include "model/ide_model.h"
#include "records/page_info_record.h"
#include "records/programmer_info_record.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

using Bytes = std::vector<unsigned char>;

void put_text(Bytes& record, std::size_t offset, std::size_t width, char fill) {
  std::memset(record.data() + offset, fill, width);
}

void put_long(Bytes& record, std::size_t offset, std::int32_t value) {
  for (std::size_t i = 0; i < 4; ++i) {
    record[offset + i] = static_cast<unsigned char>(static_cast<std::uint32_t>(value) >> (8 * i));
  }
}

// Every field distinct and at its full width, so that a field read at the wrong place or width
// reads another's bytes.
Bytes page_record() {
  Bytes record(1132, 0);
  put_text(record, 0, 64, 'D');     // DisplayName
  put_text(record, 64, 256, 'F');   // FileName
  put_text(record, 320, 256, 'M');  // FilenameMCI
  put_text(record, 576, 256, 'A');  // FilenameASM
  put_text(record, 832, 256, 'H');  // FilenameHEX
  put_long(record, 1088, 1);        // Modified
  put_text(record, 1092, 16, 'V');  // Device
  put_long(record, 1108, 16);       // DeviceCore
  put_long(record, 1112, 20);       // OSC
  put_long(record, 1116, 0);        // VersionEnabled
  record[1120] = 1;                 // VersionMajor
  record[1121] = 2;                 // VersionMinor
  record[1122] = 3;                 // VersionRelease
  record[1123] = 4;                 // VersionBuild
  put_long(record, 1124, 1000);     // PageSize
  put_long(record, 1128, -2000);    // PageSizeRTF
  return record;
}

Bytes programmer_record() {
  Bytes record(1280, 0);
  put_text(record, 0, 256, 'P');     // Path
  put_text(record, 256, 256, 'F');   // FileName
  put_text(record, 512, 256, 'R');   // Params
  put_text(record, 768, 256, 'B');   // ParamsBound
  put_text(record, 1024, 256, 'H');  // HookFilename
  return record;
}

// The export fills the record with `fill` and, when `handed` is given, first keeps what it was
// handed (the store of the fetch before).
void answer_record(const std::string& export_name, const Bytes& fill, Bytes* handed = nullptr) {
  host::ide_model().set_export_hook(export_name, [=](const std::vector<std::intptr_t>& a) {
    auto* record = reinterpret_cast<unsigned char*>(a[1]);
    if (handed != nullptr) handed->assign(record, record + fill.size());
    std::memcpy(record, fill.data(), fill.size());
    return 1;
  });
}

class RecordLayout : public ConnectedIdeTest {};

TEST_F(RecordLayout, PageRecordFieldsLieAtTheirOffsetsAndWidths) {
  answer_record("GetPageInfo", page_record());
  PageInfoLib page;
  Text name = u"main.bas";
  ASSERT_EQ(page.GetPageInfo(name).value, kTrue);
  EXPECT_EQ(page.DisplayName().value, Text(64, u'D'));
  EXPECT_EQ(page.FileName().value, Text(256, u'F'));
  EXPECT_EQ(page.FilenameMCI().value, Text(256, u'M'));
  EXPECT_EQ(page.FilenameASM().value, Text(256, u'A'));
  EXPECT_EQ(page.FilenameHEX().value, Text(256, u'H'));
  EXPECT_EQ(page.Modified().value, kTrue);
  EXPECT_EQ(page.Device().value, Text(16, u'V'));
  EXPECT_EQ(page.DeviceCore().value, 16);
  EXPECT_EQ(page.OSC().value, 20);
  EXPECT_EQ(page.VersionEnabled().value, kFalse);
  EXPECT_EQ(page.VersionMajor().value, 1);
  EXPECT_EQ(page.VersionMinor().value, 2);
  EXPECT_EQ(page.VersionRelease().value, 3);
  EXPECT_EQ(page.VersionBuild().value, 4);
  EXPECT_EQ(page.PageSize().value, 1000);
  EXPECT_EQ(page.PageSizeRTF().value, -2000);

  // The next fetch hands the store back in the same places.
  Bytes handed;
  answer_record("GetPageInfo", Bytes(1132, 0), &handed);
  page.GetPageInfo(name);
  EXPECT_EQ(handed, page_record());
}

TEST_F(RecordLayout, ProgrammerRecordFieldsLieAtTheirOffsetsAndWidths) {
  answer_record("GetProgrammerInfo", programmer_record());
  ProgInfoLib programmer;
  Text name = u"Burner Pro";
  ASSERT_EQ(programmer.GetProgrammerInfo(name).value, kTrue);
  EXPECT_EQ(programmer.Path().value, Text(256, u'P'));
  EXPECT_EQ(programmer.FileName().value, Text(256, u'F'));
  EXPECT_EQ(programmer.Params().value, Text(256, u'R'));
  EXPECT_EQ(programmer.ParamsBound().value, Text(256, u'B'));
  EXPECT_EQ(programmer.HookFilename().value, Text(256, u'H'));

  Bytes handed;
  answer_record("GetProgrammerInfo", Bytes(1280, 0), &handed);
  programmer.GetProgrammerInfo(name);
  EXPECT_EQ(handed, programmer_record());
}

class RecordCommands : public BothRoadsTest {};

TEST_P(RecordCommands, EveryMemberSendsItsOwnCommand) {
  PageInfoLib page;
  Text file = u"main.bas";
  page.GetPageInfo(file);
  page.DisplayName();
  page.FileName();
  page.FilenameMCI();
  page.FilenameASM();
  page.FilenameHEX();
  page.Modified();
  page.Device();
  page.OSC();
  page.VersionEnabled();
  page.VersionMajor();
  page.VersionMinor();
  page.VersionRelease();
  page.VersionBuild();
  page.PageSize();
  page.PageSizeRTF();
  page.DeviceCore();
  ProgInfoLib programmer;
  Text burner = u"Burner Pro";
  programmer.GetProgrammerInfo(burner);
  programmer.Path();
  programmer.FileName();
  programmer.Params();
  programmer.ParamsBound();
  programmer.HookFilename();
  EXPECT_EQ(relay_lines(), (std::vector<std::u16string>{
                               u"PageInfo.GetPageInfo//::^x1312//::^xmain.bas",
                               u"PageInfo.DisplayName//::^x1312",
                               u"PageInfo.FileName//::^x1312",
                               u"PageInfo.FilenameMCI//::^x1312",
                               u"PageInfo.FilenameASM//::^x1312",
                               u"PageInfo.FilenameHEX//::^x1312",
                               u"PageInfo.Modified//::^x1312",
                               u"PageInfo.Device//::^x1312",
                               u"PageInfo.OSC//::^x1312",
                               u"PageInfo.VersionEnabled//::^x1312",
                               u"PageInfo.VersionMajor//::^x1312",
                               u"PageInfo.VersionMinor//::^x1312",
                               u"PageInfo.VersionRelease//::^x1312",
                               u"PageInfo.VersionBuild//::^x1312",
                               u"PageInfo.PageSize//::^x1312",
                               u"PageInfo.PageSizeRTF//::^x1312",
                               u"PageInfo.DeviceCore//::^x1312",
                               u"ProgInfo.GetProgrammerInfo//::^x1312//::^xBurner Pro",
                               u"ProgInfo.Path//::^x1312",
                               u"ProgInfo.FileName//::^x1312",
                               u"ProgInfo.Params//::^x1312",
                               u"ProgInfo.ParamsBound//::^x1312",
                               u"ProgInfo.HookFilename//::^x1312",
                           }));
}

INSTANTIATE_TEST_SUITE_P(Roads, RecordCommands, ::testing::Values(Road::kRelay), road_name);

}  // namespace
}  // namespace tavrosk::testing
