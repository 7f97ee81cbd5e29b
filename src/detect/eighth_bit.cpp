#include "detect/eighth_bit.h"

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

// Cost of changing between ASCII and GB in the middle of a run.
constexpr int kModeChange = 160;
// ASCII punctuation inside a run: stripped Chinese looks like it.
constexpr int kAsciiPunctuation = -30;
// A "%" before a conversion letter is a format ("%s"), not half a character.
constexpr int kFormatPercent = 150;
constexpr std::string_view kConversionLetters = "sdiuxXcpflgze";

bool Stripped(unsigned char byte) { return byte >= kFirstStripped && byte <= kLastStripped; }

// The score of each GB 2312 pair by row and column (0..93 each); no value for
// an unassigned pair.
using PairScores = std::array<std::optional<std::int16_t>, kSide * kSide>;

const PairScores& GbPairScores() {
  static const PairScores scores = [] {
    PairScores table{};
    for (const CodePair& row : GbUnicodeTable()) {
      const std::uint32_t high = (row.first >> 8) - kFirstStripped;
      const std::uint32_t low = (row.first & 0xFF) - kFirstStripped;
      if (high < kSide && low < kSide && !table[high * kSide + low]) {
        table[high * kSide + low] = static_cast<std::int16_t>(CharScore(row.second));
      }
    }
    return table;
  }();
  return scores;
}

// The score of byte `byte` kept as ASCII, `next` the byte after it (0 at the end).
int AsciiScore(unsigned char byte, unsigned char next) {
  const bool alnum =
      (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
  if (byte == '%' && next != 0 &&
      kConversionLetters.find(static_cast<char>(next)) != std::string_view::npos) {
    return kFormatPercent;
  }
  return alnum ? 0 : kAsciiPunctuation;
}

// Chooses the pairs of one run [begin, end) of stripped bytes and sets their
// eighth bit in `out`; returns how many bytes it set.
std::size_t RestoreRun(std::string& out, std::size_t begin, std::size_t end) {
  const PairScores& pairs = GbPairScores();
  const std::size_t n = end - begin;
  constexpr long kNone = std::numeric_limits<long>::min() / 2;
  // best[i][m]: best score of the first i bytes with the last one ASCII (m 0)
  // or the end of a pair (m 1); from[i][m]: the mode before.
  std::vector<std::array<long, 2>> best(n + 1, {kNone, kNone});
  std::vector<std::array<unsigned char, 2>> from(n + 1, {0, 0});
  best[0] = {0, 0};
  const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(out[begin + i]); };
  for (std::size_t i = 0; i < n; ++i) {
    for (int mode = 0; mode < 2; ++mode) {
      const long here = best[i][mode];
      if (here == kNone) {
        continue;
      }
      const long ascii = here + AsciiScore(byteAt(i), i + 1 < n ? byteAt(i + 1) : 0) +
                         (mode == 0 && i > 0 ? AsciiPairScore(byteAt(i - 1), byteAt(i)) : 0) -
                         (mode == 1 && i > 0 ? kModeChange : 0);
      if (ascii > best[i + 1][0]) {
        best[i + 1][0] = ascii;
        from[i + 1][0] = static_cast<unsigned char>(mode);
      }
      if (i + 1 < n) {
        const auto& pair =
            pairs[(byteAt(i) - kFirstStripped) * kSide + (byteAt(i + 1) - kFirstStripped)];
        if (pair) {
          const long gb = here + *pair - (mode == 0 && i > 0 ? kModeChange : 0);
          if (gb > best[i + 2][1]) {
            best[i + 2][1] = gb;
            from[i + 2][1] = static_cast<unsigned char>(mode);
          }
        }
      }
    }
  }
  int mode = best[n][1] > best[n][0] ? 1 : 0;
  std::size_t set = 0;
  for (std::size_t i = n; i > 0;) {
    const int before = from[i][mode];
    if (mode == 1) {
      out[begin + i - 1] = static_cast<char>(byteAt(i - 1) | 0x80);
      out[begin + i - 2] = static_cast<char>(byteAt(i - 2) | 0x80);
      i -= 2;
      set += 2;
    } else {
      i -= 1;
    }
    mode = before;
  }
  return set;
}

}  // namespace

std::optional<std::string> SetEighthBit(std::string_view text) {
  std::string out(text);
  std::size_t stripped = 0;
  std::size_t set = 0;
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
    set += RestoreRun(out, i, end);
    i = end;
  }
  // Text that is mostly ASCII is not stripped Chinese: a few pairs that read
  // well are chance (an English "No" is a common character).
  if (set == 0 || set * 4 < stripped) {
    return std::nullopt;
  }
  return out;
}

}  // namespace vortane
