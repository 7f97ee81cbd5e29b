#include "detect/char_score.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "charsets/charset_tables.h"
#include "cjk/code_tables.h"
#include "detect/char_frequency_data.h"

namespace vortane {
namespace {

using char_frequency_data::FrequencyRow;
using char_frequency_data::kFrequencyRows;

constexpr double kWeightParts = 1e7;  // weights are parts per ten million
constexpr double kBreakEven = 10000;  // a share of 1/10000 scores 0

constexpr int kCommonIdeographFloor = -100;
constexpr int kRareIdeographFloor = -150;
constexpr int kIdeographCeiling = 500;
constexpr int kPunctuationFloor = 10;
constexpr int kPunctuationCeiling = 250;
constexpr int kOtherFloor = -300;
constexpr int kOtherCeiling = -100;

// GB 2312's first level and Big5's common set, by their codes.
constexpr std::uint16_t kGbLevelOneFirst = 0xB0A1;
constexpr std::uint16_t kGbLevelOneLast = 0xD7FE;
constexpr std::uint16_t kBig5CommonFirst = 0xA440;
constexpr std::uint16_t kBig5CommonLast = 0xC67E;

bool IsBroken(char32_t point) {
  if (point < 0x20) {
    return point != '\t' && point != '\n' && point != '\r' && point != '\f';
  }
  return (point >= 0x7F && point <= 0x9F) || (point >= 0xE000 && point <= 0xF8FF) ||
         (point >= 0xFDD0 && point <= 0xFDEF) || (point & 0xFFFE) == 0xFFFE || point == 0xFFFD ||
         point >= 0xF0000;
}

// Punctuation and symbols of Chinese text: general punctuation, letterlike
// symbols, arrows, mathematical operators, enclosed numbers, box drawing (the
// rules of tables and of "参数 ─ %c"), geometric shapes, CJK punctuation, vertical and fullwidth
// forms, and the middle dot, times and degree signs.
bool IsPunctuation(char32_t point) {
  return point == 0xB0 || point == 0xB1 || point == 0xB7 || point == 0xD7 || point == 0xF7 ||
         (point >= 0x2010 && point <= 0x206F) || (point >= 0x2100 && point <= 0x22FF) ||
         (point >= 0x2460 && point <= 0x26FF) || (point >= 0x3000 && point <= 0x303F) ||
         (point >= 0xFE30 && point <= 0xFE4F) || (point >= 0xFF00 && point <= 0xFFEF);
}

bool IsCommonIdeograph(char32_t point) {
  const auto gb = LookupUnicodeToGb(point);
  if (gb && *gb >= kGbLevelOneFirst && *gb <= kGbLevelOneLast) {
    return true;
  }
  const auto big5 = LookupUnicodeToBig5(point);
  return big5 && *big5 >= kBig5CommonFirst && *big5 <= kBig5CommonLast;
}

// The frequency score of a table weight, before the class bounds.
int WeightScore(std::uint32_t weight) {
  const double nats = std::log(static_cast<double>(weight) / kWeightParts * kBreakEven);
  return static_cast<int>(std::lround(nats * kPointsPerNat));
}

std::int16_t ScoreOf(char32_t point, std::uint32_t weight) {
  int score = 0;
  if (point < 0x80 && !IsBroken(point)) {
    score = 0;
  } else if (IsBroken(point)) {
    score = kBrokenCharScore;
  } else if (IsIdeograph(point)) {
    const int floor = IsCommonIdeograph(point) ? kCommonIdeographFloor : kRareIdeographFloor;
    score = weight == 0 ? floor : std::clamp(WeightScore(weight), floor, kIdeographCeiling);
  } else if (IsPunctuation(point)) {
    score = weight == 0 ? kPunctuationFloor
                        : std::clamp(WeightScore(weight), kPunctuationFloor, kPunctuationCeiling);
  } else {
    score = weight == 0 ? kOtherFloor : std::clamp(WeightScore(weight), kOtherFloor, kOtherCeiling);
  }
  return static_cast<std::int16_t>(score);
}

// Scores of the Basic Multilingual Plane, one index per character in the
// scoring loops; built once from the frequency rows.
using PlaneScores = std::array<std::int16_t, 0x10000>;

const PlaneScores& BasicPlaneScores() {
  static const PlaneScores scores = [] {
    std::array<std::uint32_t, 0x10000> weights{};
    for (const FrequencyRow& row : kFrequencyRows) {
      if (row.point < 0x10000) {
        weights[row.point] = row.weight;
      }
    }
    PlaneScores table{};
    for (std::size_t point = 0; point < table.size(); ++point) {
      table[point] = ScoreOf(static_cast<char32_t>(point), weights[point]);
    }
    return table;
  }();
  return scores;
}

std::uint32_t TableWeight(char32_t point) {
  const auto* row = std::lower_bound(std::begin(kFrequencyRows), std::end(kFrequencyRows), point,
                                     [](const FrequencyRow& r, char32_t p) { return r.point < p; });
  return row != std::end(kFrequencyRows) && row->point == point ? row->weight : 0;
}

}  // namespace

int FrequencyScore(char32_t point) {
  constexpr double kMissingWeight = 0.5;  // below the table's least weight of 1
  const std::uint32_t weight = TableWeight(point);
  const double nats = std::log((weight == 0 ? kMissingWeight : static_cast<double>(weight)) /
                               kWeightParts * kBreakEven);
  return static_cast<int>(std::lround(nats * kPointsPerNat));
}

bool IsHongKongAddition(char32_t point) {
  const Big5HkscsTables& tables = Big5HkscsTable();
  const bool inHkscs = point < 0x10000 ? tables.bmpCode[point] != 0
                                       : point >= 0x20000 && point < 0x30000 &&
                                             tables.plane2Code[point - 0x20000] != 0;
  return inHkscs && IsIdeograph(point) && !LookupUnicodeToBig5(point);
}

int HongKongScore(char32_t point) {
  const int score = CharScore(point);
  return IsHongKongAddition(point) ? std::max(score, kCommonIdeographFloor) : score;
}

bool IsIdeograph(char32_t point) {
  return (point >= 0x3400 && point <= 0x4DBF) || (point >= 0x4E00 && point <= 0x9FFF) ||
         (point >= 0xF900 && point <= 0xFAFF) || (point >= 0x20000 && point <= 0x3FFFF);
}

int CharScore(char32_t point) {
  if (point < 0x10000) {
    return BasicPlaneScores()[point];
  }
  if (point > 0x10FFFF) {
    return kBrokenCharScore;
  }
  return ScoreOf(point, TableWeight(point));
}

}  // namespace vortane
