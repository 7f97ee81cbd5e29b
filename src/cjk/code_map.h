// The four lookups spread over every 16-bit key, for the hot loops of the
// conversions: a single array index per character instead of a call. The maps
// are constant data built with the tables at compile time.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace vortane {

// A lookup of code_tables.h (LookupGbToBig5, LookupUnicodeToGb, ...).
using CodeLookup = std::optional<std::uint16_t> (*)(std::uint32_t);

// For each key 0..0xFFFF: the code its lookup finds, or the key itself when
// the lookup finds nothing.
using CodeMap = std::array<std::uint16_t, 0x10000>;

enum class CodeRoute { Copy, GbToBig5, Big5ToGb, UnicodeToGb, UnicodeToBig5 };

// The map of a route (Copy: every key to itself).
[[nodiscard]] const CodeMap& SharedCodeMap(CodeRoute route);

}  // namespace vortane
