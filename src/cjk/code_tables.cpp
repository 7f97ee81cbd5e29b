#include "cjk/code_tables.h"

#include <array>
#include <cstddef>

#include "cjk/code_map.h"
#include "cjk/code_tables_data.h"

namespace vortane {
namespace {

namespace data = code_tables_data;

// Every key of the tables is below 0x10000, so one slot per 16-bit key gives
// the lookup directly. Each slot holds the found code, or the key itself when
// nothing is found (so hot loops convert with one array read), and a bit says
// whether the key was found.
constexpr std::size_t kKeySpace = 0x10000;

struct DirectIndex {
  CodeMap codes;
  std::array<std::uint64_t, kKeySpace / 64> found;
};

enum class KeyColumn { First, Second };

consteval CodeMap IdentityCodes() {
  CodeMap codes{};
  for (std::size_t key = 0; key < kKeySpace; ++key) {
    codes[key] = static_cast<std::uint16_t>(key);
  }
  return codes;
}

// The index answers what a scan from the first row answers: a slot keeps the
// value of the first row that reaches it.
template <std::size_t N>
consteval DirectIndex BuildIndex(const CodePair (&rows)[N], KeyColumn column,
                                 std::uint32_t resultOffset) {
  DirectIndex index{IdentityCodes(), {}};
  for (const CodePair& row : rows) {
    const std::uint32_t key = column == KeyColumn::First ? row.first : row.second;
    const std::uint32_t value =
        (column == KeyColumn::First ? row.second : row.first) + resultOffset;
    if (key >= kKeySpace || value >= kKeySpace) {
      throw "code table value outside 0..0xFFFF";  // stops the compilation
    }
    const std::uint64_t bit = std::uint64_t{1} << (key % 64);
    if ((index.found[key / 64] & bit) == 0) {
      index.found[key / 64] |= bit;
      index.codes[key] = static_cast<std::uint16_t>(value);
    }
  }
  return index;
}

constexpr std::uint32_t kGbTextOffset = 0x8080;

constexpr CodeMap kIdentity = IdentityCodes();
constexpr DirectIndex kGbToBig5 = BuildIndex(data::kGbBig5Rows, KeyColumn::First, 0);
constexpr DirectIndex kBig5ToGb = BuildIndex(data::kGbBig5Rows, KeyColumn::Second, 0);
constexpr DirectIndex kUnicodeToGb =
    BuildIndex(data::kGbUnicodeRows, KeyColumn::Second, kGbTextOffset);
constexpr DirectIndex kUnicodeToBig5 = BuildIndex(data::kBig5UnicodeRows, KeyColumn::Second, 0);

std::optional<std::uint16_t> Find(const DirectIndex& index, std::uint32_t key) {
  if (key >= kKeySpace || ((index.found[key / 64] >> (key % 64)) & 1) == 0) {
    return std::nullopt;
  }
  return index.codes[key];
}

}  // namespace

std::span<const CodePair> GbUnicodeTable() { return data::kGbUnicodeRows; }
std::span<const CodePair> GbBig5Table() { return data::kGbBig5Rows; }
std::span<const CodePair> Big5UnicodeTable() { return data::kBig5UnicodeRows; }

std::optional<std::uint16_t> LookupGbToBig5(std::uint32_t key) { return Find(kGbToBig5, key); }
std::optional<std::uint16_t> LookupBig5ToGb(std::uint32_t key) { return Find(kBig5ToGb, key); }
std::optional<std::uint16_t> LookupUnicodeToGb(std::uint32_t key) {
  return Find(kUnicodeToGb, key);
}
std::optional<std::uint16_t> LookupUnicodeToBig5(std::uint32_t key) {
  return Find(kUnicodeToBig5, key);
}

const CodeMap& SharedCodeMap(CodeRoute route) {
  switch (route) {
    case CodeRoute::GbToBig5:
      return kGbToBig5.codes;
    case CodeRoute::Big5ToGb:
      return kBig5ToGb.codes;
    case CodeRoute::UnicodeToGb:
      return kUnicodeToGb.codes;
    case CodeRoute::UnicodeToBig5:
      return kUnicodeToBig5.codes;
    case CodeRoute::Copy:
      break;
  }
  return kIdentity;
}

}  // namespace vortane
