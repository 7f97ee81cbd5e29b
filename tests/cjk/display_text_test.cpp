#include "cjk/display_text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <string_view>

#include "cjk/code_tables.h"
#include "support/random_bytes.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

constexpr char16_t S(unsigned byte) { return static_cast<char16_t>(0xF700 + byte); }

std::string Name(TextCode code) { return code == TextCode::Big5 ? "Big5" : "GB"; }

bool TablesLoaded() { return !GbUnicodeTable().empty() && !Big5UnicodeTable().empty(); }

// Cases that hold whatever the code tables contain: 0x80 and 0xFF are no lead
// byte in either code.
struct ShowCase {
  const char* name;
  const char* hexBytes;
  std::u16string shown;
};

const ShowCase kTableFreeCases[] = {
    {"CrLfIsOneLineBreak", "61 0D0A 62", {u'a', 0x2029, u'b'}},
    {"BareLfIsLineSeparator", "61 0A 62", {u'a', 0x2028, u'b'}},
    {"LfCrIsTwoMarks", "0A 0D", {0x2028, S(0x0D)}},
    {"BareCrIsStandIn", "61 0D 62", {u'a', S(0x0D), u'b'}},
    {"TabShowsAsItself", "09 7E 20", {u'\t', u'~', u' '}},
    {"ControlBytesAndDelAreStandIns", "00 01 1B 7F", {S(0x00), S(0x01), S(0x1B), S(0x7F)}},
    {"LoneLeadAtEndIsStandIn", "61 B0", {u'a', S(0xB0)}},
    {"UnmappedPairWithAsciiTrailShowsTrail", "80 41", {S(0x80), u'A'}},
    {"UnmappedLeadBeforeCrLfKeepsLineBreak", "80 0D0A", {S(0x80), 0x2029}},
    {"UnmappedLeadBeforeBareCr", "80 0D 41", {S(0x80), S(0x0D), u'A'}},
    {"UnmappedPairOfHighBytesKeepsPairing", "FF FF FF", {S(0xFF), S(0xFF), S(0xFF)}},
    {"EmptyText", "", {}},
};

class DisplayTableFree : public ::testing::TestWithParam<TextCode> {};

TEST_P(DisplayTableFree, ShowsAndReadsBack) {
  for (const ShowCase& c : kTableFreeCases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = Hex(c.hexBytes);
    EXPECT_EQ(BytesToDisplayText(bytes, GetParam()), c.shown);
    EXPECT_EQ(ToHex(DisplayTextToBytes(c.shown, GetParam())), ToHex(bytes));
  }
}

TEST_P(DisplayTableFree, RandomStringsRoundTrip) {
  std::mt19937 random(20240517);
  // Mostly high bytes and line-end bytes, where the rules differ.
  using namespace std::string_view_literals;
  static constexpr std::string_view kInteresting =
      "\x0D\x0A\x09\x41\x7F\x80\xA1\xA4\xB0\xC9\xF9\xFE\xFF\x40\x7E\x01"sv;
  std::uniform_int_distribution<std::size_t> length(0, 300);
  for (int round = 0; round < 2000; ++round) {
    const std::string bytes =
        testing::RandomBytesFrom(random, length(random), kInteresting, kInteresting.size(), 0x01);
    const std::string back = DisplayTextToBytes(BytesToDisplayText(bytes, GetParam()), GetParam());
    ASSERT_EQ(ToHex(back), ToHex(bytes)) << "round " << round;
  }
}

TEST_P(DisplayTableFree, EveryDoubleByteCodeRoundTrips) {
  std::string all;
  for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
    for (unsigned trail = 0x00; trail <= 0xFF; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      // Between ASCII and before a line end, where a misread pair would show.
      const std::string bytes = "x" + pair + "\r\ny";
      ASSERT_EQ(ToHex(DisplayTextToBytes(BytesToDisplayText(bytes, GetParam()), GetParam())),
                ToHex(bytes));
      all += pair;
    }
  }
  EXPECT_EQ(DisplayTextToBytes(BytesToDisplayText(all, GetParam()), GetParam()), all);
}

TEST_P(DisplayTableFree, OnlyCharactersThatEncodeBackAreShown) {
  for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
    for (unsigned trail = 0x00; trail <= 0xFF; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string shown = BytesToDisplayText(pair, GetParam());
      if (shown.size() == 1) {
        ASSERT_EQ(ToHex(EncodeText(shown, GetParam())), ToHex(pair));
        ASSERT_EQ(DecodeText(pair, GetParam()), shown);
      } else {
        ASSERT_EQ(shown[0], S(lead)) << ToHex(pair);
      }
    }
  }
}

