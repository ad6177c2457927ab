// The relay road across widths: a 64-bit plug-in with the 32-bit host program, and a 32-bit one
// with the 64-bit host program, each give the same results as a 32-bit plug-in with the 32-bit
// host program, and the host program receives the same lines, byte for byte (the copy-data
// record's tag and size and every byte sent), and gives the same replies. Both widths'
// Tavrosk.dll of the release are registered for the machine; the host programs are the builds'.
// Only where both widths are built and 64-bit Windows runs both.
#include <gtest/gtest.h>

#include <fstream>

#include "release_support.h"

#ifdef TAVROSK_COMPANION_BIN_DIR

namespace tavrosk::release_testing {
namespace {

std::wstring staged_library(Width width) {
  return windows_path(TAVROSK_STAGE) + L"\\" + folder_name(width) + L"\\Tavrosk.dll";
}

std::wstring temp_folder() {
  wchar_t path[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, path);
  return path;
}

// The log's entries without their times ("12:34:56.789 line 3 31 DebugApp//::^x1312...").
std::vector<std::string> logged_exchanges(const std::wstring& path) {
  std::vector<std::string> entries;
  std::ifstream log(std::string(path.begin(), path.end()), std::ios::binary);
  for (std::string entry; std::getline(log, entry);) {
    entries.push_back(entry.size() > 13 ? entry.substr(13) : entry);
  }
  return entries;
}

class RelayAcrossWidths : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (Width width : {Width::win32, Width::win64}) {
      ASSERT_EQ(regsvr32(width, L"/s", staged_library(width)), 0u);
    }
  }
  static void TearDownTestSuite() {
    for (Width width : {Width::win32, Width::win64}) {
      EXPECT_EQ(regsvr32(width, L"/u /s", staged_library(width)), 0u);
    }
  }

  // Runs the relayed plug-in script in a script host of the client's width against the host
  // program of `host_programs`; what the host program logged.
  static std::vector<std::string> relay_plugin(Width client, const char* host_programs) {
    std::wstring log = temp_folder() + L"tavrosk_relay_" + folder_name(client) + L".log";
    DeleteFileW(log.c_str());
    {
      InstalledRelayTool host(windows_path(host_programs) + L"\\korvex_relay_tool.exe",
                              L"--hidden --log \"" + log + L"\"");
      EXPECT_TRUE(host.running());
      std::wstring script = windows_path(TAVROSK_SCRIPT_FOLDER) + L"\\both_roads.vbs";
      ProgramRun run = run_program(
          system_program(client, L"cscript.exe") + L" //nologo \"" + script + L"\" relay",
          temp_folder());
      EXPECT_EQ(run.exit_code, 0u) << run.output;
    }
    return logged_exchanges(log);
  }
};

TEST_F(RelayAcrossWidths, EitherWidthAgainstEitherHostProgramSendsAndReceivesTheSameBytes) {
  ASSERT_TRUE(on_64_bit_windows());
  std::vector<std::string> same_width = relay_plugin(Width::win32, TAVROSK_OWN_BIN_DIR);
  ASSERT_GT(same_width.size(), 20u);
  EXPECT_EQ(same_width.front(), "line 3 29 DebugApp//::^x1312//::^xTrue\\x00");
  EXPECT_EQ(relay_plugin(Width::win64, TAVROSK_OWN_BIN_DIR), same_width);
  EXPECT_EQ(relay_plugin(Width::win32, TAVROSK_COMPANION_BIN_DIR), same_width);
}

}  // namespace
}  // namespace tavrosk::release_testing

#endif
