// How well a UTF-8 text reads as Chinese.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vortane {

struct TextScore {
  std::int64_t points = 0;           // sum of the characters' CharScore, hundredths of a nat
  std::size_t ideographs = 0;        // how many characters are CJK ideographs
  std::int64_t ideographPoints = 0;  // the part of `points` they score
};

// Scores each character of `utf8` (CharScore, or HongKongScore when
// `readInBig5Hkscs`, the text being a decoding in Big5-HKSCS); a malformed byte
// counts as U+FFFD. Two contexts lift that sum: a name standing alone (two or
// three ideographs between other characters, the first a common surname)
// scores its given name as a fairly common character, and kana among common
// ideographs (Japanese text in a Chinese code) score a little against rather
// than as foreign letters.
[[nodiscard]] TextScore ScoreText(std::string_view utf8, bool readInBig5Hkscs = false);

// Least score a text's ideographs need on average to read as Chinese: a
// garbled reading's ideographs are mostly rare ones and score less.
inline constexpr std::int64_t kLeastPointsPerIdeograph = -120;

// True when the text holds at least one ideograph and its ideographs score
// kLeastPointsPerIdeograph or more on average: real text with a rare name
// does (and so does a long English reply with a few Chinese lines and many
// symbols), a run of rare characters does not.
[[nodiscard]] bool ReadsAsChinese(const TextScore& score);

}  // namespace vortane
