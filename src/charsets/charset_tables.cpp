#include "charsets/charset_tables.h"

#include <memory>

#include "charsets/charset_tables_data.h"
#include "charsets/fast_paths.h"

namespace vortane {
namespace {

namespace data = charset_tables_data;

// The tables are built once, on first use, into memory of their own (about
// 0.6 MB together; too many steps for some compilers' constant evaluation).
std::unique_ptr<const Gb18030Tables> BuildGb18030() {
  auto tables = std::make_unique<Gb18030Tables>();
  Gb18030Tables& t = *tables;
  for (std::size_t slot = 0; slot < kGbTwoByteCount; ++slot) {
    t.twoByte[slot] = data::kGb18030TwoByte[slot];
  }
  constexpr std::size_t kRuns = std::size(data::kGb18030FourByteRuns);
  for (std::size_t r = 0; r < kRuns; ++r) {
    const GbFourByteRun run = data::kGb18030FourByteRuns[r];
    const std::uint32_t end =
        r + 1 < kRuns ? data::kGb18030FourByteRuns[r + 1].number : kGbFourByteBmpCount;
    for (std::uint32_t n = run.number; n < end; ++n) {
      t.fourByte[n] = static_cast<std::uint16_t>(run.point + (n - run.number));
    }
  }
  for (std::uint32_t p = 0; p < 0x80; ++p) {
    t.codeOf[p] = p;
  }
  for (std::size_t slot = 0; slot < kGbTwoByteCount; ++slot) {
    const std::uint32_t lead = kGbFirstLead + static_cast<std::uint32_t>(slot / kGbTrailCount);
    const std::uint32_t number = static_cast<std::uint32_t>(slot % kGbTrailCount);
    const std::uint32_t trail = number < 63 ? number + 0x40 : number + 0x41;
    t.codeOf[t.twoByte[slot]] = lead << 8 | trail;
  }
  for (std::uint32_t n = 0; n < kGbFourByteBmpCount; ++n) {
    t.codeOf[t.fourByte[n]] = GbFourByteCode(n);
  }
  for (std::uint32_t point = 0; point < 0x10000; ++point) {
    const std::uint32_t code = t.codeOf[point];
    t.twoByteCodeOf[point] = code > 0xFF && code <= 0xFFFF ? static_cast<std::uint16_t>(code) : 0;
  }
  t.twoByteUtf8.fill(0);
  for (std::uint32_t lead = kGbFirstLead; lead < 0xFF; ++lead) {
    for (std::uint32_t trail = 0; trail < 256; ++trail) {
      const std::uint8_t number = kGbTrailNumber[trail];
      if (number != kNoTrail) {
        t.twoByteUtf8[(lead - 0x80) << 8 | trail] =
            charsets_detail::PackUtf8(t.twoByte[(lead - kGbFirstLead) * kGbTrailCount + number]);
      }
    }
  }
  return tables;
}

std::unique_ptr<const Big5HkscsTables> BuildBig5Hkscs() {
  auto tables = std::make_unique<Big5HkscsTables>();
  Big5HkscsTables& t = *tables;
  t.pairs = data::kBig5HkscsPairs;
  for (std::size_t slot = 0; slot < kBig5SlotCount; ++slot) {
    t.points[slot] = data::kBig5HkscsCodes[slot];
  }
  for (std::size_t slot = 0; slot < kBig5SlotCount; ++slot) {
    const std::uint32_t point = t.points[slot];
    if (point == 0 || point >= kBig5PairMark) {
      continue;
    }
    const std::uint32_t lead = kBig5FirstLead + static_cast<std::uint32_t>(slot / kBig5TrailCount);
    const std::uint32_t number = static_cast<std::uint32_t>(slot % kBig5TrailCount);
    const auto code =
        static_cast<std::uint16_t>(lead << 8 | (number < 63 ? number + 0x40 : number + 0x62));
    bool readOnly = false;
    for (const std::uint16_t c : data::kBig5HkscsReadOnly) {
      readOnly = readOnly || c == code;
    }
    if (readOnly) {
      continue;
    }
    // The generator only writes points of the BMP and plane 2.
    (point < 0x10000 ? t.bmpCode[point] : t.plane2Code[point & 0xFFFF]) = code;
  }
  for (const Big5WriteRow& row : data::kBig5HkscsWriteOnly) {
    (row.point < 0x10000 ? t.bmpCode[row.point] : t.plane2Code[row.point & 0xFFFF]) = row.code;
  }
  t.pairUtf8.fill(0);
  for (std::uint32_t lead = kBig5FirstLead; lead < 0xFF; ++lead) {
    for (std::uint32_t trail = 0; trail < 256; ++trail) {
      const std::uint8_t number = kBig5TrailNumber[trail];
      const std::uint32_t point =
          number == kNoTrail ? 0 : t.points[(lead - kBig5FirstLead) * kBig5TrailCount + number];
      if (point != 0 && point < 0x10000) {
        t.pairUtf8[(lead - 0x80) << 8 | trail] = charsets_detail::PackUtf8(point);
      }
    }
  }
  return tables;
}

}  // namespace

const Gb18030Tables& Gb18030Table() {
  static const std::unique_ptr<const Gb18030Tables> tables = BuildGb18030();
  return *tables;
}

const Big5HkscsTables& Big5HkscsTable() {
  static const std::unique_ptr<const Big5HkscsTables> tables = BuildBig5Hkscs();
  return *tables;
}

}  // namespace vortane
