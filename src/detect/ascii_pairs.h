// How well two ASCII bytes follow each other in text.
#pragma once

namespace vortane {

// The score (hundredths of a nat) of `byte` right after `before`, both
// printable ASCII: words of letters and numbers read well ("file", "File",
// "ID", "2018", "(file", "name:"), while case, digits and signs mixed at
// random (Base64, escapes, stripped Chinese) count against.
[[nodiscard]] int AsciiPairScore(unsigned char before, unsigned char byte);

}  // namespace vortane
