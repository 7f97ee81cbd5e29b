#include "converter/convert_kernels.h"

#if defined(__x86_64__)

#include <array>
#include <cstring>

#include "codec/simd_x86.h"

namespace vortane {
namespace {

constexpr long kPairWindow = 64;

// The lead bytes among the 64 bytes of a window that begins at a unit's
// start, from the bits of its bytes of 0x80 and above: a lead byte takes the
// byte after it, so in each run of such bytes the first, third, fifth ... are
// leads. Adding a run's first bit to the run carries through it, which finds
// the runs that begin at an even (or odd) place.
constexpr std::uint64_t LeadBits(std::uint64_t high) {
  constexpr std::uint64_t kEven = 0x5555555555555555ull;
  const std::uint64_t starts = high & ~(high << 1);
  const std::uint64_t evenRuns = high & ~(high + (starts & kEven));
  const std::uint64_t oddRuns = high & ~(high + (starts & ~kEven));
  return (evenRuns & kEven) | (oddRuns & ~kEven);
}

// Writes the code of the pair whose lead byte is `lead` at dst, high byte
// first: the pair's two bytes read and the code written as one 16-bit word.
inline void PutCode(const unsigned char* lead, char* dst, const std::uint16_t* codes) {
  std::uint16_t pair;
  std::memcpy(&pair, lead, 2);
  const auto code = static_cast<std::uint16_t>(__builtin_bswap16(codes[__builtin_bswap16(pair)]));
  std::memcpy(dst, &code, 2);
}

// Copies the window, then writes the code of each of its pairs over the pair.
// A lead in the last byte is left for the next window.
inline char* ConvertWindow(const unsigned char*& p, std::uint64_t high, char* o,
                           const std::uint16_t* codes) {
  long consumed = kPairWindow;
  std::uint64_t leads = LeadBits(high);
  if ((leads >> 63) != 0) {
    leads &= ~(std::uint64_t{1} << 63);
    consumed = kPairWindow - 1;
  }
  for (; leads != 0; leads &= leads - 1) {
    const auto at = static_cast<unsigned>(__builtin_ctzll(leads));
    PutCode(p + at, o + at, codes);
  }
  p += consumed;
  return o + consumed;
}

// Bits below `count` (0..64).
constexpr std::uint64_t BitsBelow(unsigned count) {
  return count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
}

// For each 8-bit mask of bytes that get a blank put in front: the byte
// indexes that spread 8 bytes out, with index 8 (a blank) before each marked
// byte (0x80 for the rest of the 16).
struct SpreadIndexes {
  std::array<std::uint8_t, 16> bytes;
};

constexpr std::array<SpreadIndexes, 256> MakeSpreadIndexes() {
  std::array<SpreadIndexes, 256> table{};
  for (unsigned mask = 0; mask < 256; ++mask) {
    auto& bytes = table[mask].bytes;
    for (auto& b : bytes) {
      b = 0x80;
    }
    unsigned count = 0;
    for (unsigned bit = 0; bit < 8; ++bit) {
      if ((mask >> bit) & 1) {
        bytes[count++] = 8;
      }
      bytes[count++] = static_cast<std::uint8_t>(bit);
    }
  }
  return table;
}

constexpr std::array<SpreadIndexes, 256> kSpreadIndexes = MakeSpreadIndexes();

// What the blank rule sees in a window of GB or Big5 text: its lead bytes, its
// spaces (a trail byte 0x20 is no space) and how much of it the window takes:
// not a lead in the last byte (its trail is beyond), nor a space at the end
// (whether it stays depends on what follows).
struct BlankWindow {
  std::uint64_t leads;
  std::uint64_t spaces;
  unsigned consumed;
};

VORTANE_AVX2 inline std::uint64_t BitsOf(__m256i v) {
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(v));
}

VORTANE_AVX2 inline BlankWindow FindBlankWindow(__m256i low, __m256i high) {
  const __m256i blank = _mm256_set1_epi8(' ');
  BlankWindow w{LeadBits(BitsOf(low) | BitsOf(high) << 32),
                BitsOf(_mm256_cmpeq_epi8(low, blank)) | BitsOf(_mm256_cmpeq_epi8(high, blank))
                                                            << 32,
                kPairWindow};
  if ((w.leads >> 63) != 0) {
    w.consumed = kPairWindow - 1;
  }
  w.spaces &= ~(w.leads << 1);
  if (((w.spaces >> (w.consumed - 1)) & 1) != 0) {
    --w.consumed;
  }
  w.leads &= BitsBelow(w.consumed);
  w.spaces &= BitsBelow(w.consumed);
  return w;
}

// Big-endian unit i of a window as a number.
inline unsigned UnitAt(const unsigned char* p, unsigned i) {
  return static_cast<unsigned>(p[2 * i]) << 8 | p[2 * i + 1];
}

}  // namespace

