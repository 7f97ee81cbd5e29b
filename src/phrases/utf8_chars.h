// Strict UTF-8 reading and writing of single code points, for the texts that
// conversion by phrases hands to OpenCC and reads back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vortane {

// The well-formed UTF-8 sequence at the front of `text`: its code point and
// its length in bytes. Length 0 when the front is not one: an empty text, a
// stray continuation byte, a lead byte without all its continuation bytes, an
// overlong form, a surrogate or a value above U+10FFFF.
struct Utf8Char {
  char32_t point = 0;
  std::size_t length = 0;
};
[[nodiscard]] Utf8Char DecodeUtf8Char(std::string_view text);

// Appends the UTF-8 form of `point` (a scalar value) to `out`.
void AppendUtf8(char32_t point, std::string& out);

// Reads UTF-8 text into `points` (replacing what it held); false when `text`
// is not wholly well-formed, `points` then holding those before the first bad
// byte.
[[nodiscard]] bool Utf8ToPoints(std::string_view text, std::u32string& points);

// Code points as UTF-8 text.
[[nodiscard]] std::string PointsToUtf8(std::u32string_view points);

}  // namespace vortane
