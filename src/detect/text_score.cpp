#include "detect/text_score.h"

#include "detect/char_score.h"
#include "detect/code_points.h"

namespace vortane {

TextScore ScoreText(std::string_view utf8, bool readInBig5Hkscs) {
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
    const int points = readInBig5Hkscs ? HongKongScore(point) : CharScore(point);
    score.points += points;
    if (IsIdeograph(point)) {
      ++score.ideographs;
      score.ideographPoints += points;
    }
  }
  return score;
}

bool ReadsAsChinese(const TextScore& score) {
  return score.ideographs > 0 &&
         score.ideographPoints >=
             kLeastPointsPerIdeograph * static_cast<std::int64_t>(score.ideographs);
}

}  // namespace vortane
