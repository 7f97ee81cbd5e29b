// How much a clean UTF-8 decoding speaks for itself, beside how Chinese it
// reads: text in another code seldom is well-formed UTF-8, and when its
// characters also form the words of one alphabet, it is meant as it is.
#pragma once

#include <cstdint>
#include <string_view>

namespace vortane {

// Points for a character of a word, in hundredths of a nat, beside cancelling
// what the character scores against: well-formed UTF-8 alone is worth about
// two and a half nats against text in a double-byte code, and a letter inside
// a word says more.
inline constexpr std::int64_t kUtf8WordLetterPoints = 300;
// Points for a character beside a word: the evidence of well-formed UTF-8
// only.
inline constexpr std::int64_t kUtf8LetterPoints = 250;

// The points a clean UTF-8 decoding earns for each multi-byte character that
// is not an ideograph:
// - a word's letter (a Latin letter or sign between ASCII letters, "hôte";
//   two Latin characters between ASCII with a no-break space among them,
//   French "«\u00A0"; or, in a text without ideographs and kana, a letter of
//   Greek, Cyrillic, Armenian, Hebrew, Arabic, Thai or Hangul beside another
//   of the same script: Russian or Greek words): kUtf8WordLetterPoints, and
//   what the character scored against is given back;
// - any other beside an ASCII letter, or a Latin character alone between
//   ASCII characters or the text's ends ("più", « oui »): kUtf8LetterPoints.
// A wrong display of Chinese turns each character into two or three (or one
// and an ASCII trail byte, in Big5), so its runs earn nothing inside and
// kUtf8LetterPoints at most at their ends.
[[nodiscard]] std::int64_t Utf8Evidence(std::string_view utf8);

}  // namespace vortane
