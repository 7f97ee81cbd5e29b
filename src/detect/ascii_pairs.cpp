#include "detect/ascii_pairs.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "detect/ascii_pairs_data.h"
#include "detect/char_score.h"

namespace vortane {
namespace {

// A word not seen as written but seen in small letters ("Debug", "debug")
// counts this share of those.
constexpr double kOtherCaseShare = 0.25;

constexpr std::size_t kTokens = kPunctuationToken - kBlankToken + 1;

std::size_t Cell(unsigned char before, unsigned char next) {
  return static_cast<std::size_t>(before - kBlankToken) * kTokens +
         static_cast<std::size_t>(next - kBlankToken);
}

bool AllDigits(std::string_view word) {
  return !word.empty() &&
         std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Every word and every start of one ("ID", "I"): how often the word was
// seen, 0 for a start alone.
const std::unordered_map<std::string_view, int>& WordIndex() {
  static const std::unordered_map<std::string_view, int> index = [] {
    std::unordered_map<std::string_view, int> map;
    for (const ascii_pairs_data::WordRow& row : ascii_pairs_data::kWords) {
      const std::string_view word = row.word;
      for (std::size_t length = 1; length < word.size(); ++length) {
        map.emplace(word.substr(0, length), 0);
      }
      map[word] = row.count;
    }
    return map;
  }();
  return index;
}

// How often `word` was seen as written.
std::optional<int> WordCount(std::string_view word) {
  const auto& index = WordIndex();
  const auto found = index.find(word);
  if (found == index.end() || found->second == 0) {
    return std::nullopt;
  }
  return found->second;
}

std::string Lowered(std::string_view word) {
  std::string lower(word);
  for (char& c : lower) {
    c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return lower;
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

std::optional<int> AsciiWordScore(std::string_view word) {
  using ascii_pairs_data::kDigitRuns;
  using ascii_pairs_data::kWordsSeen;
  double chance = 0;
  if (AllDigits(word)) {
    const std::size_t length = std::min(word.size(), std::size(kDigitRuns));
    chance = kDigitRuns[length - 1] * std::pow(0.1, static_cast<double>(word.size()));
  } else if (const std::optional<int> count = WordCount(word)) {
    chance = *count;
  } else if (const std::string lower = Lowered(word); lower != word) {
    chance = WordCount(lower).value_or(0) * kOtherCaseShare;
  }
  if (chance <= 0) {
    return std::nullopt;
  }
  return static_cast<int>(std::lround(std::log(chance / kWordsSeen) * kPointsPerNat));
}

bool StartsAsciiWord(std::string_view prefix) {
  const auto& index = WordIndex();
  return AllDigits(prefix) || index.count(prefix) != 0 || index.count(Lowered(prefix)) != 0;
}

}  // namespace vortane
