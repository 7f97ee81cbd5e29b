#include "detect/text_score.h"

#include <algorithm>
#include <string_view>

#include "detect/char_score.h"
#include "detect/code_points.h"

namespace vortane {
namespace {

// The commonest Chinese surnames, simplified and traditional. Mail names
// people (signatures, greetings, senders), and a given name often holds a
// character the frequency table finds rare.
constexpr std::u32string_view kSurnames =
    U"王李张刘陈杨黄赵吴周徐孙马朱胡郭何林高罗郑梁谢宋唐许韩冯邓曹"
    U"張劉陳楊黃趙吳孫馬羅鄭謝許韓馮鄧";
// A name stands alone: a run of two or three ideographs between other
// characters, the first a surname. Its given name scores at least this.
constexpr int kGivenNameFloor = 150;
constexpr std::size_t kLongestName = 3;

// Japanese text in a Chinese code (a bounce from a Japanese server) holds
// kana among its ideographs; a Chinese code read in another one shows kana
// now and then (Big5's common A4 and A5 rows are GB's kana), but among rare
// ideographs. Kana score this when there are at least kLeastKana of them,
// they make a third or more of the kana and ideographs, and the ideographs
// score 0 or more on the whole (as common as 1 in 10,000 on average).
constexpr int kKanaInJapanese = -50;
constexpr std::size_t kLeastKana = 3;

bool IsSurname(char32_t point) { return kSurnames.find(point) != std::u32string_view::npos; }

bool IsKana(char32_t point) { return point >= 0x3041 && point <= 0x30FF; }

// The ideographs of a run as they are scored, to lift a stand-alone name.
struct IdeographRun {
  std::size_t length = 0;
  bool name = false;      // the first is a surname
  std::int64_t lift = 0;  // what the given name gains from kGivenNameFloor

  void Add(char32_t point, int points) {
    if (length == 0) {
      name = IsSurname(point);
    } else if (length < kLongestName) {
      lift += std::max(0, kGivenNameFloor - points);
    }
    ++length;
  }
  // Ends the run; its lift when it is a name.
  std::int64_t Close() {
    const std::int64_t gained = name && length >= 2 && length <= kLongestName ? lift : 0;
    *this = IdeographRun{};
    return gained;
  }
};

}  // namespace

TextScore ScoreText(std::string_view utf8, bool readInBig5Hkscs) {
  TextScore score;
  IdeographRun run;
  std::size_t kana = 0;
  std::int64_t kanaPoints = 0;
  const auto closeRun = [&] {
    const std::int64_t gained = run.Close();
    score.points += gained;
    score.ideographPoints += gained;
  };
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const auto byte = static_cast<unsigned char>(utf8[pos]);
    if (byte >= 0x20 && byte < 0x7F) {  // printable ASCII scores 0
      if (run.length != 0) {
        closeRun();
      }
      ++pos;
      continue;
    }
    const char32_t point = NextCodePoint(utf8, pos);
    if (point == kNotUtf8) {
      score.points += kBrokenCharScore;
      closeRun();
      continue;
    }
    const int points = readInBig5Hkscs ? HongKongScore(point) : CharScore(point);
    score.points += points;
    if (IsIdeograph(point)) {
      ++score.ideographs;
      score.ideographPoints += points;
      run.Add(point, points);
      continue;
    }
    closeRun();
    if (IsKana(point)) {
      ++kana;
      kanaPoints += points;
    }
  }
  closeRun();
  if (kana >= kLeastKana && kana * 2 >= score.ideographs && score.ideographPoints >= 0) {
    score.points += static_cast<std::int64_t>(kana) * kKanaInJapanese - kanaPoints;
  }
  return score;
}

bool ReadsAsChinese(const TextScore& score) {
  return score.ideographs > 0 &&
         score.ideographPoints >=
             kLeastPointsPerIdeograph * static_cast<std::int64_t>(score.ideographs);
}

}  // namespace vortane
