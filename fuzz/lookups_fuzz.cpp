// The four code table lookups against a linear scan of their tables, and the
// GB <-> Big5 text conversions against per-character lookups. The input is
// read as keys (four bytes each, high first) and as text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "cjk/code_tables.h"
#include "cjk/gb_big5.h"
#include "fuzz/fuzz_support.h"

using namespace vortane;
using namespace vortane::fuzz;

namespace {

// The first row, in table order, whose `column` (0 first, 1 second) equals key.
std::optional<std::uint32_t> Scan(std::span<const CodePair> table, int column, std::uint32_t key) {
  for (const CodePair& row : table) {
    if ((column == 0 ? row.first : row.second) == key) {
      return column == 0 ? row.second : row.first;
    }
  }
  return std::nullopt;
}

void CheckLookups(std::uint32_t key) {
  FUZZ_CHECK(LookupGbToBig5(key) == Scan(GbBig5Table(), 0, key));
  FUZZ_CHECK(LookupBig5ToGb(key) == Scan(GbBig5Table(), 1, key));
  const auto gb = Scan(GbUnicodeTable(), 1, key);
  FUZZ_CHECK(LookupUnicodeToGb(key) == (gb ? std::optional<std::uint32_t>(*gb + 0x8080) : gb));
  FUZZ_CHECK(LookupUnicodeToBig5(key) == Scan(Big5UnicodeTable(), 1, key));
}

// The text rule written out: a high byte takes the next byte (0 past the end).
std::string ConvertByScan(std::string_view text, int column) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out.push_back(static_cast<char>(lead));
      ++i;
      continue;
    }
    const unsigned char trail = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    const auto found = Scan(GbBig5Table(), column, lead * 256u + trail);
    if (found) {
      out.push_back(static_cast<char>(*found >> 8));
      out.push_back(static_cast<char>(*found & 0xFF));
    } else {
      out.push_back(static_cast<char>(lead));
      out.push_back(static_cast<char>(trail));
    }
    i += 2;
  }
  out.resize(text.size());  // a lone last lead byte pairs with the 0 past the end
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input keys(data, size);
  for (int i = 0; i < 8 && !keys.Rest().empty(); ++i) {
    const std::uint32_t high = keys.Word();
    const std::uint32_t low = keys.Word();
    // Mostly 16-bit keys, where the rows are; now and then a wide one.
    CheckLookups((high & 0xFF00) == 0xFF00 ? (high << 16 | low) : low);
  }

  const std::string_view text(reinterpret_cast<const char*>(data),
                              std::min<std::size_t>(size, 128));
  const std::string toBig5 = ConvertGbToBig5Text(text);
  const std::string toGb = ConvertBig5ToGbText(text);
  FUZZ_CHECK(toBig5.size() == text.size());
  FUZZ_CHECK(toGb.size() == text.size());
  FUZZ_CHECK(toBig5 == ConvertByScan(text, 0));
  FUZZ_CHECK(toGb == ConvertByScan(text, 1));
  return 0;
}
