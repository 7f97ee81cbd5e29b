#include "detect/eighth_bit.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "cjk/code_tables.h"
#include "detect/ascii_pairs.h"
#include "detect/char_score.h"

namespace vortane {
namespace {

constexpr unsigned char kFirstStripped = 0x21;
constexpr unsigned char kLastStripped = 0x7E;
constexpr std::size_t kSide = kLastStripped - kFirstStripped + 1;  // 94 rows, 94 columns

// Texts of up to this many stripped bytes may be mostly ASCII.
constexpr std::size_t kShortText = 64;
// How much likelier the text must be as stripped Chinese than as English.
constexpr long kLeastGain = 3 * kPointsPerNat;

// A run this long of Base64's alphabet alone is Base64 (a body part, a key:
// mail writes lines of 76), not stripped Chinese, a third of whose bytes are
// signs.
constexpr std::size_t kLeastBase64Run = 40;

bool Stripped(unsigned char byte) { return byte >= kFirstStripped && byte <= kLastStripped; }

bool IsBase64Run(std::string_view run) {
  if (run.size() < kLeastBase64Run) {
    return false;
  }
  return std::all_of(run.begin(), run.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/' || c == '=';
  });
}

// The frequency score of each GB 2312 pair by row and column (0..93 each); no
// value for an unassigned pair.
using PairScores = std::array<std::optional<std::int16_t>, kSide * kSide>;

const PairScores& GbPairScores() {
  static const PairScores scores = [] {
    PairScores table{};
    for (const CodePair& row : GbUnicodeTable()) {
      const std::uint32_t high = (row.first >> 8) - kFirstStripped;
      const std::uint32_t low = (row.first & 0xFF) - kFirstStripped;
      if (high < kSide && low < kSide && !table[high * kSide + low]) {
        table[high * kSide + low] = static_cast<std::int16_t>(FrequencyScore(row.second));
      }
    }
    return table;
  }();
  return scores;
}

// One run [begin, end) of stripped bytes, between blanks: the best split into
// ASCII bytes and GB 2312 pairs under the model of Chinese text (each token
// scored after the one before it, a pair also by its character's frequency),
// found by dynamic programming over the positions. Sets the eighth bit of the
// chosen pairs in `out`; returns how many bytes it set, and adds to `gain` how
// much better the split scores than the run as English.
std::size_t RestoreRun(std::string& out, std::size_t begin, std::size_t end, long& gain) {
  const PairScores& pairs = GbPairScores();
  const std::size_t n = end - begin;
  constexpr long kNone = std::numeric_limits<long>::min() / 2;
  // best[i][m]: best score of the first i bytes with the last one ASCII (m 0)
  // or the end of a pair (m 1); from[i][m]: the mode before.
  std::vector<std::array<long, 2>> best(n + 1, {kNone, kNone});
  std::vector<std::array<unsigned char, 2>> from(n + 1, {0, 0});
  best[0][0] = 0;
  const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(out[begin + i]); };
  const auto before = [&](std::size_t i, int mode) {
    return i == 0 ? kBlankToken : mode == 1 ? kChineseToken : byteAt(i - 1);
  };
  for (std::size_t i = 0; i < n; ++i) {
    for (int mode = 0; mode < 2; ++mode) {
      const long here = best[i][mode];
      if (here == kNone) {
        continue;
      }
      const unsigned char last = before(i, mode);
      const long ascii = here + ChineseTextStep(last, byteAt(i));
      if (ascii > best[i + 1][0]) {
        best[i + 1][0] = ascii;
        from[i + 1][0] = static_cast<unsigned char>(mode);
      }
      if (i + 1 < n) {
        const auto& pair =
            pairs[(byteAt(i) - kFirstStripped) * kSide + (byteAt(i + 1) - kFirstStripped)];
        if (pair) {
          const long gb = here + ChineseTextStep(last, kChineseToken) + *pair;
          if (gb > best[i + 2][1]) {
            best[i + 2][1] = gb;
            from[i + 2][1] = static_cast<unsigned char>(mode);
          }
        }
      }
    }
  }
  // The blank after the run closes it.
  const long endAscii =
      best[n][0] == kNone ? kNone : best[n][0] + ChineseTextStep(byteAt(n - 1), kBlankToken);
  const long endPair =
      best[n][1] == kNone ? kNone : best[n][1] + ChineseTextStep(kChineseToken, kBlankToken);
  int mode = endPair > endAscii ? 1 : 0;
  long english = 0;
  for (std::size_t i = 0; i < n; ++i) {
    english += EnglishTextStep(i == 0 ? kBlankToken : byteAt(i - 1), byteAt(i));
  }
  english += EnglishTextStep(byteAt(n - 1), kBlankToken);
  gain += std::max(endAscii, endPair) - english;
  std::size_t set = 0;
  for (std::size_t i = n; i > 0;) {
    const int previous = from[i][mode];
    if (mode == 1) {
      out[begin + i - 1] = static_cast<char>(byteAt(i - 1) | 0x80);
      out[begin + i - 2] = static_cast<char>(byteAt(i - 2) | 0x80);
      i -= 2;
      set += 2;
    } else {
      i -= 1;
    }
    mode = previous;
  }
  return set;
}

}  // namespace

std::optional<std::string> SetEighthBit(std::string_view text) {
  std::string out(text);
  std::size_t stripped = 0;
  std::size_t set = 0;
  long gain = 0;
  std::size_t i = 0;
  while (i < out.size()) {
    const auto byte = static_cast<unsigned char>(out[i]);
    if (byte >= 0x80) {
      return std::nullopt;
    }
    if (!Stripped(byte)) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < out.size() && Stripped(static_cast<unsigned char>(out[end]))) {
      ++end;
    }
    stripped += end - i;
    if (!IsBase64Run(std::string_view(out).substr(i, end - i))) {
      set += RestoreRun(out, i, end, gain);
    }
    i = end;
  }
  // English text with a few pairs that read well by chance (an English "No"
  // is a common character) reads better as English on the whole. A long text
  // that is mostly ASCII is not stripped Chinese either (mail with its
  // headers), though a short one may hold a single character.
  if (set == 0 || gain < kLeastGain || (stripped > kShortText && set * 4 < stripped)) {
    return std::nullopt;
  }
  return out;
}

}  // namespace vortane
