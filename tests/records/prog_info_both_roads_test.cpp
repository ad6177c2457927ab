// ProgInfoLib runs the same scenario on both roads against the reference host.
#include "bridge/prog_info_lib.h"
#include "bridge/result_buffer.h"
#include "bridge/session.h"
#include "model/ide_model.h"
#include "records/programmer_info_record.h"
#include "support/fixture.h"

namespace tavrosk::testing {
namespace {

class ProgInfoOnBothRoads : public BothRoadsTest {
 protected:
  void SetUp() override {
    BothRoadsTest::SetUp();
    programmer_info_store() = ProgrammerInfoStore{};
    host::ide_model().locked([](host::IdeState& ide) {
      ide.programmers.push_back({"Burner Pro", "C:\\Tools\\Burner\\", "burn.exe", "-d $device",
                                 "-bound", "burn.hook", true});
      ide.programmers.push_back({"Flasher", "D:\\Flash\\", "flash.exe", "/q", "", "", true});
    });
  }
  void TearDown() override {
    programmer_info_store() = ProgrammerInfoStore{};
    BothRoadsTest::TearDown();
  }

  struct Report {
    std::string path, file_name, params, params_bound, hook_filename;
    bool operator==(const Report&) const = default;
  };
  Report report() {
    return {narrow(info_.Path().value), narrow(info_.FileName().value),
            narrow(info_.Params().value), narrow(info_.ParamsBound().value),
            narrow(info_.HookFilename().value)};
  }

  ProgInfoLib info_;
};

TEST_P(ProgInfoOnBothRoads, AFetchedProgrammerIsReportedUntilTheNextSuccessfulFetch) {
  Text name = u"Burner Pro";
  auto fetched = info_.GetProgrammerInfo(name);
  EXPECT_TRUE(fetched.ok());
  EXPECT_EQ(fetched.value, kTrue);
  EXPECT_EQ(name, u"Burner Pro");
  const Report burner{"C:\\Tools\\Burner\\", "burn.exe", "-d $device", "-bound", "burn.hook"};
  EXPECT_EQ(report(), burner);

  Text unknown = u"Nobody";
  EXPECT_EQ(info_.GetProgrammerInfo(unknown).value, kFalse);
  EXPECT_EQ(report(), burner);

  Text flasher = u"Flasher";
  EXPECT_EQ(info_.GetProgrammerInfo(flasher).value, kTrue);
  EXPECT_EQ(report(), (Report{"D:\\Flash\\", "flash.exe", "/q", "", ""}));
}

TEST_P(ProgInfoOnBothRoads, EachMemberTakesOnlyItsOwnRoad) {
  Text name = u"Burner Pro";
  info_.GetProgrammerInfo(name);
  info_.Params();
  info_.HookFilename();
  if (relayed()) {
    EXPECT_TRUE(export_calls().empty());
    EXPECT_EQ(relay_lines(),
              (std::vector<std::u16string>{u"ProgInfo.GetProgrammerInfo//::^x1312//::^xBurner Pro",
                                           u"ProgInfo.Params//::^x1312",
                                           u"ProgInfo.HookFilename//::^x1312"}));
    // The relay road neither reads nor writes the store.
    EXPECT_EQ(field_text(programmer_info_store().Params), u"");
  } else {
    // The reading members only read the store.
    EXPECT_EQ(export_calls(), std::vector<std::string>{"GetProgrammerInfo(\"Burner Pro\", &)"});
    EXPECT_TRUE(relay_lines().empty());
  }
}

TAVROSK_ON_BOTH_ROADS(ProgInfoOnBothRoads);

}  // namespace
}  // namespace tavrosk::testing
