#include "detect/text_score.h"

#include "detect/char_score.h"
#include "detect/code_points.h"

namespace vortane {

TextScore ScoreText(std::string_view utf8) {
  TextScore score;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const auto byte = static_cast<unsigned char>(utf8[pos]);
    if (byte >= 0x20 && byte < 0x7F) {  // printable ASCII scores 0
      ++pos;
      continue;
    }
    const char32_t point = NextCodePoint(utf8, pos);
    if (point == kNotUtf8) {
      score.points += kBrokenCharScore;
      continue;
    }
    score.points += CharScore(point);
    if (IsIdeograph(point)) {
      ++score.ideographs;
    }
  }
  return score;
}

bool ReadsAsChinese(const TextScore& score) {
  return score.ideographs > 0 &&
         score.points >= kLeastPointsPerIdeograph * static_cast<std::int64_t>(score.ideographs);
}

}  // namespace vortane
