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

int PairAfterPair(std::uint16_t before, std::uint16_t next) {
  using ascii_pairs_data::kBackoffs;
  using ascii_pairs_data::kPairs;
  constexpr std::uint32_t kPairsPerRow = 94 * 94;
  const std::uint32_t key = static_cast<std::uint32_t>(before) * kPairsPerRow + next;
  const auto* pair = std::lower_bound(
      std::begin(kPairs), std::end(kPairs), key,
      [](const ascii_pairs_data::PairRow& r, std::uint32_t k) { return r.pair < k; });
  if (pair != std::end(kPairs) && pair->pair == key) {
    return pair->score;
  }
  const auto* backoff = std::lower_bound(
      std::begin(kBackoffs), std::end(kBackoffs), before,
      [](const ascii_pairs_data::BackoffRow& r, std::uint16_t first) { return r.first < first; });
  return backoff != std::end(kBackoffs) && backoff->first == before ? backoff->score : 0;
}

}  // namespace vortane
