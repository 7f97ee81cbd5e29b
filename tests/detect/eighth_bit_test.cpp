#include "detect/eighth_bit.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "detect/ascii_pairs.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;

struct EighthBitCase {
  const char* name;
  std::string input;
  std::optional<std::string> output;
};

void PrintTo(const EighthBitCase& c, std::ostream* os) { *os << c.name; }

class EighthBit : public ::testing::TestWithParam<EighthBitCase> {};

TEST_P(EighthBit, SetsItWhereThePairsReadBetter) {
  const EighthBitCase& c = GetParam();
  const std::optional<std::string> out = SetEighthBit(c.input);
  ASSERT_EQ(out.has_value(), c.output.has_value());
  if (out) {
    EXPECT_EQ(testing::ToHex(*out), testing::ToHex(*c.output));
  }
}

// 中文 is D6 D0 CE C4 (stripped "VPND"), 文件 CE C4 BC FE ("ND<~"), ， A3 AC ("#,").
INSTANTIATE_TEST_SUITE_P(
    Cases, EighthBit,
    ::testing::Values(
        EighthBitCase{"WholeRun", "VPND", Hex("D6D0CEC4")},
        EighthBitCase{"LinesAndBlanksStay", "VPND\r\nND<~ ", Hex("D6D0CEC4 0D0A CEC4BCFE 20")},
        EighthBitCase{"FormatStaysAscii", "ND<~%s#,", Hex("CEC4BCFE") + "%s" + Hex("A3AC")},
        EighthBitCase{"EnglishStays", "No such file or directory", std::nullopt},
        EighthBitCase{"MostlyEnglish", "Please read VPND in the attached file", std::nullopt},
        EighthBitCase{"HighByte", "VPND\xD6", std::nullopt},
        EighthBitCase{"Empty", "", std::nullopt},
        EighthBitCase{"OnlyBlanks", " \r\n\t", std::nullopt}),
    [](const ::testing::TestParamInfo<EighthBitCase>& info) { return info.param.name; });

struct PairCase {
  const char* pair;
  bool reads;  // scores above 0
};

TEST(AsciiPairScore, WordsReadAndMixturesDoNot) {
  const PairCase cases[] = {{"fi", true},  {"Fi", true},  {"ID", true},  {"20", true},
                            {"aB", false}, {"a1", false}, {"1a", false}, {"#,", false},
                            {"<~", false}, {"~{", false}};
  for (const PairCase& c : cases) {
    const int score = AsciiPairScore(static_cast<unsigned char>(c.pair[0]),
                                     static_cast<unsigned char>(c.pair[1]));
    EXPECT_EQ(score > 0, c.reads) << c.pair << " scores " << score;
  }
  EXPECT_EQ(AsciiPairScore('e', ')'), 0) << "a closing sign after a word";
  EXPECT_EQ(AsciiPairScore('(', 'f'), 0) << "an opening sign before a word";
}

}  // namespace
}  // namespace vortane
