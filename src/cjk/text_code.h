// The character codes a text can be in.
#pragma once

namespace vortane {

// Numbered as the converter's code lists: 0 GB, 1 BIG5, 2 Unicode (big-endian
// 16-bit units, no byte-order mark).
enum class TextCode { Gb = 0, Big5 = 1, Unicode = 2 };

}  // namespace vortane
