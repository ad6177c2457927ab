// The byte scans of every reply, each way the processor allows, against a byte-at-a-time
// reading: at every start alignment, with the NUL or the first high byte at every position
// around and across the sixteen- and four-byte steps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/byte_runs.h"

namespace tavrosk {
namespace {

using Scan = std::size_t (*)(std::string_view bytes, char16_t* out);

std::vector<Scan> first_nul_ways() {
  std::vector<Scan> ways{[](std::string_view bytes, char16_t*) {
    return platform::byte_runs_detail::first_nul_words(bytes);
  }};
#if TAVROSK_BYTE_RUNS_SSE2
  if (platform::byte_runs_detail::has_sse2()) {
    ways.push_back([](std::string_view bytes, char16_t*) {
      return platform::byte_runs_detail::first_nul_sse2(bytes);
    });
  }
#endif
  return ways;
}

std::vector<Scan> widen_ways() {
  std::vector<Scan> ways{[](std::string_view bytes, char16_t* out) {
    return platform::byte_runs_detail::widen_plain_words(bytes, out);
  }};
#if TAVROSK_BYTE_RUNS_SSE2
  if (platform::byte_runs_detail::has_sse2()) {
    ways.push_back([](std::string_view bytes, char16_t* out) {
      return platform::byte_runs_detail::widen_plain_sse2(bytes, out);
    });
  }
#endif
  return ways;
}

// Bytes of every value from 1 to `top`, so that a widening that drops or moves a bit shows.
std::string nonzero_bytes(std::size_t size, unsigned top) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(1 + i % top);
  return bytes;
}

constexpr std::size_t kLength = 70;  // four sixteen-byte steps and a tail
constexpr std::size_t kSlack = 5;    // room for every start alignment

TEST(ByteRuns, FirstNulIsTheFirstZeroByteOrTheSize) {
  for (Scan scan : first_nul_ways()) {
    for (std::size_t offset = 0; offset < kSlack; ++offset) {
      for (std::size_t nul = 0; nul <= kLength; ++nul) {
        std::string bytes = nonzero_bytes(kSlack + kLength, 0xff);  // high bytes are no NULs
        if (nul < kLength) bytes[offset + nul] = '\0';
        if (nul + 1 < kLength) bytes[offset + nul + 1] = '\0';  // only the first one counts
        std::string_view text = std::string_view(bytes).substr(offset, kLength);
        ASSERT_EQ(scan(text, nullptr), text.find('\0') == text.npos ? kLength : text.find('\0'))
            << "offset " << offset << ", NUL at " << nul;
      }
    }
  }
}

TEST(ByteRuns, WideningStopsAtTheFirstHighByteAndWritesNoFurther) {
  for (Scan scan : widen_ways()) {
    for (std::size_t offset = 0; offset < kSlack; ++offset) {
      for (std::size_t high = 0; high <= kLength; ++high) {
        std::string bytes = nonzero_bytes(kSlack + kLength, 0x7f);
        if (high < kLength) bytes[offset + high] = static_cast<char>(0x80 + high % 0x80);
        std::string_view text = std::string_view(bytes).substr(offset, kLength);
        std::u16string wide(kLength, u'#');
        std::size_t run = scan(text, wide.data());
        ASSERT_EQ(run, high) << "offset " << offset;
        ASSERT_EQ(scan(text, nullptr), high) << "counting only, offset " << offset;
        for (std::size_t i = 0; i < kLength; ++i) {
          char16_t expected = i < high ? static_cast<char16_t>(text[i]) : u'#';
          ASSERT_EQ(wide[i], expected) << "offset " << offset << ", character " << i;
        }
      }
    }
  }
}

}  // namespace
}  // namespace tavrosk
