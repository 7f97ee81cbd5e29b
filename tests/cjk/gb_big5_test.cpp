#include "cjk/gb_big5.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <random>
#include <set>
#include <string>

#include "cjk/code_tables.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

enum class Direction { GbToBig5, Big5ToGb };

std::string Convert(Direction direction, std::string_view text) {
  return direction == Direction::GbToBig5 ? ConvertGbToBig5Text(text) : ConvertBig5ToGbText(text);
}

struct GbBig5Case {
  const char* name;
  Direction direction;
  std::string input;
  std::string expected;
};

void PrintTo(const GbBig5Case& c, std::ostream* os) { *os << c.name; }

class GbBig5Text : public ::testing::TestWithParam<GbBig5Case> {};

TEST_P(GbBig5Text, ConvertsToItsBytes) {
  const GbBig5Case& c = GetParam();
  EXPECT_EQ(ToHex(Convert(c.direction, c.input)), ToHex(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GbBig5Text,
    ::testing::Values(
        GbBig5Case{"Empty", Direction::GbToBig5, "", ""},
        GbBig5Case{"AsciiIsCopied", Direction::Big5ToGb, "plain text, 42 of it\r\n",
                   "plain text, 42 of it\r\n"},
        GbBig5Case{"GbToBig5", Direction::GbToBig5, Hex("D6D0 B9FA"), Hex("A4A4 B0EA")},
        GbBig5Case{"Big5ToGb", Direction::Big5ToGb, Hex("A4A4 B0EA"), Hex("D6D0 B9FA")},
        GbBig5Case{"Big5TrailMayBeAnAsciiLetter", Direction::GbToBig5, Hex("C4E3 BAC3"),
                   Hex("A741 A66E")},
        GbBig5Case{"Big5AsciiTrailIsReadAsTrail", Direction::Big5ToGb, Hex("A741 A66E"),
                   Hex("C4E3 BAC3")},
        GbBig5Case{"ThereAndBackNeedNotReturn", Direction::GbToBig5, Hex("D7C5"), Hex("B5DB")},
        GbBig5Case{"SharedBig5CodeTakesFirstGbRow", Direction::Big5ToGb, Hex("B5DB"), Hex("D6F8")},
        GbBig5Case{"IdeographicSpaceIsNotInTheTable", Direction::GbToBig5, Hex("A1A1"),
                   Hex("A1A1")},
        GbBig5Case{"KanaPassesUnchanged", Direction::GbToBig5, Hex("A4A2 A5A2"), Hex("A4A2 A5A2")},
        GbBig5Case{"LoneLastLeadByteIsKept", Direction::GbToBig5, Hex("41 D6D0 D6"),
                   Hex("41 A4A4 D6")},
        GbBig5Case{"HighByteTakesTheAsciiByteAfterIt", Direction::GbToBig5, Hex("C441 D6D0"),
                   Hex("C441 A4A4")},
        GbBig5Case{"ConvertedTextIsConvertedAgain", Direction::GbToBig5, Hex("A4A4"), Hex("A4A4")},
        GbBig5Case{"AsciiAroundCharactersStaysInPlace", Direction::GbToBig5,
                   "a long line of ASCII first" + Hex("D6D0") + "and then more ASCII",
                   "a long line of ASCII first" + Hex("A4A4") + "and then more ASCII"}),
    [](const ::testing::TestParamInfo<GbBig5Case>& info) { return std::string(info.param.name); });

// The Unicode character of each GB (text form) and Big5 code.
std::map<std::uint32_t, std::uint32_t> CharactersOf(std::span<const CodePair> table,
                                                    std::uint32_t offset) {
  std::map<std::uint32_t, std::uint32_t> characters;
  for (const CodePair& row : table) {
    characters.emplace(row.first + offset, row.second);
  }
  return characters;
}

// A GB code comes back from Big5 when its row pairs the same character and no
// earlier row (which would win the way back) holds the same Big5 code.
TEST(GbBig5Property, GbCodeOfTheSameCharacterAsItsBig5CodeComesBack) {
  const auto gbCharacters = CharactersOf(GbUnicodeTable(), 0x8080);
  const auto big5Characters = CharactersOf(Big5UnicodeTable(), 0);
  std::set<std::uint32_t> big5Seen;
  std::size_t checked = 0;
  for (const CodePair& row : GbBig5Table()) {
    if (!big5Seen.insert(row.second).second) {
      continue;
    }
    const auto gb = gbCharacters.find(row.first);
    const auto big5 = big5Characters.find(row.second);
    if (gb == gbCharacters.end() || big5 == big5Characters.end() || gb->second != big5->second) {
      continue;
    }
    const std::string text = {static_cast<char>(row.first >> 8),
                              static_cast<char>(row.first & 0xFF)};
    EXPECT_EQ(ToHex(ConvertBig5ToGbText(ConvertGbToBig5Text(text))), ToHex(text));
    ++checked;
  }
  EXPECT_GT(checked, 4000u);
}

// Random text of ASCII runs and codes from both columns of the GB-Big5 table
// and outside it, converted as a whole and character by character through the
// lookup.
TEST(GbBig5Property, TextConvertsAsItsCharactersLookedUpOneByOne) {
  const auto rows = GbBig5Table();
  ASSERT_FALSE(rows.empty());
  std::mt19937 rng(3);
  std::uniform_int_distribution<std::size_t> row(0, rows.size() - 1);
  std::uniform_int_distribution<int> kind(0, 9);
  std::uniform_int_distribution<int> ascii(0x01, 0x7F);
  std::uniform_int_distribution<int> high(0x80, 0xFF);
  std::uniform_int_distribution<int> any(0x00, 0xFF);
  std::uniform_int_distribution<int> runLength(1, 40);
  for (const Direction direction : {Direction::GbToBig5, Direction::Big5ToGb}) {
    const auto lookup = direction == Direction::GbToBig5 ? LookupGbToBig5 : LookupBig5ToGb;
    std::string text;
    std::string expected;
    for (int k = 0; k < 20000; ++k) {
      const int pick = kind(rng);
      if (pick < 2) {
        const int run = runLength(rng);
        for (int j = 0; j < run; ++j) {
          text.push_back(static_cast<char>(ascii(rng)));
          expected.push_back(text.back());
        }
        continue;
      }
      const std::uint32_t code = pick < 5   ? rows[row(rng)].first
                                 : pick < 8 ? rows[row(rng)].second
                                            : static_cast<std::uint32_t>(high(rng) << 8 | any(rng));
      const std::uint32_t converted = lookup(code).value_or(static_cast<std::uint16_t>(code));
      text.push_back(static_cast<char>(code >> 8));
      text.push_back(static_cast<char>(code & 0xFF));
      expected.push_back(static_cast<char>(converted >> 8));
      expected.push_back(static_cast<char>(converted & 0xFF));
    }
    const std::string converted = Convert(direction, text);
    ASSERT_EQ(converted.size(), text.size());
    EXPECT_TRUE(converted == expected) << "direction " << static_cast<int>(direction);
  }
}

}  // namespace
}  // namespace vortane
