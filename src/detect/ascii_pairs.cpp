#include "detect/ascii_pairs.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "detect/ascii_pairs_data.h"

namespace vortane {
namespace {

constexpr std::size_t kTokens = kPunctuationToken - kBlankToken + 1;

std::size_t Cell(unsigned char before, unsigned char next) {
  return static_cast<std::size_t>(before - kBlankToken) * kTokens +
         static_cast<std::size_t>(next - kBlankToken);
}

}  // namespace

int ChineseTextStep(unsigned char before, unsigned char next) {
  return ascii_pairs_data::kChineseText[Cell(before, next)];
}

int EnglishTextStep(unsigned char before, unsigned char next) {
  return ascii_pairs_data::kEnglishText[Cell(before, next)];
}

std::optional<int> PunctuationScore(char32_t point) {
  using ascii_pairs_data::kPunctuation;
  using ascii_pairs_data::PunctuationRow;
  const auto* row =
      std::lower_bound(std::begin(kPunctuation), std::end(kPunctuation), point,
                       [](const PunctuationRow& r, char32_t p) { return r.point < p; });
  if (row == std::end(kPunctuation) || row->point != point) {
    return std::nullopt;
  }
  return row->score;
}

}  // namespace vortane
