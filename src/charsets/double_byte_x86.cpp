#include "charsets/fast_paths.h"

#if defined(__x86_64__)

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

}  // namespace

VORTANE_AVX2 void DecodeDoubleBytesAvx2(const unsigned char* p, std::size_t n, std::size_t& i,
                                        char*& o, const std::uint32_t* pairs) {
  using namespace window_x86;
  const __m256i low7 = _mm256_set1_epi32(0x7F);
  const __m256i single = _mm256_set1_epi32(1 << kPackedLengthShift);
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
    __m256i lanes[2];
    bool named = true;
    for (int half = 0; half < 2; ++half) {
      const __m128i bytes = half == 0 ? v : _mm_srli_si128(v, 8);
      const __m128i after = half == 0 ? next : _mm_srli_si128(next, 8);
      const __m256i b0 = _mm256_cvtepu8_epi32(bytes);
      const __m256i b1 = _mm256_cvtepu8_epi32(after);
      const __m256i index = _mm256_or_si256(_mm256_slli_epi32(_mm256_and_si256(b0, low7), 8), b1);
      const __m256i isLead = LaneMask(leads >> (8 * half));
      const __m256i isTrail = LaneMask(trails >> (8 * half));
      const __m256i codes =
          _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), table, index, isLead, 4);
      // A lead whose code the table does not hold: the plain loop reads it.
      named = named && _mm256_movemask_epi8(_mm256_and_si256(
                           isLead, _mm256_cmpeq_epi32(codes, _mm256_setzero_si256()))) == 0;
      const __m256i ascii = _mm256_andnot_si256(isTrail, _mm256_or_si256(b0, single));
      lanes[half] = _mm256_blendv_epi8(ascii, codes, isLead);
    }
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
    o = PutLanes(o, lanes[0]);
    o = PutLanes(o, lanes[1]);
    i += 16 + (leads >> 15 & 1);
  }
}

}  // namespace vortane::charsets_detail

#endif  // __x86_64__
