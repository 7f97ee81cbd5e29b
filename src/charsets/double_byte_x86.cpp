#include "charsets/fast_paths.h"

#if defined(__x86_64__)

#include <algorithm>
#include <array>
#include <cstdint>

#include "charsets/window_x86.h"
#include "codec/simd_x86.h"

namespace vortane::charsets_detail {
namespace {

// The lead bytes of two-byte codes among the bytes >= 0x80 (`high`, one bit
// per byte, at most 16) of a window whose first byte starts a character: a
// byte >= 0x80 is a lead unless it is the trail of the lead before it, so in
// each run of such bytes every other one is a lead, from the first.
constexpr std::uint32_t LeadBits(std::uint32_t high) {
  const std::uint32_t runStarts = high & ~(high << 1);
  // Adding a run's first bit clears the run when that bit is odd.
  const std::uint32_t evenRuns = (high + (runStarts & 0xAAAAAAAAu)) & high;
  const std::uint32_t oddRuns = high & ~evenRuns;
  return (evenRuns & 0x55555555u) | (oddRuns & 0xAAAAAAAAu);
}

static_assert(LeadBits(0b0) == 0b0);
static_assert(LeadBits(0b1111) == 0b0101);
static_assert(LeadBits(0b1110) == 0b1010);
static_assert(LeadBits(0b1101110) == 0b0101010);
static_assert(LeadBits(0b111011) == 0b101001);

// The packed UTF-8 of the first eight bytes of `bytes` (`after`: the same
// window a byte on), given which of them are leads and trails: a lead's from
// the table, ASCII as it is, a trail nothing. `named` turns false when a lead's
// code is not in the table. Written out for each half so that the compiler
// keeps both in registers.
VORTANE_AVX2 inline __m256i DecodeHalf(__m128i bytes, __m128i after, std::uint32_t leads,
                                       std::uint32_t trails, const int* table, bool& named) {
  using namespace window_x86;
  const __m256i b0 = _mm256_cvtepu8_epi32(bytes);
  const __m256i b1 = _mm256_cvtepu8_epi32(after);
  const __m256i index =
      _mm256_or_si256(_mm256_slli_epi32(_mm256_and_si256(b0, _mm256_set1_epi32(0x7F)), 8), b1);
  const __m256i isLead = LaneMask(leads);
  const __m256i isTrail = LaneMask(trails);
  const __m256i codes =
      _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), table, index, isLead, 4);
  // A lead whose code the table does not hold: the plain loop reads it.
  named = named && _mm256_movemask_epi8(_mm256_and_si256(
                       isLead, _mm256_cmpeq_epi32(codes, _mm256_setzero_si256()))) == 0;
  const __m256i ascii =
      _mm256_andnot_si256(isTrail, _mm256_or_si256(b0, _mm256_set1_epi32(1 << kPackedLengthShift)));
  return _mm256_blendv_epi8(ascii, codes, isLead);
}

}  // namespace

VORTANE_AVX2 void DecodeDoubleBytesAvx2(const unsigned char* p, std::size_t n, std::size_t& i,
                                        char*& o, const std::uint32_t* pairs) {
  using namespace window_x86;
  const auto* table = reinterpret_cast<const int*>(pairs);
  while (i + 17 <= n) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const auto high = static_cast<std::uint32_t>(_mm_movemask_epi8(v));
    if (high == 0) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o), v);
      o += 16;
      i += 16;
      continue;
    }
    const std::uint32_t leads = LeadBits(high);
    const std::uint32_t trails = leads << 1;
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
    bool named = true;
    const __m256i low = DecodeHalf(v, next, leads, trails, table, named);
    const __m256i high8 = DecodeHalf(_mm_srli_si128(v, 8), _mm_srli_si128(next, 8), leads >> 8,
                                     trails >> 8, table, named);
    if (!named) {
      // This window one code at a time, up to the code the plain loop reads.
      for (const std::size_t end = i + 16; i < end;) {
        const std::uint32_t lead = p[i];
        if (lead < 0x80) {
          *o++ = static_cast<char>(lead);
          ++i;
          continue;
        }
        const std::uint32_t packed = pairs[(lead & 0x7F) << 8 | p[i + 1]];
        if (packed == 0) {
          return;
        }
        o = PutPacked(o, packed);
        i += 2;
      }
      continue;
    }
    o = PutLanes(o, low);
    o = PutLanes(o, high8);
    i += 16 + (leads >> 15 & 1);
  }
}

VORTANE_AVX2 void EncodeDoubleBytesAvx2(const unsigned char* p, std::size_t n,
                                        const std::uint16_t* codes, std::size_t& i, char*& o) {
  const __m256i laneBits = _mm256_setr_epi16(1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 2048,
                                             4096, 8192, 16384, static_cast<short>(0x8000));
  // Lane 16 is a spare that the lookups below may fill: its key stays 0.
  alignas(32) std::array<std::uint16_t, 32> keys{};
  alignas(32) std::array<std::uint16_t, 32> found{};
  window_x86::Utf8Window w;
  while (i + 16 <= n && window_x86::ReadUtf8Window(p + i, w)) {
    const __m256i starts = _mm256_cmpeq_epi16(
        _mm256_and_si256(_mm256_set1_epi16(static_cast<short>(w.starts)), laneBits), laneBits);
    const __m256i ascii = _mm256_and_si256(
        starts, _mm256_cmpeq_epi16(_mm256_and_si256(w.values, _mm256_set1_epi16(-0x80)),
                                   _mm256_setzero_si256()));
    const __m256i leads = _mm256_andnot_si256(ascii, starts);
    // Looked up one character at a time (gathers cost more than loads on
    // processors that guard them). A window holds at most five three-byte
    // characters, so five lookups always do; those past the last read the
    // spare lane 16. Other lanes keep stale codes, which no output uses.
    _mm256_store_si256(reinterpret_cast<__m256i*>(keys.data()), _mm256_and_si256(leads, w.values));
    std::uint32_t pending = w.threeByteStarts;
    for (int k = 0; k < 5; ++k) {
      const unsigned lane = _tzcnt_u32(pending | 1u << 16);
      found[lane] = codes[keys[lane]];
      pending &= pending - 1;
    }
    const __m256i codesFound = _mm256_load_si256(reinterpret_cast<const __m256i*>(found.data()));
    // A character without a two-byte code ends the window there.
    const auto missing = static_cast<std::uint32_t>(_mm256_movemask_epi8(
        _mm256_and_si256(leads, _mm256_cmpeq_epi16(codesFound, _mm256_setzero_si256()))));
    const std::uint32_t used = missing == 0 ? w.used : std::min(w.used, _tzcnt_u32(missing) / 2);
    // High byte first; ASCII keeps only its low byte, now the second.
    const __m256i values =
        _mm256_shuffle_epi8(_mm256_blendv_epi8(codesFound, w.values, ascii),
                            _mm256_setr_epi8(1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14,
                                             1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14));
    const __m256i kept = _mm256_or_si256(
        leads, _mm256_and_si256(ascii, _mm256_set1_epi16(static_cast<short>(0xFF00))));
    const std::uint64_t forms = (std::uint64_t{1} << (2 * used)) - 1;
    o = simd::PackBytes32(
        values,
        static_cast<std::uint32_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(kept)) & forms),
        o);
    i += used;
    if (used < w.used) {
      return;
    }
  }
}

}  // namespace vortane::charsets_detail

#endif  // __x86_64__
