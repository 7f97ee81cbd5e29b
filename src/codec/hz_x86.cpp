#include "codec/hz_kernels.h"

#if defined(__x86_64__)

#include <cstdint>

#include "codec/simd_x86.h"

namespace vortane {
namespace {

// Bits [from, to) set.
constexpr std::uint64_t BitRange(unsigned from, unsigned to) {
  return from >= to ? 0 : ((std::uint64_t{1} << to) - 1) & ~((std::uint64_t{1} << from) - 1);
}

// What a window of `width` bytes does, from the bits of its escapes ("~" of
// "~{" or "~}", those of "~{" also in `opens`) before `stop`: the bits of the
// bytes written in GB mode, the bits of the bytes kept, the input used up.
struct WindowPlan {
  std::uint64_t shifted;
  std::uint64_t keep;
  unsigned consumed;
};

// Each bit of the result is the XOR of that bit of `bits` and all below it.
constexpr std::uint64_t PrefixXor(std::uint64_t bits) {
  bits ^= bits << 1;
  bits ^= bits << 2;
  bits ^= bits << 4;
  bits ^= bits << 8;
  bits ^= bits << 16;
  return bits ^ (bits << 32);
}

[[gnu::always_inline]] inline WindowPlan PlanWindow(std::uint64_t escapes, std::uint64_t opens,
                                                    unsigned width, unsigned stop, bool& gbMode) {
  escapes &= BitRange(0, stop);
  opens &= escapes;
  WindowPlan plan{0, ~(escapes | (escapes << 1)) & BitRange(0, stop), stop};
  // An escape in the last byte takes the byte after the window.
  if (stop == width && ((escapes >> (width - 1)) & 1) != 0) {
    plan.consumed = width + 1;
  }
  // Each escape sets the mode from two bytes on. When they alternate with the
  // mode (the usual "~{" ... "~}" ... "~{"), every escape flips it, and the
  // mode of each byte is the parity of the escapes before it.
  const std::uint64_t from = escapes << 2;
  const std::uint64_t flipped = PrefixXor(from);
  const std::uint64_t mode = gbMode ? ~flipped : flipped;
  const std::uint64_t opensFrom = opens << 2;
  if ((opensFrom & ~mode) == 0 && ((from & ~opensFrom) & mode) == 0) {
    plan.shifted = mode & BitRange(0, stop);
    gbMode = ((__builtin_popcountll(escapes) & 1) != 0) != gbMode;
    return plan;
  }
  // An escape that repeats the mode ("~{" in GB mode): the escapes one by one.
  unsigned start = 0;
  for (std::uint64_t rest = escapes; rest != 0; rest &= rest - 1) {
    const auto at = static_cast<unsigned>(__builtin_ctzll(rest));
    if (gbMode) {
      plan.shifted |= BitRange(start, at);
    }
    gbMode = ((opens >> at) & 1) != 0;
    start = at + 2;
  }
  if (gbMode) {
    plan.shifted |= BitRange(start, stop);
  }
  return plan;
}

// 0x80 in the bytes whose bits are set in `bits` (16 bits).
inline __m128i HighBitsSse2(unsigned bits) {
  const __m128i spread = _mm_unpacklo_epi64(_mm_set1_epi8(static_cast<char>(bits & 0xFF)),
                                            _mm_set1_epi8(static_cast<char>((bits >> 8) & 0xFF)));
  const __m128i select = _mm_set1_epi64x(static_cast<long long>(0x8040201008040201ull));
  const __m128i set = _mm_cmpeq_epi8(_mm_and_si128(spread, select), select);
  return _mm_and_si128(set, _mm_set1_epi8(static_cast<char>(0x80)));
}

VORTANE_AVX2 inline __m256i HighBitsAvx2(std::uint32_t bits) {
  const __m256i spread =
      _mm256_shuffle_epi8(_mm256_set1_epi32(static_cast<int>(bits)),
                          _mm256_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2,
                                           2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3));
  const __m256i select = _mm256_set1_epi64x(static_cast<long long>(0x8040201008040201ull));
  const __m256i set = _mm256_cmpeq_epi8(_mm256_and_si256(spread, select), select);
  return _mm256_and_si256(set, _mm256_set1_epi8(static_cast<char>(0x80)));
}

}  // namespace

const unsigned char* DecodeHzSse2(const unsigned char* p, const unsigned char* end, char*& dst,
                                  bool& gbMode) {
  constexpr unsigned kWidth = 16;
  char* o = dst;
  while (end - p >= kWidth + 1) {
    const __m128i x = simd::Load16(p);
    const unsigned tildes = simd::BytesEqualSse2(x, '~');
    if (tildes == 0) {
      const __m128i shift = _mm_set1_epi8(static_cast<char>(gbMode ? 0x80 : 0));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_xor_si128(x, shift));
      o += kWidth;
      p += kWidth;
      continue;
    }
    const __m128i next = simd::Load16(p + 1);
    const unsigned opens = tildes & simd::BytesEqualSse2(next, '{');
    const unsigned escapes = opens | (tildes & simd::BytesEqualSse2(next, '}'));
    const unsigned doubled = tildes & simd::BytesEqualSse2(next, '~');
    const unsigned stop = doubled != 0 ? static_cast<unsigned>(__builtin_ctz(doubled)) : kWidth;
    if (stop == 0) {
      break;
    }
    const WindowPlan plan = PlanWindow(escapes, opens, kWidth, stop, gbMode);
    const __m128i bytes = _mm_xor_si128(x, HighBitsSse2(static_cast<unsigned>(plan.shifted)));
    o = simd::PackBytes16Sse2(bytes, static_cast<unsigned>(plan.keep), o);
    p += plan.consumed;
  }
  dst = o;
  return p;
}

VORTANE_AVX2 const unsigned char* DecodeHzAvx2(const unsigned char* p, const unsigned char* end,
                                               char*& dst, bool& gbMode) {
  constexpr unsigned kWidth = 32;
  char* o = dst;
  while (end - p >= kWidth + 1) {
    const __m256i x = simd::Load32(p);
    const std::uint32_t tildes = simd::BytesEqualAvx2(x, '~');
    if (tildes == 0) {
      const __m256i shift = _mm256_set1_epi8(static_cast<char>(gbMode ? 0x80 : 0));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(o), _mm256_xor_si256(x, shift));
      o += kWidth;
      p += kWidth;
      continue;
    }
    const __m256i next = simd::Load32(p + 1);
    const std::uint32_t opens = tildes & simd::BytesEqualAvx2(next, '{');
    const std::uint32_t escapes = opens | (tildes & simd::BytesEqualAvx2(next, '}'));
    const std::uint32_t doubled = tildes & simd::BytesEqualAvx2(next, '~');
    const unsigned stop = doubled != 0 ? _tzcnt_u32(doubled) : kWidth;
    if (stop == 0) {
      break;
    }
    const WindowPlan plan = PlanWindow(escapes, opens, kWidth, stop, gbMode);
    const __m256i bytes =
        _mm256_xor_si256(x, HighBitsAvx2(static_cast<std::uint32_t>(plan.shifted)));
    o = simd::PackBytes32(bytes, static_cast<std::uint32_t>(plan.keep), o);
    p += plan.consumed;
  }
  dst = o;
  return p;
}

}  // namespace vortane

#endif  // __x86_64__