char* ConvertPairsSse2(const unsigned char*& p, const unsigned char* end, char* o,
                       const std::uint16_t* codes) {
  while (end - p >= kPairWindow) {
    std::uint64_t high = 0;
    for (int k = 0; k < 4; ++k) {
      const __m128i x = simd::Load16(p + 16 * k);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 16 * k), x);
      high |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(x))) << (16 * k);
    }
    o = ConvertWindow(p, high, o, codes);
  }
  return o;
}

VORTANE_AVX2 char* ConvertPairsAvx2(const unsigned char*& p, const unsigned char* end, char* o,
                                    const std::uint16_t* codes) {
  while (end - p >= kPairWindow) {
    const __m256i low = simd::Load32(p);
    const __m256i high = simd::Load32(p + 32);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(o), low);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(o + 32), high);
    const std::uint64_t highBits =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
        static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(high))) << 32;
    o = ConvertWindow(p, highBits, o, codes);
  }
  return o;
}

VORTANE_AVX2 char* ConvertPairsRemoveAvx2(const unsigned char*& p, const unsigned char* end,
                                          char* o, const std::uint16_t* codes, bool& pending) {
  while (end - p >= kPairWindow) {
    const __m256i low = simd::Load32(p);
    const __m256i high = simd::Load32(p + 32);
    const BlankWindow w = FindBlankWindow(low, high);
    // A space held back before the window goes unless a Chinese character follows.
    if (pending && (w.leads & 1) == 0) {
      *o++ = ' ';
    }
    pending = false;
    const std::uint64_t dropped = w.spaces & (w.leads >> 1);
    const std::uint64_t keep = ~dropped & BitsBelow(w.consumed);
    char* const start = o;
    o = simd::PackBytes32(low, static_cast<std::uint32_t>(keep), o);
    o = simd::PackBytes32(high, static_cast<std::uint32_t>(keep >> 32), o);
    for (std::uint64_t leads = w.leads; leads != 0; leads &= leads - 1) {
      const auto at = static_cast<unsigned>(_tzcnt_u64(leads));
      PutCode(p + at, start + at - _mm_popcnt_u64(dropped & BitsBelow(at)), codes);
    }
    p += w.consumed;
  }
  return o;
}

VORTANE_AVX2 char* ConvertPairsAddAvx2(const unsigned char*& p, const unsigned char* end, char* o,
                                       const std::uint16_t* codes, bool& pending) {
  const __m128i blanks = _mm_set1_epi8(' ');
  while (end - p >= kPairWindow) {
    const BlankWindow w = FindBlankWindow(simd::Load32(p), simd::Load32(p + 32));
    // A space held back before the window stays, as the blank of a Chinese
    // character that may follow.
    std::uint64_t added = w.leads & ~(w.spaces << 1);
    if (pending) {
      *o++ = ' ';
      added &= ~std::uint64_t{1};
    }
    pending = false;
    char* const start = o;
    const std::uint64_t taken = BitsBelow(w.consumed);
    for (unsigned group = 0; group < 8; ++group) {
      const auto mask = static_cast<unsigned>(added >> (8 * group)) & 0xFF;
      const __m128i bytes = _mm_unpacklo_epi64(
          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 8 * group)), blanks);
      const __m128i indexes =
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(kSpreadIndexes[mask].bytes.data()));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_shuffle_epi8(bytes, indexes));
      o +=
          _mm_popcnt_u32(mask) + _mm_popcnt_u32(static_cast<unsigned>(taken >> (8 * group)) & 0xFF);
    }
    for (std::uint64_t leads = w.leads; leads != 0; leads &= leads - 1) {
      const auto at = static_cast<unsigned>(_tzcnt_u64(leads));
      PutCode(p + at, start + at + _mm_popcnt_u64(added & BitsBelow(at + 1)), codes);
    }
    p += w.consumed;
  }
  return o;
}

