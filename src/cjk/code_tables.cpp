#include "cjk/code_tables.h"

#include <array>
#include <cstddef>

#include "cjk/code_tables_data.h"

namespace vortane {
namespace {

namespace data = code_tables_data;

// Every key of the tables is below 0x10000, so one slot per 16-bit key gives
// the lookup directly. No table value is 0 (BuildIndex refuses one), so 0
// marks "not found".
constexpr std::size_t kKeySpace = 0x10000;
using DirectIndex = std::array<std::uint16_t, kKeySpace>;

enum class KeyColumn { First, Second };

// The index answers what a scan from the first row answers: a slot keeps the
// value of the first row that reaches it.
template <std::size_t N>
consteval DirectIndex BuildIndex(const CodePair (&rows)[N], KeyColumn column,
                                 std::uint32_t resultOffset) {
  DirectIndex index{};
  for (const CodePair& row : rows) {
    const std::uint32_t key = column == KeyColumn::First ? row.first : row.second;
    const std::uint32_t value =
        (column == KeyColumn::First ? row.second : row.first) + resultOffset;
    if (key >= kKeySpace || value == 0 || value >= kKeySpace) {
      throw "code table value outside 1..0xFFFF";  // stops the compilation
    }
    if (index[key] == 0) {
      index[key] = static_cast<std::uint16_t>(value);
    }
  }
  return index;
}

constexpr std::uint32_t kGbTextOffset = 0x8080;

constexpr DirectIndex kGbToBig5 = BuildIndex(data::kGbBig5Rows, KeyColumn::First, 0);
constexpr DirectIndex kBig5ToGb = BuildIndex(data::kGbBig5Rows, KeyColumn::Second, 0);
constexpr DirectIndex kUnicodeToGb =
    BuildIndex(data::kGbUnicodeRows, KeyColumn::Second, kGbTextOffset);
constexpr DirectIndex kUnicodeToBig5 =
    BuildIndex(data::kBig5UnicodeRows, KeyColumn::Second, 0);

std::optional<std::uint16_t> Find(const DirectIndex& index, std::uint32_t key) {
  if (key >= kKeySpace || index[key] == 0) {
    return std::nullopt;
  }
  return index[key];
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

}  // namespace vortane