TEST_P(DisplayTableFree, CharactersTheCodeCannotHoldBecomeQuestionMarks) {
  // U+0E01 (Thai) is in neither code; U+1F600 is a surrogate pair.
  const std::u16string typed = {u'a', 0x0E01, u'b', 0xD83D, 0xDE00, u'c', 0xD83D};
  EXPECT_EQ(DisplayTextToBytes(typed, GetParam()), "a?b?c?");
  bool complete = true;
  EXPECT_EQ(EncodeText(typed, GetParam(), &complete), "a?b?c?");
  EXPECT_FALSE(complete);
  complete = true;
  EXPECT_EQ(EncodeText(u"plain ?", GetParam(), &complete), "plain ?");
  EXPECT_TRUE(complete);
}

TEST_P(DisplayTableFree, PlainDecodingReplacesUnmappedPairs) {
  EXPECT_EQ(DecodeText(Hex("61 0D0A 80 41 01 FF"), GetParam()),
            (std::u16string{u'a', u'\r', u'\n', 0xFFFD, 0x01, 0xFFFD}));
}

TEST_P(DisplayTableFree, ClipboardTextUsesDesktopLineEnds) {
  EXPECT_EQ(ClipboardTextFromBytes("a\r\nb\nc\rd", GetParam()), u"a\nb\nc\rd");
  EXPECT_EQ(BytesFromClipboardText(u"a\nb\r\nc\rd", GetParam()), "a\r\nb\r\nc\rd");
  EXPECT_EQ(BytesFromClipboardText(u"\n\n", GetParam()), "\r\n\r\n");
  EXPECT_EQ(BytesFromClipboardText(std::u16string{u'a', 0x2029, u'b', 0x2028}, GetParam()),
            "a\r\nb\n");
}

INSTANTIATE_TEST_SUITE_P(BothCodes, DisplayTableFree,
                         ::testing::Values(TextCode::Gb, TextCode::Big5),
                         [](const auto& info) { return Name(info.param); });

// Cases that need the real code tables.
struct CharacterCase {
  const char* name;
  TextCode code;
  const char* hexBytes;
  std::u16string shown;
};

const CharacterCase kCharacterCases[] = {
    {"GbFirstHanzi", TextCode::Gb, "B0A1", u"\u554A"},
    {"GbZhongWen", TextCode::Gb, "D6D0 CEC4", u"\u4E2D\u6587"},
    {"GbFullWidthComma", TextCode::Gb, "A3AC", u"\uFF0C"},
    {"Big5FirstHanzi", TextCode::Big5, "A440", u"\u4E00"},
    {"Big5ZhongWen", TextCode::Big5, "A4A4 A4E5", u"\u4E2D\u6587"},
    {"GbTrailBelowA1IsNotGb", TextCode::Gb, "B040", {S(0xB0), u'@'}},
    {"Big5HanziAcrossLineEnd", TextCode::Big5, "A440 0D0A A440", u"\u4E00\u2029\u4E00"},
};

TEST(DisplayCharacters, KnownCharactersShowAndReadBack) {
  if (!TablesLoaded()) {
    GTEST_SKIP() << "code tables not present";
  }
  for (const CharacterCase& c : kCharacterCases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = Hex(c.hexBytes);
    EXPECT_EQ(BytesToDisplayText(bytes, c.code), c.shown);
    EXPECT_EQ(ToHex(DisplayTextToBytes(c.shown, c.code)), ToHex(bytes));
  }
}

TEST(DisplayCharacters, TypedCharacterTakesTheFrameCode) {
  if (!TablesLoaded()) {
    GTEST_SKIP() << "code tables not present";
  }
  EXPECT_EQ(ToHex(DisplayTextToBytes(u"\u4E2D", TextCode::Gb)), "D6 D0");
  EXPECT_EQ(ToHex(DisplayTextToBytes(u"\u4E2D", TextCode::Big5)), "A4 A4");
  // Simplified form without a Big5 code.
  EXPECT_EQ(DisplayTextToBytes(u"\u8FD9", TextCode::Big5), "?");
  EXPECT_EQ(ToHex(BytesFromClipboardText(u"\u4E2D\n", TextCode::Gb)), "D6 D0 0D 0A");
}

TEST(DisplayCharacters, MostGbAndBig5CodesShowAsCharacters) {
  if (!TablesLoaded()) {
    GTEST_SKIP() << "code tables not present";
  }
  for (const TextCode code : {TextCode::Gb, TextCode::Big5}) {
    std::size_t shown = 0;
    for (unsigned lead = 0xA1; lead <= 0xFE; ++lead) {
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
        const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
        shown += BytesToDisplayText(pair, code).size() == 1 ? 1 : 0;
      }
    }
    // GB 2312 has 7445 characters, Big5 13000-odd; a few are ambiguous.
    EXPECT_GT(shown, code == TextCode::Gb ? 7000u : 13000u) << Name(code);
  }
}

}  // namespace
}  // namespace vortane
