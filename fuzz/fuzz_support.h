#pragma once
// What every fuzz target shares: turning the fuzzer's bytes into wide text, and a check that
// ends the run with a report when a property fails.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/run_time_error.h"

namespace tavrosk::fuzz {

// Bytes below 0x80 stand for themselves, so the fuzzer reaches the ASCII syntax quickly; 0xFF
// takes the next two bytes as one UTF-16 unit (surrogates included); any other byte is the
// Latin-1 character of its value.
inline std::u16string wide_text(std::string_view bytes) {
  std::u16string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto b = static_cast<unsigned char>(bytes[i]);
    if (b == 0xFF && i + 2 < bytes.size()) {
      text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i + 1]) |
                                    static_cast<unsigned char>(bytes[i + 2]) << 8);
      i += 2;
    } else {
      text += static_cast<char16_t>(b);
    }
  }
  return text;
}

inline std::string_view as_bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "property failed: %s (%s:%d)\n", what, file, line);
  std::abort();
}

// Runs `call`; it may return or raise RunTimeError with `allowed` (0: never raises). Any other
// error number, or any other exception, is a fault. Returns whether it returned.
template <class Call>
bool returns_or_raises(int allowed, Call&& call) {
  try {
    call();
    return true;
  } catch (const RunTimeError& e) {
    if (allowed == 0 || e.number() != allowed) fail("unexpected error number", __FILE__, __LINE__);
  } catch (...) {
    fail("an exception other than RunTimeError", __FILE__, __LINE__);
  }
  return false;
}

}  // namespace tavrosk::fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? void(0) : ::tavrosk::fuzz::fail(#condition, __FILE__, __LINE__))
