#pragma once
// The ANSI code pages a test can run under: on the simulated system both that it offers, which
// a test switches between; on Windows the system's own, which a process cannot switch.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tavrosk::testing {

struct TestCodePage {
  std::string name;
  int number = 0;
};

std::vector<TestCodePage> test_code_pages();
inline void PrintTo(const TestCodePage& code_page, std::ostream* out) {
  *out << code_page.name;
}

// Bytes as a test's message shows them: "61 62 87 90".
inline std::string hex_bytes(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (char b : bytes) {
    auto u = static_cast<unsigned char>(b);
    if (!out.empty()) out += ' ';
    out += kDigits[u >> 4];
    out += kDigits[u & 0xF];
  }
  return out;
}
inline const TestCodePage kUtf8CodePage{"Utf8", 65001};
inline const TestCodePage kWindows1252CodePage{"Windows1252", 1252};

// Makes the code page the one in use where the process can switch (the fixture puts the default
// back after the test); false when it is not in use, as on Windows outside a process whose
// manifest asks for it.
bool select_code_page(const TestCodePage& code_page);

// Characters of a multi-byte code page, as bytes and as the text that the system reads them as.
struct MultiByteSamples {
  std::string two_bytes;  // one character of two bytes
  std::u16string two_bytes_text;
  std::string no_round_trip;  // whole, but converts back to other bytes
  std::u16string no_round_trip_text;
  std::string lone_lead;  // a character's first byte alone
  std::u16string lone_lead_text;
};

// Those of 932 and 65001; none for another code page.
inline const MultiByteSamples* multi_byte_samples(int code_page) {
  static const MultiByteSamples k932{"\x82\xA0", u"\u3042", "\x87\x90",
                                     u"\u2252",  "\x82",    u"\u30FB"};
  static const MultiByteSamples k65001{"\xC3\xA9",
                                       u"\u00E9",
                                       "\xE9"
                                       "ab",
                                       u"\uFFFDab",
                                       "\xC3",
                                       u"\uFFFD"};
  return code_page == 932 ? &k932 : code_page == 65001 ? &k65001 : nullptr;
}

// Calls check(samples) in each multi-byte code page that the process can use, and skips the test
// where there is none; the default code page is put back afterwards.
template <class Check>
void in_multi_byte_code_pages(Check&& check) {
  int ran = 0;
  for (const TestCodePage& code_page : test_code_pages()) {
    const MultiByteSamples* samples = multi_byte_samples(code_page.number);
    if (samples == nullptr || !select_code_page(code_page)) continue;
    SCOPED_TRACE(code_page.name);
    check(*samples);
    ++ran;
  }
  select_code_page(test_code_pages().front());
  if (ran == 0) GTEST_SKIP() << "no multi-byte code page here";
}

// A test run once per code page of test_code_pages() that the process can use, the others
// skipped; the default code page is put back afterwards.
class CodePageTest : public ::testing::TestWithParam<TestCodePage> {
 protected:
  void SetUp() override {
    if (!select_code_page(GetParam())) GTEST_SKIP() << "not the system's code page";
  }
  void TearDown() override { select_code_page(test_code_pages().front()); }
};

inline std::string code_page_name(const ::testing::TestParamInfo<TestCodePage>& info) {
  return info.param.name;
}

#define TAVROSK_IN_EVERY_CODE_PAGE(suite)                                              \
  INSTANTIATE_TEST_SUITE_P(CodePages, suite,                                           \
                           ::testing::ValuesIn(::tavrosk::testing::test_code_pages()), \
                           ::tavrosk::testing::code_page_name)

}  // namespace tavrosk::testing
