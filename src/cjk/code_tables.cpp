#include "cjk/code_tables.h"

namespace vortane {

// Not yet written.
std::span<const CodePair> GbUnicodeTable() { return {}; }
std::span<const CodePair> GbBig5Table() { return {}; }
std::span<const CodePair> Big5UnicodeTable() { return {}; }
std::optional<std::uint16_t> LookupGbToBig5(std::uint32_t) { return std::nullopt; }
std::optional<std::uint16_t> LookupBig5ToGb(std::uint32_t) { return std::nullopt; }
std::optional<std::uint16_t> LookupUnicodeToGb(std::uint32_t) { return std::nullopt; }
std::optional<std::uint16_t> LookupUnicodeToBig5(std::uint32_t) { return std::nullopt; }

}  // namespace vortane
