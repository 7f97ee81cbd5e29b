// The three constant code tables (GB-Unicode, GB-Big5, Big5-Unicode) and the
// four lookups over them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace vortane {

// One table row: the first value (the key column the table is sorted by) and
// the second value.
struct CodePair {
  std::uint32_t first;
  std::uint32_t second;
};

// GB 2312 code in row-column form (0x2121..0x777E) -> Unicode; 7445 rows.
[[nodiscard]] std::span<const CodePair> GbUnicodeTable();
// GB code in text form (0xA1A2..0xF7FD) -> Big5 code; 6739 rows.
[[nodiscard]] std::span<const CodePair> GbBig5Table();
// Big5 code (0xA140..0xF9D5) -> Unicode; 13710 rows.
[[nodiscard]] std::span<const CodePair> Big5UnicodeTable();

// Each lookup returns what a linear scan of its table returns: the other value
// of the first row (in table order) whose compared column equals `key`, or
// nullopt. Keys of 0x10000 and above are never found.

// GB code (text form) -> Big5 code.
[[nodiscard]] std::optional<std::uint16_t> LookupGbToBig5(std::uint32_t key);
// Big5 code -> GB code (text form); the first GB row wins for shared Big5 codes.
[[nodiscard]] std::optional<std::uint16_t> LookupBig5ToGb(std::uint32_t key);
// Unicode code point -> GB code in text form (row-column form + 0x8080).
[[nodiscard]] std::optional<std::uint16_t> LookupUnicodeToGb(std::uint32_t key);
// Unicode code point -> Big5 code.
[[nodiscard]] std::optional<std::uint16_t> LookupUnicodeToBig5(std::uint32_t key);

}  // namespace vortane
