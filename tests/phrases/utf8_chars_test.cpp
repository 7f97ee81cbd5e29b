#include "phrases/utf8_chars.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "phrases/phrase_config.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;

struct DecodeCase {
  const char* name;
  std::string bytes;
  char32_t point;
  std::size_t length;  // 0: not a well-formed sequence
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class Utf8Decoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Utf8Decoding, TakesOnlyWellFormedSequences) {
  const DecodeCase& c = GetParam();
  const Utf8Char decoded = DecodeUtf8Char(c.bytes);
  EXPECT_EQ(decoded.length, c.length);
  if (c.length != 0) {
    EXPECT_EQ(decoded.point, c.point);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8Decoding,
                         ::testing::Values(DecodeCase{"Empty", "", 0, 0},
                                           DecodeCase{"Zero", std::string(1, '\0'), 0, 1},
                                           DecodeCase{"Ascii", "Az", U'A', 1},
                                           DecodeCase{"TwoBytes", Hex("C3A9"), 0xE9, 2},
                                           DecodeCase{"ThreeBytes", Hex("E4B8AD 41"), 0x4E2D, 3},
                                           DecodeCase{"FourBytes", Hex("F0A08080"), 0x20000, 4},
                                           DecodeCase{"Highest", Hex("F48FBFBF"), 0x10FFFF, 4},
                                           DecodeCase{"StrayContinuation", Hex("80"), 0, 0},
                                           DecodeCase{"OverlongTwo", Hex("C080"), 0, 0},
                                           DecodeCase{"OverlongThree", Hex("E08080"), 0, 0},
                                           DecodeCase{"OverlongFour", Hex("F0808080"), 0, 0},
                                           DecodeCase{"Surrogate", Hex("EDA080"), 0, 0},
                                           DecodeCase{"AboveUnicode", Hex("F4908080"), 0, 0},
                                           DecodeCase{"FiveByteLead", Hex("F888808080"), 0, 0},
                                           DecodeCase{"CutShort", Hex("E4B8"), 0, 0},
                                           DecodeCase{"AsciiForContinuation", Hex("E441AD"), 0, 0}),
                         [](const ::testing::TestParamInfo<DecodeCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(Utf8Chars, EncodingRoundTripsAtEveryLengthBoundary) {
  const std::u32string points = {0,      0x7F,   0x80,   0x7FF,   0x800,
                                 0xD7FF, 0xE000, 0xFFFF, 0x10000, 0x10FFFF};
  const std::string text = PointsToUtf8(points);
  EXPECT_EQ(text.size(), 1 + 1 + 2 + 2 + 3 + 3 + 3 + 3 + 4 + 4u);
  std::u32string back;
  EXPECT_TRUE(Utf8ToPoints(text, back));
  EXPECT_EQ(back, points);
  EXPECT_FALSE(
      Utf8ToPoints("ab\xFF"
                   "c",
                   back));
  EXPECT_EQ(back, U"ab");
}

TEST(PhraseConfigNames, RoundTripAndRegions) {
  for (const PhraseConfig config : PhraseConfigs()) {
    EXPECT_EQ(PhraseConfigForName(PhraseConfigName(config)), config);
  }
  for (const char* unknown : {"", "s2t", "S2TW", "s2tw.json", "tw"}) {
    EXPECT_EQ(PhraseConfigForName(unknown), std::nullopt) << unknown;
  }
  struct Row {
    const char* region;
    PhraseConfig toTraditional;
    PhraseConfig toSimplified;
  };
  for (const Row& row : {Row{"tw", PhraseConfig::S2tw, PhraseConfig::Tw2s},
                         Row{"twp", PhraseConfig::S2twp, PhraseConfig::Tw2sp},
                         Row{"hk", PhraseConfig::S2hk, PhraseConfig::Hk2s}}) {
    const auto region = PhraseRegionForName(row.region);
    ASSERT_TRUE(region) << row.region;
    EXPECT_EQ(PhraseRegionName(*region), row.region);
    EXPECT_EQ(ToTraditionalConfig(*region), row.toTraditional);
    EXPECT_EQ(ToSimplifiedConfig(*region), row.toSimplified);
    EXPECT_TRUE(ConvertsToTraditional(row.toTraditional));
    EXPECT_FALSE(ConvertsToTraditional(row.toSimplified));
  }
  EXPECT_EQ(PhraseRegionForName("TW"), std::nullopt);
}

}  // namespace
}  // namespace vortane
