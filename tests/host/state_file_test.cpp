// The reference host's state file: a seeded IDE reads back as written, and a bad file is
// refused whole with a message that names the file and the place.
#include <gtest/gtest.h>

#include <string>

#include "shared/state_file.h"

namespace tavrosk::testing {
namespace {

using host::IdeState;

IdeState parse_state(const std::string& text, const std::string& source) {
  host::FileOutcome<IdeState> parsed = host::parse_state(text, source);
  EXPECT_TRUE(parsed.ok()) << parsed.error;
  return parsed.ok() ? *parsed.value : IdeState{};
}

const char kSeed[] = R"({
  "paths": {"ide": "C:\\Korvex\\", "plugins": "C:\\Korvex\\Plugins\\", "compiler": "C:\\Korvex\\Compiler\\"},
  "pages": [{"file": "C:\\P\\main.bas", "display_name": "main.bas", "text": "A\r\nB\u00fc\r\n",
             "rtf": "{\\rtf1 A}", "includes": ["C:\\P\\lib.inc"], "device": "KX-9",
             "device_core": 16, "osc": 8, "hex": "C:\\P\\main.hex", "asm": "C:\\P\\main.asm",
             "mci": "C:\\P\\main.mci", "version": [1, 2, 3, 4], "version_enabled": true,
             "modified": false},
            {"file": "C:\\P\\lib.inc"}],
  "active_page": "C:\\P\\lib.inc",
  "programmers": [{"name": "Wand", "path": "C:\\W\\", "file": "w.exe", "params": "-x", "hook": "h.txt"}],
  "current_programmer": "Wand",
  "locked": true
})";

std::string refusal(const std::string& text) {
  host::FileOutcome<IdeState> parsed = host::parse_state(text, "seed.json");
  return parsed.ok() ? "accepted" : parsed.error;
}

TEST(StateFile, ASeededIdeHasEveryKeyAndFillsWhatAPageLeavesOut) {
  IdeState state = parse_state(kSeed, "seed.json");
  EXPECT_EQ(state.path_plugin, "C:\\Korvex\\Plugins\\");
  ASSERT_EQ(state.pages.size(), 2u);
  const host::Page& main = state.pages[0];
  EXPECT_EQ(main.text, "A\r\nB\xFC\r\n");  // ANSI, as the IDE keeps it
  EXPECT_EQ(main.rtf, "{\\rtf1 A}");
  EXPECT_EQ(main.includes, std::vector<std::string>{"C:\\P\\lib.inc"});
  EXPECT_EQ(main.filename_hex, "C:\\P\\main.hex");
  EXPECT_EQ(main.version[3], 4);
  EXPECT_TRUE(main.version_enabled);
  const host::Page& lib = state.pages[1];
  EXPECT_EQ(lib.display_name, "lib.inc");
  EXPECT_EQ(lib.filename_asm, "C:\\P\\lib.asm");
  EXPECT_EQ(lib.rtf, "{\\rtf1\\ansi \\par }");
  EXPECT_EQ(state.active_page, 1);
  ASSERT_EQ(state.programmers.size(), 1u);
  EXPECT_EQ(state.programmers[0].hook_filename, "h.txt");
  EXPECT_TRUE(state.programmers[0].available);
  EXPECT_EQ(state.current_programmer, 0);
  EXPECT_TRUE(state.locked);
}

TEST(StateFile, WhatTheHostWritesReadsBackTheSame) {
  IdeState state = host::initial_ide_state();
  state.pages[0].line_colours[1] = {0xFF, 0x10};
  state.pages[0].caret_line = 2;
  state.files["C:\\x.bas"] = "saved \xE9";
  state.connected = true;
  std::string written = host::format_state(state);
  EXPECT_EQ(host::format_state(parse_state(written, "out.json")), written);
}

TEST(StateFile, ASyntaxErrorNamesTheFileLineAndColumn) {
  std::string message = refusal("{\n  \"locked\": tru\n}");
  EXPECT_EQ(message.rfind("seed.json:2:", 0), 0u) << message;
  EXPECT_NE(message.find("syntax error"), std::string::npos) << message;
  EXPECT_EQ(refusal("{\"paths\": {}").rfind("seed.json:1:13:", 0), 0u);
}

TEST(StateFile, AValueOfTheWrongTypeNamesItsKey) {
  EXPECT_EQ(refusal(R"({"locked": "no"})"), "seed.json: locked: expected true or false");
  EXPECT_EQ(refusal(R"({"pages": [{"file": "a", "version": [1, 2, 3, 300]}]})"),
            "seed.json: pages[0].version[3]: expected a whole number from 0 to 255");
  EXPECT_EQ(refusal(R"({"pages": [{"file": "a", "includes": ["x", 2]}]})"),
            "seed.json: pages[0].includes[1]: expected a string");
  EXPECT_EQ(refusal(R"({"programmers": {}})"),
            "seed.json: programmers: expected an array of programmers");
}

TEST(StateFile, UnknownKeysAndNamesOfNothingAreRefused) {
  EXPECT_EQ(refusal(R"({"programers": []})"), "seed.json: programers: unknown key");
  EXPECT_EQ(refusal(R"({"pages": [{"file": "a", "txt": ""}]})"),
            "seed.json: pages[0].txt: unknown key");
  EXPECT_EQ(refusal(R"({"pages": [{"text": ""}]})"),
            "seed.json: pages[0].file: expected the page's file name");
  EXPECT_EQ(refusal(R"({"active_page": "C:\\none.bas"})"),
            "seed.json: active_page: expected the file name of one of the pages");
}

TEST(StateFile, AMissingFileIsRefusedByName) {
  host::FileOutcome<IdeState> loaded = host::load_state_file("no_such_folder/seed.json");
  EXPECT_FALSE(loaded.ok());
  EXPECT_EQ(loaded.error, "no_such_folder/seed.json: cannot be read");
}

}  // namespace
}  // namespace tavrosk::testing
