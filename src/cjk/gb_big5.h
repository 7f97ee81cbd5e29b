// GB <-> Big5 conversion of frame text, character by character.
#pragma once

#include <string>
#include <string_view>

namespace vortane {

// Bytes below 0x80 pass; a byte of 0x80 or more takes the next byte (0 past the
// end) as its trail; found codes are replaced, others pass unchanged. The
// result has exactly the input's length.
[[nodiscard]] std::string ConvertGbToBig5Text(std::string_view text);
[[nodiscard]] std::string ConvertBig5ToGbText(std::string_view text);

}  // namespace vortane