char* ConvertUnitsSse2(const unsigned char*& p, const unsigned char* end, char* o,
                       const std::uint16_t* codes) {
  constexpr long kWindow = 16;
  while (end - p >= kWindow) {
    const __m128i x = simd::Load16(p);
    // The high bytes of the eight units are the even bytes.
    const auto highBytes =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, _mm_setzero_si128()))) & 0x5555;
    if (highBytes == 0x5555) {
      // Eight single-byte units: their low bytes side by side.
      _mm_storel_epi64(reinterpret_cast<__m128i*>(o),
                       _mm_packus_epi16(_mm_srli_epi16(x, 8), _mm_setzero_si128()));
      o += 8;
    } else {
      for (unsigned i = 0; i < 8; ++i) {
        const unsigned unit = UnitAt(p, i);
        const std::uint16_t code = codes[unit];
        // A single-byte unit writes its low byte alone, a double-byte unit its code.
        const bool single = unit < 0x100;
        o[0] = static_cast<char>(single ? unit : code >> 8);
        o[1] = static_cast<char>(code & 0xFF);
        o += single ? 1 : 2;
      }
    }
    p += kWindow;
  }
  return o;
}

VORTANE_AVX2 char* ConvertUnitsAvx2(const unsigned char*& p, const unsigned char* end, char* o,
                                    const std::uint16_t* codes) {
  constexpr long kWindow = 32;
  const __m256i swap = _mm256_setr_epi8(1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14, 1, 0,
                                        3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14);
  while (end - p >= kWindow) {
    const __m256i units = _mm256_shuffle_epi8(simd::Load32(p), swap);
    // The gather reads four bytes per lane, two past the last code: a unit
    // FFFF is never gathered; it ends the window and goes the exact way.
    const __m256i isLast = _mm256_cmpeq_epi16(units, _mm256_set1_epi16(-1));
    const auto last = static_cast<std::uint32_t>(_mm256_movemask_epi8(isLast));
    const unsigned lanes = last != 0 ? _tzcnt_u32(last) / 2 : 16;
    if (lanes == 0) {
      break;
    }
    const __m256i keys = _mm256_andnot_si256(isLast, units);
    const __m256i found = simd::Gather16(codes, keys);
    const __m256i isSingle =
        _mm256_cmpeq_epi16(_mm256_and_si256(units, _mm256_set1_epi16(static_cast<short>(0xFF00))),
                           _mm256_setzero_si256());
    // High byte first; a single-byte unit keeps only its low byte, the second.
    const __m256i values = _mm256_shuffle_epi8(_mm256_blendv_epi8(found, units, isSingle), swap);
    const __m256i kept = _mm256_or_si256(_mm256_andnot_si256(isSingle, _mm256_set1_epi16(-1)),
                                         _mm256_set1_epi16(static_cast<short>(0xFF00)));
    const std::uint64_t below =
        lanes == 16 ? ~std::uint64_t{0} : (std::uint64_t{1} << (2 * lanes)) - 1;
    const auto keep =
        static_cast<std::uint32_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(kept)) & below);
    o = simd::PackBytes32(values, keep, o);
    p += 2 * lanes;
  }
  return o;
}

