#include "codec/base64_kernels.h"

#if defined(__x86_64__)

#include "codec/base64_x86.h"

namespace vortane {
namespace {

bool IsSkip(unsigned char c) { return c == '\r' || c == '\n' || c == ' '; }

// After a vector whose first non-Alphabet byte is at `k`: the whole groups
// before it are kept; a line end at a group edge is passed over. False when
// the exact rule must take over at p.
[[gnu::always_inline]] inline bool PassGroupsAndLineEnd(unsigned k, const unsigned char*& p,
                                                        const unsigned char* end, char*& o) {
  p += k / 4 * 4;
  o += k / 4 * 3;
  if (k % 4 != 0) {
    return false;
  }
  const unsigned char* q = p;
  while (q < end && IsSkip(*q)) {
    ++q;
  }
  const bool moved = q != p;
  p = q;
  return moved;
}

}  // namespace

const unsigned char* DecodeBase64GroupsSse2(const unsigned char* p, const unsigned char* end,
                                            char*& dst) {
  char* o = dst;
  while (end - p >= 16) {
    unsigned notAlphabet = 0;
    const __m128i values = simd::Base64ValuesSse2(simd::Load16(p), notAlphabet);
    simd::StoreBase64GroupsSse2(values, o);
    if (notAlphabet == 0) {
      p += 16;
      o += 12;
    } else if (!PassGroupsAndLineEnd(static_cast<unsigned>(__builtin_ctz(notAlphabet)), p, end,
                                     o)) {
      break;
    }
  }
  dst = o;
  return p;
}

VORTANE_AVX2 const unsigned char* DecodeBase64GroupsAvx2(const unsigned char* p,
                                                         const unsigned char* end, char*& dst) {
  char* o = dst;
  while (end - p >= 32) {
    std::uint32_t notAlphabet = 0;
    const __m256i values = simd::Base64ValuesAvx2(simd::Load32(p), notAlphabet);
    simd::StoreBase64GroupsAvx2(values, o);
    if (notAlphabet == 0) {
      p += 32;
      o += 24;
    } else if (!PassGroupsAndLineEnd(_tzcnt_u32(notAlphabet), p, end, o)) {
      break;
    }
  }
  dst = o;
  return p;
}

}  // namespace vortane

#endif  // __x86_64__
