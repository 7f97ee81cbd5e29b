// The GB18030 and Big5-HKSCS tables as direct indexes: one array read per
// character each way. Built from charset_tables_data.h on first use.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vortane {

// A run of GB18030 four-byte codes holding consecutive code points.
struct GbFourByteRun {
  std::uint32_t number;  // four-byte number of the run's first code
  std::uint32_t point;   // its code point
};

// A Big5-HKSCS code that reads as two code points.
struct Big5PairRow {
  std::uint16_t code;
  std::uint16_t first;
  std::uint16_t second;
};

// A character Big5-HKSCS writes as a code that reads as another character.
struct Big5WriteRow {
  std::uint32_t point;
  std::uint16_t code;
};

inline constexpr std::uint8_t kNoTrail = 0xFF;

// GB18030: lead bytes 0x81..0xFE; trail bytes 0x40..0x7E and 0x80..0xFE.
inline constexpr unsigned kGbFirstLead = 0x81;
inline constexpr std::size_t kGbTrailCount = 190;
inline constexpr std::size_t kGbTwoByteCount = 126 * kGbTrailCount;
// Four-byte numbers: below kGbFourByteBmpCount the rest of the BMP; from
// kGbSupplementaryFirst on U+10000 and up, in order.
inline constexpr std::uint32_t kGbFourByteBmpCount = 39420;
inline constexpr std::uint32_t kGbSupplementaryFirst = 189000;

// Big5-HKSCS: lead bytes 0x87..0xFE hold characters (0x81..0x86 are lead bytes
// without any); trail bytes 0x40..0x7E and 0xA1..0xFE.
inline constexpr unsigned kBig5FirstLead = 0x87;
inline constexpr std::size_t kBig5TrailCount = 157;
inline constexpr std::size_t kBig5SlotCount = 120 * kBig5TrailCount;
// Slot values from this mark on name a row of the pairs: mark + row number.
inline constexpr std::uint32_t kBig5PairMark = 0x110000;

// Number 0..189 of a GB18030 trail byte, kNoTrail for other bytes.
inline constexpr std::array<std::uint8_t, 256> kGbTrailNumber = [] {
  std::array<std::uint8_t, 256> numbers{};
  for (unsigned b = 0; b < 256; ++b) {
    numbers[b] = b >= 0x40 && b <= 0x7E   ? static_cast<std::uint8_t>(b - 0x40)
                 : b >= 0x80 && b <= 0xFE ? static_cast<std::uint8_t>(b - 0x41)
                                          : kNoTrail;
  }
  return numbers;
}();

// Number 0..156 of a Big5 trail byte, kNoTrail for other bytes.
inline constexpr std::array<std::uint8_t, 256> kBig5TrailNumber = [] {
  std::array<std::uint8_t, 256> numbers{};
  for (unsigned b = 0; b < 256; ++b) {
    numbers[b] = b >= 0x40 && b <= 0x7E   ? static_cast<std::uint8_t>(b - 0x40)
                 : b >= 0xA1 && b <= 0xFE ? static_cast<std::uint8_t>(b - 0x62)
                                          : kNoTrail;
  }
  return numbers;
}();

// Slots of the fast paths' code tables: (lead - 0x80) * 256 + trail.
inline constexpr std::size_t kPairSlotCount = 128 * 256;

struct Gb18030Tables {
  // Two-byte slot (lead - 0x81) * 190 + trail number -> code point.
  std::array<std::uint16_t, kGbTwoByteCount> twoByte;
  // Four-byte number below kGbFourByteBmpCount -> code point.
  std::array<std::uint16_t, kGbFourByteBmpCount> fourByte;
  // BMP code point -> its code, bytes packed high first: below 0x80 one byte,
  // below 0x10000 two, else four; 0 for the surrogates.
  std::array<std::uint32_t, 0x10000> codeOf;
  // BMP code point -> its two-byte code, 0 when it has none (the encoders'
  // vector path).
  std::array<std::uint16_t, 0x10000> twoByteCodeOf;
  // Two-byte code by its slot (see kPairSlotCount) -> its UTF-8 packed for
  // the fast path (see PackUtf8 in fast_paths.h); 0 for other byte pairs.
  std::array<std::uint32_t, kPairSlotCount> twoByteUtf8;
};

struct Big5HkscsTables {
  // Slot (lead - 0x87) * 157 + trail number -> code point, 0 none, or
  // kBig5PairMark + row of pairs.
  std::array<std::uint32_t, kBig5SlotCount> points;
  // Code point -> code (0 none), for the BMP and for plane 2.
  std::array<std::uint16_t, 0x10000> bmpCode;
  std::array<std::uint16_t, 0x10000> plane2Code;
  std::span<const Big5PairRow> pairs;
  // Code by its slot (see kPairSlotCount) -> its UTF-8 packed for the fast
  // path (see PackUtf8 in fast_paths.h), for the codes of one BMP
  // character; 0 for every other byte pair.
  std::array<std::uint32_t, kPairSlotCount> pairUtf8;
};

// The tables, constant data.
[[nodiscard]] const Gb18030Tables& Gb18030Table();
[[nodiscard]] const Big5HkscsTables& Big5HkscsTable();

// The four-byte GB18030 number of bytes b1 b2 b3 b4 (no range check).
[[nodiscard]] constexpr std::uint32_t GbFourByteNumber(unsigned b1, unsigned b2, unsigned b3,
                                                       unsigned b4) {
  return (((b1 - 0x81) * 10 + (b2 - 0x30)) * 126 + (b3 - 0x81)) * 10 + (b4 - 0x30);
}

// The four bytes of a four-byte number, packed high first.
[[nodiscard]] constexpr std::uint32_t GbFourByteCode(std::uint32_t number) {
  const std::uint32_t b4 = number % 10 + 0x30;
  number /= 10;
  const std::uint32_t b3 = number % 126 + 0x81;
  number /= 126;
  const std::uint32_t b2 = number % 10 + 0x30;
  const std::uint32_t b1 = number / 10 + 0x81;
  return b1 << 24 | b2 << 16 | b3 << 8 | b4;
}

}  // namespace vortane
