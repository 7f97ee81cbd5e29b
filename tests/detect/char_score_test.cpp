#include "detect/char_score.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>

#include "detect/char_frequency_data.h"
#include "detect/code_points.h"
#include "detect/text_score.h"

namespace vortane {
namespace {

struct ScoreCase {
  const char* name;
  char32_t point;
  int least;
  int most;
};

void PrintTo(const ScoreCase& c, std::ostream* os) { *os << c.name; }

class CharScores : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(CharScores, FallInTheirClassRange) {
  const ScoreCase& c = GetParam();
  const int score = CharScore(c.point);
  EXPECT_GE(score, c.least);
  EXPECT_LE(score, c.most);
}

INSTANTIATE_TEST_SUITE_P(
    Classes, CharScores,
    ::testing::Values(
        ScoreCase{"AsciiLetter", U'a', 0, 0}, ScoreCase{"LineFeed", U'\n', 0, 0},
        ScoreCase{"Tab", U'\t', 0, 0},
        ScoreCase{"Control", 0x01, kBrokenCharScore, kBrokenCharScore},
        ScoreCase{"Delete", 0x7F, kBrokenCharScore, kBrokenCharScore},
        ScoreCase{"C1Control", 0x85, kBrokenCharScore, kBrokenCharScore},
        ScoreCase{"PrivateUse", 0xE000, kBrokenCharScore, kBrokenCharScore},
        ScoreCase{"Replacement", 0xFFFD, kBrokenCharScore, kBrokenCharScore},
        ScoreCase{"NonCharacter", 0xFDD0, kBrokenCharScore, kBrokenCharScore},
        ScoreCase{"PastUnicode", 0x110000, kBrokenCharScore, kBrokenCharScore},
        ScoreCase{"CommonestCharacter", U'的', 400, 500},
        ScoreCase{"TraditionalCommon", U'國', 100, 500},
        ScoreCase{"IdeographicComma", U'，', 100, 250}, ScoreCase{"FullStop", U'。', 100, 250},
        ScoreCase{"RareLevelOne", U'蹕', -150, -100}, ScoreCase{"ExtensionB", 0x2A6A5, -150, -150},
        ScoreCase{"AccentedLatin", U'é', -300, -100}, ScoreCase{"Katakana", U'ン', -300, -100},
        ScoreCase{"Hangul", U'한', -300, -100}),
    [](const ::testing::TestParamInfo<ScoreCase>& info) { return info.param.name; });

TEST(HongKongScore, LiftsOnlyTheHongKongAdditions) {
  EXPECT_TRUE(IsHongKongAddition(U'嘅'));   // Big5-HKSCS 9DEF, not in Big5
  EXPECT_FALSE(IsHongKongAddition(U'蹕'));  // Big5 C2DE
  EXPECT_FALSE(IsHongKongAddition(U'中'));
  EXPECT_FALSE(IsHongKongAddition(U'ｱ'));
  EXPECT_LT(CharScore(U'嘅'), -100) << "the Mandarin table lacks it";
  EXPECT_EQ(HongKongScore(U'嘅'), -100);
  EXPECT_EQ(HongKongScore(U'蹕'), CharScore(U'蹕'));
  EXPECT_EQ(HongKongScore(U'的'), CharScore(U'的'));
}

TEST(CharFrequencyTable, SortedUniqueWithKnownRows) {
  using char_frequency_data::FrequencyRow;
  using char_frequency_data::kFrequencyRows;
  EXPECT_EQ(std::size(kFrequencyRows), 11100u);
  EXPECT_TRUE(std::adjacent_find(std::begin(kFrequencyRows), std::end(kFrequencyRows),
                                 [](const FrequencyRow& a, const FrequencyRow& b) {
                                   return a.point >= b.point;
                                 }) == std::end(kFrequencyRows));
  const auto heaviest = std::max_element(
      std::begin(kFrequencyRows), std::end(kFrequencyRows),
      [](const FrequencyRow& a, const FrequencyRow& b) { return a.weight < b.weight; });
  EXPECT_EQ(heaviest->point, U'的');
  EXPECT_TRUE(std::all_of(std::begin(kFrequencyRows), std::end(kFrequencyRows),
                          [](const FrequencyRow& r) { return r.point >= 0x80 && r.weight > 0; }));
}

struct TextCase {
  const char* name;
  const char* better;
  const char* worse;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class TextScores : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextScores, RealTextOutscoresItsGarbling) {
  const TextCase& c = GetParam();
  EXPECT_GT(ScoreText(c.better).points, ScoreText(c.worse).points);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, TextScores,
    ::testing::Values(
        // GB 中文邮件 read as Big5, Big5 中文郵件 read as GB, UTF-8 中文 read as GB.
        TextCase{"GbOverBig5Reading", "中文邮件", "笢恅衂璃"},
        TextCase{"Big5OverGbReading", "中文郵件", "いゅ秎ン"},
        TextCase{"Utf8OverGbReading", "中文", "涓枃"},
        TextCase{"TextOverReplacement", "中文", "中\xEF\xBF\xBD"},
        TextCase{"TextOverBadUtf8", "中文", "中\xFF"},
        // GBK 罗玥 (C2DE AB68) read as Big5: 則 is common, 玥 rare; a name
        // standing alone among English still reads best.
        TextCase{"NameOverItsBig5Reading", " -罗玥-no-rename", " -蹕則-no-rename"},
        TextCase{"TraditionalNameOverItsGbReading", "張瑄 reset", "眎薇 reset"},
        // A Japanese bounce line in GBK, and the same bytes read as Big5.
        TextCase{"JapaneseInGbOverBig5Reading", "次の受信者またはグループへの配信に失敗しました",
                 "棒及忳陓氪引凶反弘伙奈皿尺及饜陓卞囮㷍仄引仄凶"}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return info.param.name; });

// The sum of CharScore over the characters of `utf8`.
std::int64_t PlainSum(std::string_view utf8) {
  std::int64_t sum = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    sum += CharScore(NextCodePoint(utf8, pos));
  }
  return sum;
}

struct LiftCase {
  const char* name;
  const char* text;
  bool lifted;  // scores above the plain sum of its characters
};

void PrintTo(const LiftCase& c, std::ostream* os) { *os << c.name; }

class Lifts : public ::testing::TestWithParam<LiftCase> {};

TEST_P(Lifts, OnlyStandAloneNamesAndKanaAmongCommonIdeographs) {
  const LiftCase& c = GetParam();
  const std::int64_t points = ScoreText(c.text).points;
  if (c.lifted) {
    EXPECT_GT(points, PlainSum(c.text));
  } else {
    EXPECT_EQ(points, PlainSum(c.text));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Lifts,
    ::testing::Values(LiftCase{"NameAmongAscii", "From: 孙璟 <x@y>", true},
                      LiftCase{"ThreeCharacterName", "李旻璟，你好", true},
                      LiftCase{"NameAtTheEnds", "朱珺", true},
                      LiftCase{"NoSurnameFirst", "From: 璟孙 <x@y>", false},
                      LiftCase{"RunTooLongForAName", "孙璟璟璟 ok", false},
                      LiftCase{"SurnameAlone", "孙 ok", false},
                      LiftCase{"JapaneseLine", "次の受信者またはグループへの配信に失敗しました",
                               true},
                      // Big5 中文郵件 read as GB: three kana, but among rare ideographs.
                      LiftCase{"KanaOfBig5ReadAsGb", "いゅ秎ン", false},
                      LiftCase{"TwoKana", "東京へ行く。", false}),
    [](const ::testing::TestParamInfo<LiftCase>& info) { return info.param.name; });

TEST(ReadsAsChinese, NeedsAnIdeographAndNoRunOfRareOnes) {
  EXPECT_TRUE(ReadsAsChinese(ScoreText("文件 %s")));
  EXPECT_FALSE(ReadsAsChinese(ScoreText("plain ASCII text")));
  EXPECT_FALSE(ReadsAsChinese(ScoreText("，。")));         // punctuation alone
  EXPECT_FALSE(ReadsAsChinese(ScoreText("𪚥𪚥𪚥 text")));  // a run of rare ones
}

struct Utf8Case {
  const char* name;
  std::string text;
  bool wellFormed;
};

void PrintTo(const Utf8Case& c, std::ostream* os) { *os << c.name; }

class Utf8Forms : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Forms, AreCheckedAndWalked) {
  const Utf8Case& c = GetParam();
  EXPECT_EQ(IsUtf8(c.text), c.wellFormed);
  // Walking never stalls, and re-writing the points gives well-formed text back.
  std::string again;
  std::size_t pos = 0;
  while (pos < c.text.size()) {
    const std::size_t before = pos;
    const char32_t point = NextCodePoint(c.text, pos);
    ASSERT_GT(pos, before);
    AppendUtf8(again, point == kNotUtf8 ? 0xFFFD : point);
  }
  EXPECT_TRUE(IsUtf8(again));
  if (c.wellFormed) {
    EXPECT_EQ(again, c.text);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Forms,
    ::testing::Values(Utf8Case{"Ascii", "abc", true}, Utf8Case{"ThreeBytes", "中文", true},
                      Utf8Case{"FourBytes", "\xF0\xA0\xAE\xB7", true},
                      Utf8Case{"Overlong", "\xC0\xAF", false},
                      Utf8Case{"OverlongThree", "\xE0\x80\xAF", false},
                      Utf8Case{"Surrogate", "\xED\xA0\x80", false},
                      Utf8Case{"PastUnicode", "\xF4\x90\x80\x80", false},
                      Utf8Case{"Cut", "\xE4\xB8", false}, Utf8Case{"StrayTrail", "\x80", false},
                      Utf8Case{"LeadThenAscii",
                               "\xE4"
                               "a",
                               false}),
    [](const ::testing::TestParamInfo<Utf8Case>& info) { return info.param.name; });

TEST(AppendUtf8, WritesReplacementForNonScalars) {
  std::string out;
  AppendUtf8(out, 0xD800);
  AppendUtf8(out, 0x110000);
  EXPECT_EQ(out, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vortane
