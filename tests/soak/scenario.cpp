#include "soak/scenario.h"

#include <cstdio>
#include <cwchar>
#include <vector>

namespace tavrosk::soak {
namespace {

// The freshly started reference IDE.
const wchar_t* const kPages[] = {L"C:\\Projects\\Blink\\main.bas",
                                 L"C:\\Projects\\Blink\\util.bas"};
const wchar_t* const kIncludes[] = {L"C:\\Korvex\\Includes\\delays.inc",
                                    L"C:\\Korvex\\Includes\\portb.inc"};
struct Programmer {
  const wchar_t* name;
  const wchar_t* path;
  const wchar_t* params;
};
const Programmer kProgrammers[] = {
    {L"FlashLink", L"C:\\Programmers\\FlashLink\\", L"-P$target-device -F$hex-filename"},
    {L"ProbeWriter", L"C:\\Programmers\\ProbeWriter\\", L"/p $target-device"}};

void expect(bool ok, const char* what) {
  if (!ok) throw SoakFailure(std::string("wrong result: ") + what);
}

// The caller's page text equals the first `size` characters of the whole text.
void expect_page_text(BSTR text, const PageTexts& texts, long size, const char* what) {
  Bstr owned(text);
  bool same = static_cast<long>(SysStringLen(text)) == size &&
              (size == 0 || std::wmemcmp(text, texts.whole().data(), size) == 0);
  expect(same, what);
}

// What splitting the text into lines gives: the text with CR LF appended, cut at every CR LF,
// less the empty piece after the appended end.
std::vector<std::wstring> lines_expected(const std::wstring& text) {
  std::wstring ended = text + L"\r\n";
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t at = ended.find(L"\r\n"); at != std::wstring::npos;
       at = ended.find(L"\r\n", start)) {
    lines.push_back(ended.substr(start, at - start));
    start = at + 2;
  }
  return lines;
}

// A small generator of its own, so that every run makes the same calls.
std::uint32_t mixed(std::int64_t value) {
  auto x = static_cast<std::uint64_t>(value) * 0x9E3779B97F4A7C15ull;
  x ^= x >> 29;
  return static_cast<std::uint32_t>(x * 0xBF58476D1CE4E5B9ull >> 32);
}

}  // namespace

PageTexts::PageTexts() {
  text_.reserve(kLargestPage + kLineLength);
  for (long line = 1; static_cast<long>(text_.size()) < kLargestPage; ++line) {
    wchar_t numbered[2 * kLineLength];
    int length =
        std::swprintf(numbered, 2 * kLineLength, L"Line %06ld, soak page text...\r\n", line);
    if (length != kLineLength) throw SoakFailure("a page line of the wrong length");
    text_ += numbered;
  }
  text_.resize(kLargestPage);
}

long page_size_of_round(std::int64_t round) {
  std::int64_t at = round % kRoundsPerCycle;
  std::uint32_t random = mixed(at);
  if (at == 0) return kLargestPage;
  if (at % 25 == 0) return 64000 + static_cast<long>(random % (kLargestPage - 64000));
  if (at % 5 == 0) return 2000 + static_cast<long>(random % 62000);
  return static_cast<long>(random % 2001);
}

void direct_round(Client& client, const PageTexts& texts, long size, std::int64_t round) {
  // The session: the IDE was started afresh before this round.
  expect(client.connect(kPluginWindow), "Connect");
  expect(client.is_connected(), "IsConnected");
  expect(client.path_ide() == L"C:\\Korvex\\", "GetPathIDE");

  // Enumerations of pages, includes and programmers.
  expect(client.page_count() == 2, "GetPageCount");
  for (long index = 0; index < 2; ++index) {
    std::wstring page;
    expect(client.page_by_index(index, page) && page == kPages[index], "GetPageByIndex");
  }
  long include_index = static_cast<long>(round % 2);
  std::wstring include;
  expect(client.include_count(kPages[0]) == 2, "GetPageIncludeCount");
  expect(client.include_by_index(kPages[0], include_index, include) &&
             include == kIncludes[include_index],
         "GetPageIncludeByIndex");
  const Programmer& programmer = kProgrammers[round % 2];
  std::wstring programmer_name;
  expect(client.programmer_count() == 2, "GetProgrammerCount");
  expect(client.programmer_by_index(static_cast<long>(round % 2), programmer_name) &&
             programmer_name == programmer.name,
         "GetProgrammerByIndex");
  expect(client.programmer_info(programmer_name), "GetProgrammerInfo");
  ProgrammerFacts programmer_facts = client.programmer_facts();
  expect(programmer_facts.path == programmer.path && programmer_facts.params == programmer.params,
         "programmer record");

  // The active page's text, written and read back whole.
  {
    Bstr text(SysAllocStringLen(texts.whole().data(), static_cast<UINT>(size)));
    client.set_page_text(text.get());
  }
  expect_page_text(client.page_text(), texts, size, "GetPageText");

  // Edits of the page and its record.
  auto major = static_cast<unsigned char>(round % 256);
  auto build = static_cast<unsigned char>(round / 256 % 256);
  client.set_version(kPages[0], major, build);
  client.colour_line(static_cast<long>(round % 50), 0x00FF00, 0x000000);
  expect(client.page_info(kPages[0]), "GetPageInfo");
  PageFacts page = client.page_facts();
  expect(page.display_name == L"main.bas" && page.device == L"KX-A4550" && page.page_size == size &&
             page.version_major == major && page.version_build == build,
         "page record");
  if (size >= 2 * PageTexts::kLineLength) {
    long line = -1;
    long column = -1;
    client.set_cursor(3, 1);
    client.cursor(line, column);
    expect(line == 1 && column == 3, "GetPageCursorPos");
  }
  long start = size == 0 ? 0 : static_cast<long>(mixed(round + 1) % static_cast<unsigned>(size));
  long length = std::min<long>(size - start, 1 + static_cast<long>(mixed(round + 2) % 300));
  client.select(start, length);
  expect(client.selected_text() == texts.whole().substr(static_cast<std::size_t>(start),
                                                        static_cast<std::size_t>(length)),
         "GetPageSelectedText");

  // The tools.
  std::wstring few_lines = texts.whole().substr(static_cast<std::size_t>(round % 1000),
                                                static_cast<std::size_t>(1 + round % 200));
  expect(client.lines_of(few_lines) == lines_expected(few_lines), "Parse_GetLinesArray");
  expect(client.file_exists(L"C:\\windows\\system32\\kernel32.dll"), "FileExists");
  expect(!client.file_exists(L"C:\\windows\\no such file.txt"), "FileExists of nothing");
  expect(client.path_exists(L"C:\\windows\\system32"), "PathExists");
  expect(client.ide_running(), "IsKorvexIdeRunning");
}

void relay_block(Client& client, const PageTexts& texts, long size) {
  expect(client.debug_app(kPluginWindow, true), "DebugApp True");
  expect(client.is_connected(), "relayed IsConnected");
  expect(client.page_count() == 2, "relayed GetPageCount");
  std::wstring page;
  expect(client.page_by_index(1, page) && page == kPages[1], "relayed GetPageByIndex");
  expect(client.path_ide() == L"C:\\Korvex\\", "relayed GetPathIDE");
  expect_page_text(client.page_text(), texts, size, "relayed GetPageText");
  std::wstring name;
  expect(client.programmer_by_index(0, name) && name == kProgrammers[0].name,
         "relayed GetProgrammerByIndex");
  // DebugApp False also goes through the relay, and answers as the IDE does.
  client.debug_app(kPluginWindow, false);
}

}  // namespace tavrosk::soak
