// Frame bytes as clipboard text for other programs and back, in every display
// code.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cjk/display_code.h"

namespace vortane {

// Bytes offered to other programs as Unicode clipboard text: read in `code`
// (Gb and Big5 as ClipboardTextFromBytes does; under the other codes what
// cannot be read becomes U+FFFD), each CR LF turned into a single LF.
[[nodiscard]] std::u16string ClipboardTextFromFrameBytes(std::string_view bytes, DisplayCode code);

// Unicode clipboard text from another program as frame bytes in `code`: each
// LF without a CR before it and each U+2029 becomes CR LF, U+2028 LF; a
// character `code` cannot hold becomes "?" and is counted in `*unheld` when
// given. Private-use characters are characters here, not stand-ins.
[[nodiscard]] std::string FrameBytesFromClipboardText(std::u16string_view text, DisplayCode code,
                                                      std::size_t* unheld = nullptr);

// The raw form a frame's copy offers beside the Unicode text, so that a paste
// into a frame keeps every byte: "text/plain;charset=GB2312", "...=Big5",
// "...=GB18030", "...=Big5-HKSCS" and "...=UTF-8".
[[nodiscard]] std::string RawClipboardFormat(DisplayCode code);

}  // namespace vortane
