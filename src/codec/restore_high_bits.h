// 7bit-8bit: flips the high bit of the bytes of a selection.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vortane {

// Returns `text` with every byte at positions [start, end) plus 0x80 modulo 256;
// the range is clamped to the text, and an empty or reversed range changes nothing.
[[nodiscard]] std::string RestoreHighBits(std::string_view text, std::size_t start,
                                          std::size_t end);

}  // namespace vortane
