// The byte scans of every reply, each way the processor allows, against a byte-at-a-time
// reading: at every start alignment, with the NUL or the first high byte at every position
// around and across the sixteen- and four-byte steps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/byte_runs.h"

namespace tavrosk {
namespace {

// One way of making both scans: four bytes at a time, and sixteen where the processor has SSE2.
struct Way {
  std::size_t (*first_nul)(std::string_view bytes);
  std::size_t (*widen)(std::string_view bytes, char16_t* out);
};

std::vector<Way> ways() {
  using namespace platform::byte_runs_detail;
  std::vector<Way> all{
      {[](std::string_view bytes) { return first_nul_words(bytes); },
       [](std::string_view bytes, char16_t* out) { return widen_plain_words(bytes, out); }}};
#if TAVROSK_BYTE_RUNS_SSE2
  if (has_sse2()) all.push_back({first_nul_sse2, widen_plain_sse2});
#endif
  return all;
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
  for (const Way& way : ways()) {
    for (std::size_t offset = 0; offset < kSlack; ++offset) {
      for (std::size_t nul = 0; nul <= kLength; ++nul) {
        std::string bytes = nonzero_bytes(kSlack + kLength, 0xff);  // high bytes are no NULs
        if (nul < kLength) bytes[offset + nul] = '\0';
        if (nul + 1 < kLength) bytes[offset + nul + 1] = '\0';  // only the first one counts
        std::string_view text = std::string_view(bytes).substr(offset, kLength);
        ASSERT_EQ(way.first_nul(text), nul) << "offset " << offset;
      }
    }
  }
}

TEST(ByteRuns, WideningStopsAtTheFirstHighByteAndWritesNoFurther) {
  for (const Way& way : ways()) {
    for (std::size_t offset = 0; offset < kSlack; ++offset) {
      for (std::size_t high = 0; high <= kLength; ++high) {
        std::string bytes = nonzero_bytes(kSlack + kLength, 0x7f);
        if (high < kLength) bytes[offset + high] = static_cast<char>(0x80 + high % 0x80);
        std::string_view text = std::string_view(bytes).substr(offset, kLength);
        std::u16string wide(kLength, u'#');
        std::size_t run = way.widen(text, wide.data());
        ASSERT_EQ(run, high) << "offset " << offset;
        ASSERT_EQ(way.widen(text, nullptr), high) << "counting only, offset " << offset;
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
