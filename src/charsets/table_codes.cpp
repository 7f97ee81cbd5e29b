#include "charsets/table_codes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "charsets/codec_steps.h"
#include "charsets/unicode_scalar.h"
#include "cjk/byte_scan.h"
#include "cjk/code_tables.h"

namespace vortane::charsets_detail {
namespace {

// GB codes of the table are in row-column form; text adds 0x8080.
constexpr std::uint32_t kGbTextOffset = 0x8080;

using PointIndex = std::array<std::uint16_t, 0x10000>;

// Code -> code point (0: none), the first row winning like the lookups.
std::unique_ptr<const PointIndex> BuildIndex(std::span<const CodePair> rows, std::uint32_t offset) {
  auto index = std::make_unique<PointIndex>();
  for (const CodePair& row : rows) {
    const std::uint32_t code = row.first + offset;
    if (code < 0x10000 && row.second < 0x10000 && (*index)[code] == 0 &&
        row.second != kReplacement) {
      (*index)[code] = static_cast<std::uint16_t>(row.second);
    }
  }
  return index;
}

const PointIndex& PointsOf(TextCode code) {
  static const std::unique_ptr<const PointIndex> gb = BuildIndex(GbUnicodeTable(), kGbTextOffset);
  static const std::unique_ptr<const PointIndex> big5 = BuildIndex(Big5UnicodeTable(), 0);
  return code == TextCode::Big5 ? *big5 : *gb;
}

class TableCodeSink {
 public:
  // A one-byte ill-formed sequence written as U+FFFD may take a two-byte code.
  static constexpr std::size_t kMaxOutPerByte = 2;
  static constexpr std::size_t kMaxOutExtra = 0;
  static constexpr bool kCopiesAscii = true;

  TableCodeSink(TextCode code, EncodeCounts& counts)
      : lookup_(code == TextCode::Big5 ? LookupUnicodeToBig5 : LookupUnicodeToGb),
        counts_(counts) {}

  char* Put(char* o, char32_t point) {
    const std::optional<std::uint16_t> code = lookup_(point);
    if (!code) {
      return Bad(o);
    }
    *o++ = static_cast<char>(*code >> 8);
    *o++ = static_cast<char>(*code & 0xFF);
    return o;
  }
  char* Bad(char* o) {
    ++counts_.unwritable;
    *o++ = '?';
    return o;
  }
  char* BeforeAscii(char* o) { return o; }
  char* Finish(char* o) { return o; }

 private:
  std::optional<std::uint16_t> (*lookup_)(std::uint32_t);
  EncodeCounts& counts_;
};

}  // namespace

std::size_t DecodeTableCodeStep(TextCode code, std::string_view in, bool last, StepOut& out,
                                std::size_t& unreadable) {
  const PointIndex& points = PointsOf(code);
  const auto* p = reinterpret_cast<const unsigned char*>(in.data());
  const std::size_t n = in.size();
  char* o = out.Grow(3 * n);
  std::size_t i = 0;
  while (i < n) {
    if (p[i] < 0x80) {
      const std::size_t run = detail::CopyAsciiRun(p + i, n - i, o);
      o += run;
      i += run;
      continue;
    }
    if (i + 1 == n) {
      if (!last) {
        break;
      }
      o = PutUtf8(o, kReplacement);
      ++unreadable;
      ++i;
      continue;
    }
    const char32_t point = points[static_cast<std::uint32_t>(p[i]) << 8 | p[i + 1]];
    if (point == 0) {
      ++unreadable;
    }
    o = PutUtf8(o, point == 0 ? kReplacement : point);
    i += 2;
  }
  out.EndAt(o);
  return i;
}

std::size_t EncodeTableCodeStep(TextCode code, std::string_view utf8, bool last, StepOut& out,
                                EncodeCounts& counts) {
  TableCodeSink sink(code, counts);
  return EncodeUtf8Step(sink, counts, utf8, last, out);
}

}  // namespace vortane::charsets_detail
