// The four lookups spread over every 16-bit key, for the hot loops of the
// conversions: a single array index per character instead of a call.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace vortane {

// A lookup of code_tables.h (LookupGbToBig5, LookupUnicodeToGb, ...).
using CodeLookup = std::optional<std::uint16_t> (*)(std::uint32_t);

// The result of a lookup for each key 0..0xFFFF: the found code, or the key
// itself when the lookup finds nothing.
class CodeMap {
 public:
  // Runs `lookup` over every key (65,536 lookups); a null lookup maps every
  // key to itself.
  explicit CodeMap(CodeLookup lookup);

  // The code for `key`, which must be below 0x10000.
  [[nodiscard]] std::uint16_t operator[](std::uint32_t key) const { return codes_[key]; }

 private:
  std::vector<std::uint16_t> codes_;
};

enum class CodeRoute { Copy, GbToBig5, Big5ToGb, UnicodeToGb, UnicodeToBig5 };

// The map of a route (Copy: every key to itself), built on first use and
// constant from then on; safe to share between threads.
[[nodiscard]] const CodeMap& SharedCodeMap(CodeRoute route);

}  // namespace vortane
