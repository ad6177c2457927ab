// Scans over a reply's bytes, made on every page read of up to a megabyte: sixteen bytes at a
// time where the processor has SSE2 (every x86-64 one; a 32-bit one is asked once, since the
// 32-bit build assumes no vector unit), four at a time in plain integer arithmetic otherwise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <emmintrin.h>
#define TAVROSK_BYTE_RUNS_SSE2 1
#else
#define TAVROSK_BYTE_RUNS_SSE2 0
#endif

namespace tavrosk::platform {
namespace byte_runs_detail {

constexpr std::uint32_t kLowBits = 0x01010101u;
constexpr std::uint32_t kHighBits = 0x80808080u;

inline std::uint32_t four_bytes(const char* bytes) {
  std::uint32_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

inline std::size_t first_nul_words(std::string_view bytes, std::size_t at = 0) {
  for (; at + 4 <= bytes.size(); at += 4) {
    std::uint32_t word = four_bytes(bytes.data() + at);
    if (((word - kLowBits) & ~word & kHighBits) != 0) break;  // a zero byte among the four
  }
  while (at < bytes.size() && bytes[at] != '\0') ++at;
  return at;
}

inline std::size_t widen_plain_words(std::string_view bytes, char16_t* out, std::size_t at = 0) {
  for (; at + 4 <= bytes.size(); at += 4) {
    std::uint32_t word = four_bytes(bytes.data() + at);
    if ((word & kHighBits) != 0) break;
    if (out == nullptr) continue;
    // Little-endian: byte i of the word becomes character i.
    std::uint32_t low = (word & 0xffu) | ((word & 0xff00u) << 8);
    std::uint32_t high = ((word >> 16) & 0xffu) | ((word >> 8) & 0xff0000u);
    std::memcpy(out + at, &low, sizeof low);
    std::memcpy(out + at + 2, &high, sizeof high);
  }
  for (; at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80; ++at) {
    if (out != nullptr) out[at] = static_cast<char16_t>(bytes[at]);
  }
  return at;
}

#if TAVROSK_BYTE_RUNS_SSE2
inline bool has_sse2() {
#if defined(__x86_64__)
  return true;
#else
  static const bool sse2 = [] {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    return __get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0 && (edx & bit_SSE2) != 0;
  }();
  return sse2;
#endif
}

__attribute__((target("sse2"))) inline std::size_t first_nul_sse2(std::string_view bytes) {
  const __m128i zero = _mm_setzero_si128();
  std::size_t at = 0;
  for (; at + 16 <= bytes.size(); at += 16) {
    __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + at));
    int zeros = _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, zero));
    if (zeros != 0) return at + static_cast<std::size_t>(__builtin_ctz(zeros));
  }
  return first_nul_words(bytes, at);
}

__attribute__((target("sse2"))) inline std::size_t widen_plain_sse2(std::string_view bytes,
                                                                    char16_t* out) {
  const __m128i zero = _mm_setzero_si128();
  std::size_t at = 0;
  for (; at + 16 <= bytes.size(); at += 16) {
    __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + at));
    if (_mm_movemask_epi8(chunk) != 0) break;  // a byte from 0x80 among the sixteen
    if (out == nullptr) continue;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), _mm_unpacklo_epi8(chunk, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at + 8), _mm_unpackhi_epi8(chunk, zero));
  }
  return widen_plain_words(bytes, out, at);
}
#endif

}  // namespace byte_runs_detail

// Where the first NUL is, or the size when there is none.
inline std::size_t first_nul(std::string_view bytes) {
#if TAVROSK_BYTE_RUNS_SSE2
  if (byte_runs_detail::has_sse2()) return byte_runs_detail::first_nul_sse2(bytes);
#endif
  return byte_runs_detail::first_nul_words(bytes);
}

// The length of the run of bytes below 0x80 at the start, widened byte for character into `out`
// when it is given.
inline std::size_t widen_plain_prefix(std::string_view bytes, char16_t* out) {
#if TAVROSK_BYTE_RUNS_SSE2
  if (byte_runs_detail::has_sse2()) return byte_runs_detail::widen_plain_sse2(bytes, out);
#endif
  return byte_runs_detail::widen_plain_words(bytes, out);
}

}  // namespace tavrosk::platform
