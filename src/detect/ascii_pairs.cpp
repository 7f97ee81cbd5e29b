#include "detect/ascii_pairs.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "detect/ascii_pairs_data.h"
#include "detect/char_score.h"

namespace vortane {
namespace {

// A word not seen as written but seen in small letters ("Debug", "debug")
// counts this share of those.
constexpr double kOtherCaseShare = 0.25;

constexpr std::size_t kTokens = kPunctuationToken - kBlankToken + 1;

constexpr std::uint32_t kCharacters = 94 * 94;

// Where each character's rows of kPairs begin (kPairs is sorted by the
// character before), and each character's back-off: looked up once per pair
// of a text, so two binary searches over the whole tables cost the eighth
// bit a fifth of its time.
struct PairIndex {
  std::vector<std::uint32_t> firstRow;  // kCharacters + 1 entries
  std::vector<std::int16_t> backoff;
};

const PairIndex& PairsByCharacter() {
  static const PairIndex index = [] {
    using ascii_pairs_data::kBackoffs;
    using ascii_pairs_data::kPairs;
    PairIndex built{std::vector<std::uint32_t>(kCharacters + 1),
                    std::vector<std::int16_t>(kCharacters)};
    std::uint32_t row = 0;
    for (std::uint32_t first = 0; first <= kCharacters; ++first) {
      while (row < std::size(kPairs) && kPairs[row].pair / kCharacters < first) {
        ++row;
      }
      built.firstRow[first] = row;
    }
    for (const auto& backoff : kBackoffs) {
      built.backoff[backoff.first] = backoff.score;
    }
    return built;
  }();
  return index;
}

std::size_t Cell(unsigned char before, unsigned char next) {
  return static_cast<std::size_t>(before - kBlankToken) * kTokens +
         static_cast<std::size_t>(next - kBlankToken);
}

bool AllDigits(std::string_view word) {
  return !word.empty() &&
         std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Lowered(std::string_view word) {
  std::string lower(word);
  for (char& c : lower) {
    c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return lower;
}

// The words that are one word in small letters, with how often each was seen
// as written; empty for a start of a word alone.
using Forms = std::vector<std::pair<std::string_view, int>>;

// Every word and every start of one in small letters ("id", "i").
const std::unordered_map<std::string, Forms>& WordIndex() {
  static const std::unordered_map<std::string, Forms> index = [] {
    std::unordered_map<std::string, Forms> map;
    for (const ascii_pairs_data::WordRow& row : ascii_pairs_data::kWords) {
      const std::string lower = Lowered(row.word);
      for (std::size_t length = 1; length < lower.size(); ++length) {
        map.try_emplace(lower.substr(0, length));
      }
      map[lower].emplace_back(row.word, row.count);
    }
    return map;
  }();
  return index;
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
  using ascii_pairs_data::kPairs;
  if (before >= kCharacters || next >= kCharacters) {
    return 0;
  }
  const PairIndex& index = PairsByCharacter();
  const std::uint32_t key = before * kCharacters + next;
  const auto* end = std::begin(kPairs) + index.firstRow[before + 1];
  const auto* pair = std::lower_bound(
      std::begin(kPairs) + index.firstRow[before], end, key,
      [](const ascii_pairs_data::PairRow& r, std::uint32_t k) { return r.pair < k; });
  if (pair != end && pair->pair == key) {
    return pair->score;
  }
  return index.backoff[before];
}

int IdeographAfterBlank(unsigned char before) {
  using ascii_pairs_data::kIdeographAfterBlank;
  // Classes as the table orders them: letter or digit, other ASCII,
  // ideograph, punctuation.
  if (before == kIdeographToken) {
    return kIdeographAfterBlank[2];
  }
  if (before == kPunctuationToken) {
    return kIdeographAfterBlank[3];
  }
  if (before <= kBlankToken || before >= kIdeographToken) {
    return 0;
  }
  const bool alphanumeric = (before >= '0' && before <= '9') || (before >= 'A' && before <= 'Z') ||
                            (before >= 'a' && before <= 'z');
  return kIdeographAfterBlank[alphanumeric ? 0 : 1];
}

int IdeographAfterSign(unsigned char sign) {
  using ascii_pairs_data::kIdeographAfterSign;
  return sign >= 0x21 && sign <= 0x7E ? kIdeographAfterSign[sign - 0x21] : 0;
}

AsciiWord LookUpAsciiWord(std::string_view word) {
  using ascii_pairs_data::kDigitRuns;
  using ascii_pairs_data::kWordsSeen;
  double chance = 0;
  if (AllDigits(word)) {
    const std::size_t length = std::min(word.size(), std::size(kDigitRuns));
    chance = kDigitRuns[length - 1] * std::pow(0.1, static_cast<double>(word.size()));
  } else {
    const auto& index = WordIndex();
    const std::string lower = Lowered(word);
    const auto found = index.find(lower);
    if (found == index.end()) {
      return AsciiWord{};
    }
    for (const auto& [form, count] : found->second) {
      if (form == word) {
        chance = count;
        break;
      }
      if (form == lower) {
        chance = count * kOtherCaseShare;
      }
    }
  }
  AsciiWord out;
  out.starts = true;
  if (chance > 0) {
    out.score = static_cast<int>(std::lround(std::log(chance / kWordsSeen) * kPointsPerNat));
  }
  return out;
}

}  // namespace vortane
