// An export call handed from a plug-in's Zavoplex.dll to the host program and run there: the
// buffers, records and integers it fills come back to the caller as the export left them.
#include <gtest/gtest.h>

#include <cstring>

#include "bridge/plugin_manager/exports.h"
#include "plugin_manager/export_support.h"
#include "relay_tool/traffic.h"
#include "shared/traffic_log.h"

namespace tavrosk::testing {
namespace {

// Runs the call as the host program does, after a trip through the wire format both ways.
template <class... Args>
std::int32_t handed_over(const char* name, Args... args) {
  void* export_function = plugin_manager::resolve_export(name);
  host::ExportCall sent = host::capture_call(name, args...);
  std::optional<host::ExportCall> received = host::decode_call(host::encode_call(sent));
  EXPECT_TRUE(received.has_value());
  std::optional<host::ExportAnswer> answer = host::run_export_call(*received, export_function);
  EXPECT_TRUE(answer.has_value());
  std::optional<host::ExportAnswer> back = host::decode_answer(host::encode_answer(*answer));
  host::write_back(sent, *back, args...);
  return back->result;
}

TEST(ExportCall, BuffersRecordsAndIntegersComeBackFilled) {
  host::ide_model().reset();
  char page[] = "C:\\Projects\\Blink\\main.bas";
  char include[40];
  std::memset(include, '#', sizeof include);
  EXPECT_EQ(handed_over("GetPageIncludeByIndex", page, 1, include, 40), 1);
  EXPECT_STREQ(include, "C:\\Korvex\\Includes\\portb.inc");

  std::int32_t column = -1;
  std::int32_t line = -1;
  handed_over("GetPageCursorPos", &column, &line);
  EXPECT_EQ(column, 0);
  EXPECT_EQ(line, 0);

  PageInfoRecord record{};
  EXPECT_EQ(handed_over("GetPageInfo", page, reinterpret_cast<std::uint8_t*>(&record)), 1);
  EXPECT_STREQ(record.DisplayName, "main.bas");
  EXPECT_EQ(record.OSC, 20);
}

TEST(ExportCall, TheHostProgramLogsACallAsTheLibraryDoes) {
  char page[] = "C:\\a.bas";
  char buffer[8] = {};
  std::int32_t* no_line = nullptr;
  EXPECT_EQ(
      host::describe_export_call(host::capture_call("GetPageIncludeByIndex", page, 0, buffer, 8)),
      "GetPageIncludeByIndex(\"C:\\a.bas\", 0, &, 8)");
  EXPECT_EQ(host::describe_export_call(host::capture_call("GetPageCursorPos", no_line, no_line)),
            "GetPageCursorPos(null, null)");
}

// The buffer is the argument the export list names `buffer`; a text argument is none.
TEST(ExportCall, TheBufferPositionIsReadFromTheExportList) {
  EXPECT_EQ(host::buffer_argument("GetPage"), 0);
  EXPECT_EQ(host::buffer_argument("GetProgrammer"), 0);
  EXPECT_EQ(host::buffer_argument("GetProgrammerByIndex"), 1);
  EXPECT_EQ(host::buffer_argument("GetPageIncludeByIndex"), 2);
  EXPECT_EQ(host::buffer_argument("SetPageUpdateText"), -1);
  EXPECT_EQ(host::buffer_argument("GetPageCount"), -1);
  EXPECT_EQ(host::buffer_argument("NoSuchExport"), -1);
}

TEST(ExportCall, AMangledCallIsRefused) {
  host::ExportCall call{"GetPageCount", {}, {}};
  std::string bytes = host::encode_call(call);
  EXPECT_FALSE(host::decode_call(bytes.substr(0, bytes.size() - 1)).has_value());
  EXPECT_FALSE(host::decode_call(bytes + "x").has_value());
  call.name = "NoSuchExport";
  EXPECT_FALSE(
      host::run_export_call(call, plugin_manager::resolve_export("GetPageCursorPos")).has_value());
  call.name = "GetPageCursorPos";  // two arguments expected, none given
  EXPECT_FALSE(
      host::run_export_call(call, plugin_manager::resolve_export("GetPageCursorPos")).has_value());
}

TEST(HostLog, AReceivedLineReadsBackByteForByte) {
  std::string bytes("Set\\Page//::^x1\r\n\xE9", 18);
  bytes += '\0';
  host::ReceivedLine line{3, static_cast<std::uint32_t>(bytes.size()), bytes, {}};
  std::string log = host::line_entry(line) + "\n" + host::reply_entry("True", false) + "\n" +
                    host::reply_entry(std::nullopt, false) + "\n" +
                    host::line_entry({3, 0, "", {}}) + "\n";
  std::vector<host::ReceivedLine> read = host::parse_line_entries(log);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].tag, 3u);
  EXPECT_EQ(read[0].size, bytes.size());
  EXPECT_EQ(read[0].bytes, bytes);
  EXPECT_EQ(read[1].bytes, "");
  EXPECT_EQ(host::escape_log_text(bytes), "Set\\\\Page//::^x1\\x0d\\x0a\\xe9\\x00");
}

}  // namespace
}  // namespace tavrosk::testing
