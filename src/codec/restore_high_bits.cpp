#include "codec/restore_high_bits.h"

#include <algorithm>

namespace vortane {

std::string RestoreHighBits(std::string_view text, std::size_t start, std::size_t end) {
  std::string out(text);
  const std::size_t last = std::min(end, out.size());
  for (std::size_t i = start; i < last; ++i) {
    out[i] = static_cast<char>(static_cast<unsigned char>(out[i]) ^ 0x80);
  }
  return out;
}

}  // namespace vortane
