// Setting the eighth bit again on GB text that a 7-bit mail path stripped.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vortane {

// `text` must be 7-bit. A stripped GB 2312 character is two bytes in
// 0x21..0x7E, so each run of such bytes is split into ASCII characters and
// GB 2312 pairs, whichever reads best: a pair scores as its character
// (CharScore), ASCII bytes by how well they follow each other (words of
// letters or digits read well, case, digits and signs mixed at random do
// not), and each change between the two costs, so that a word of Latin
// letters stays Latin and a run of Chinese stays Chinese; a "%" before a
// conversion letter stays a format. The chosen pairs
// get the eighth bit set. Nothing (nullopt) when `text` holds a byte of 0x80
// or more, or when the chosen pairs cover less than a quarter of the bytes in
// 0x21..0x7E (mostly ASCII text is not stripped Chinese).
[[nodiscard]] std::optional<std::string> SetEighthBit(std::string_view text);

}  // namespace vortane
