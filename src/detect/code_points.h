// Walking UTF-8 text code point by code point, and writing code points as UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vortane {

// What NextCodePoint gives for a byte that does not begin a well-formed
// sequence (an overlong form, a surrogate, a value past U+10FFFF, a cut or
// stray continuation byte).
inline constexpr char32_t kNotUtf8 = 0xFFFFFFFF;

// The code point that starts at `pos` of `text` (pos < text.size()); moves
// `pos` past it. A malformed sequence gives kNotUtf8 and moves `pos` by one.
[[nodiscard]] char32_t NextCodePoint(std::string_view text, std::size_t& pos);

// True when `text` is well-formed UTF-8 throughout.
[[nodiscard]] bool IsUtf8(std::string_view text);

// Appends `point` (a scalar value, not a surrogate) to `out` as UTF-8; any
// other value appends U+FFFD.
void AppendUtf8(std::string& out, char32_t point);

}  // namespace vortane