namespace {

// Byte indexes that spread the 16 bytes of eight units (two each) to three
// bytes each, a blank's place first: the first 16 places, then the last 8.
// 0x80 leaves a blank's place 0 for kBlankPlaces to fill.
constexpr auto kUnitsToThrees = [] {
  std::array<std::array<std::uint8_t, 16>, 2> halves{};
  for (unsigned place = 0; place < 32; ++place) {
    const unsigned unit = place / 3;
    const unsigned at = place % 3;
    const auto index = static_cast<std::uint8_t>(place >= 24 || at == 0 ? 0x80 : 2 * unit + at - 1);
    halves[place / 16][place % 16] = index;
  }
  return halves;
}();

VORTANE_AVX2 inline __m128i LoadIndexes(const std::array<std::uint8_t, 16>& indexes) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(indexes.data()));
}

// The low bit of each 16-bit lane of a 32-bit byte mask.
VORTANE_AVX2 inline std::uint32_t LaneBits(__m256i lanes) {
  return _pext_u32(static_cast<std::uint32_t>(_mm256_movemask_epi8(lanes)), 0x55555555u);
}

}  // namespace

VORTANE_AVX2 char* ConvertUnitsAddAvx2(const unsigned char*& p, const unsigned char* end, char* o,
                                       const std::uint16_t* codes, bool littleEndian,
                                       bool& spaceBefore) {
  constexpr long kWindow = 32;
  const __m256i swap = _mm256_setr_epi8(1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14, 1, 0,
                                        3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14);
  const __m128i spread0 = LoadIndexes(kUnitsToThrees[0]);
  const __m128i spread1 = LoadIndexes(kUnitsToThrees[1]);
  const __m128i blanks0 = _mm_setr_epi8(' ', 0, 0, ' ', 0, 0, ' ', 0, 0, ' ', 0, 0, ' ', 0, 0, ' ');
  const __m128i blanks1 = _mm_setr_epi8(0, 0, ' ', 0, 0, ' ', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  std::uint32_t before = spaceBefore ? 1 : 0;
  while (end - p >= kWindow) {
    const __m256i read = simd::Load32(p);
    const __m256i units = littleEndian ? read : _mm256_shuffle_epi8(read, swap);
    // A unit FFFF would make the gather read past the table: the window and
    // the rest of the block go the exact way.
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi16(units, _mm256_set1_epi16(-1))) != 0) {
      break;
    }
    const __m256i found = simd::Gather16(codes, units);
    const __m256i isSingle =
        _mm256_cmpeq_epi16(_mm256_and_si256(units, _mm256_set1_epi16(static_cast<short>(0xFF00))),
                           _mm256_setzero_si256());
    const std::uint32_t doubles = ~LaneBits(isSingle) & 0xFFFF;
    const std::uint32_t spaces = LaneBits(_mm256_cmpeq_epi16(units, _mm256_set1_epi16(' ')));
    // A double-byte unit gets a blank unless a space unit is just before it.
    const std::uint32_t blanked = doubles & ~(spaces << 1 | before);
    // High byte first; a single-byte unit keeps only its low byte, the second.
    const __m256i values = _mm256_shuffle_epi8(_mm256_blendv_epi8(found, units, isSingle), swap);
    for (unsigned half = 0; half < 2; ++half) {
      const __m128i eight =
          half == 0 ? _mm256_castsi256_si128(values) : _mm256_extracti128_si256(values, 1);
      const std::uint32_t blanks8 = blanked >> (8 * half) & 0xFF;
      const std::uint32_t doubles8 = doubles >> (8 * half) & 0xFF;
      const std::uint32_t keep =
          _pdep_u32(blanks8, 0x249249u) | _pdep_u32(doubles8, 0x492492u) | 0x924924u;
      o = simd::PackBytes16(_mm_or_si128(_mm_shuffle_epi8(eight, spread0), blanks0), keep & 0xFFFF,
                            o);
      o = simd::PackBytes16(_mm_or_si128(_mm_shuffle_epi8(eight, spread1), blanks1), keep >> 16, o);
    }
    before = spaces >> 15;
    p += kWindow;
  }
  spaceBefore = before != 0;
  return o;
}

}  // namespace vortane

#endif  // __x86_64__
