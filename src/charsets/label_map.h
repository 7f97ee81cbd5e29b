// Names of character codes as mail headers and people write them.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "charsets/charset.h"

namespace vortane {

// The code a label reads as: case-insensitive, with blanks and quotes around it
// trimmed ("  \"GB2312\" " reads as Gb18030); nullopt for an unknown label.
// Labels of a subset read as the superset (gb2312 as Gb18030, big5 as Big5Hkscs):
// the bytes in mail are those of the superset whatever the label says.
[[nodiscard]] std::optional<Charset> CharsetForLabel(std::string_view label);

// The canonical name of a code: "gb18030", "big5-hkscs", "utf-8", "utf-16le",
// "utf-16be", "utf-16", "hz-gb-2312", "utf-7".
[[nodiscard]] std::string_view CharsetName(Charset charset);

// One known label and the code it reads as.
struct CharsetLabel {
  std::string_view label;
  Charset charset;
};

// Every known label, lower case, grouped by code in the order of Charset.
[[nodiscard]] std::span<const CharsetLabel> CharsetLabels();

}  // namespace vortane
