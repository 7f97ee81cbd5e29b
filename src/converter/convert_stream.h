// The code converter's engine: streams a text from GB, Big5 or Unicode into GB
// or Big5, with the rule for the blank in front of a Chinese character.
#pragma once

#include "cjk/text_code.h"
#include "codec/byte_stream.h"

namespace vortane {

enum class BlankMode { AddBlank = 0, RemoveBlank = 1, KeepStill = 2 };

// Reads `source` to its end and writes the converted text to `result`.
// `resultCode` must be Gb or Big5. A lone last lead byte (GB/Big5) or a lone
// last byte (Unicode) is written unchanged. Fails only when reading or writing fails.
[[nodiscard]] StreamStatus ConvertStream(ByteReader& source, ByteWriter& result,
                                         TextCode sourceCode, TextCode resultCode,
                                         BlankMode blankMode);

}  // namespace vortane
