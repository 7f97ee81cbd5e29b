#include "cjk/gb_big5.h"

#include <cstdint>
#include <optional>

#include "cjk/byte_scan.h"
#include "cjk/code_tables.h"

namespace vortane {
namespace {

using Lookup = std::optional<std::uint16_t> (*)(std::uint32_t);

// Every character keeps its place and its width, so the result starts as a
// copy of the text and only found double-byte codes are overwritten in place.
template <Lookup kLookup>
std::string ConvertDoubleByteText(std::string_view text) {
  std::string out(text);
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    i += detail::AsciiRunLength(s + i, n - i);
    if (i + 1 >= n) {
      // A lead byte at the very end pairs with the terminating 0, which no
      // table holds: it stays as it is.
      break;
    }
    if (const auto code = kLookup(static_cast<std::uint32_t>(s[i]) << 8 | s[i + 1])) {
      out[i] = static_cast<char>(*code >> 8);
      out[i + 1] = static_cast<char>(*code & 0xFF);
    }
    i += 2;
  }
  return out;
}

}  // namespace

std::string ConvertGbToBig5Text(std::string_view text) {
  return ConvertDoubleByteText<LookupGbToBig5>(text);
}

std::string ConvertBig5ToGbText(std::string_view text) {
  return ConvertDoubleByteText<LookupBig5ToGb>(text);
}

}  // namespace vortane
