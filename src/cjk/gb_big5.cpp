#include "cjk/gb_big5.h"

#include <cstdint>

#include "cjk/byte_scan.h"
#include "cjk/code_map.h"

namespace vortane {
namespace {

// Every character keeps its place and its width, so the result starts as a
// copy of the text and double-byte codes are overwritten in place (codes the
// table lacks map to themselves).
std::string ConvertDoubleByteText(std::string_view text, const CodeMap& codes) {
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
    const std::uint32_t code = codes[static_cast<std::uint32_t>(s[i]) << 8 | s[i + 1]];
    out[i] = static_cast<char>(code >> 8);
    out[i + 1] = static_cast<char>(code & 0xFF);
    i += 2;
  }
  return out;
}

}  // namespace

std::string ConvertGbToBig5Text(std::string_view text) {
  return ConvertDoubleByteText(text, SharedCodeMap(CodeRoute::GbToBig5));
}

std::string ConvertBig5ToGbText(std::string_view text) {
  return ConvertDoubleByteText(text, SharedCodeMap(CodeRoute::Big5ToGb));
}

}  // namespace vortane
