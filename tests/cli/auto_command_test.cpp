#include "cli/auto_command.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;

struct TargetCase {
  const char* name;
  std::string label;
  bool known;
  AutoTarget::Kind kind;
  Charset charset;
};

void PrintTo(const TargetCase& c, std::ostream* os) { *os << c.name; }

class AutoTargets : public ::testing::TestWithParam<TargetCase> {};

TEST_P(AutoTargets, NameWhatTheReadingIsWrittenIn) {
  const TargetCase& c = GetParam();
  const std::optional<AutoTarget> target = AutoTargetFor(c.label);
  ASSERT_EQ(target.has_value(), c.known);
  if (target) {
    EXPECT_EQ(target->kind, c.kind);
    if (c.kind == AutoTarget::Kind::Charset) {
      EXPECT_EQ(target->charset, c.charset);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Labels, AutoTargets,
    ::testing::Values(
        TargetCase{"Utf8Short", "utf8", true, AutoTarget::Kind::Utf8, Charset::Utf8},
        TargetCase{"Utf8Label", "UTF-8", true, AutoTarget::Kind::Utf8, Charset::Utf8},
        TargetCase{"ConverterGb", "GB", true, AutoTarget::Kind::ConverterGb, Charset::Utf8},
        TargetCase{"ConverterBig5", "big5", true, AutoTarget::Kind::ConverterBig5, Charset::Utf8},
        TargetCase{"Gb18030", "gb18030", true, AutoTarget::Kind::Charset, Charset::Gb18030},
        TargetCase{"Big5Hkscs", "big5-hkscs", true, AutoTarget::Kind::Charset, Charset::Big5Hkscs},
        TargetCase{"Unknown", "latin-1", false, AutoTarget::Kind::Utf8, Charset::Utf8},
        TargetCase{"Empty", "", false, AutoTarget::Kind::Utf8, Charset::Utf8}),
    [](const ::testing::TestParamInfo<TargetCase>& info) { return info.param.name; });

struct WriteCase {
  const char* name;
  std::string text;
  std::string label;
  std::string bytes;
  std::size_t unwritable;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class Writes : public ::testing::TestWithParam<WriteCase> {};

TEST_P(Writes, KeepSimplifiedAndTraditionalAsTheyAre) {
  const WriteCase& c = GetParam();
  const std::optional<AutoTarget> target = AutoTargetFor(c.label);
  ASSERT_TRUE(target.has_value());
  const AutoOutput out = WriteReading(Reading{{}, Charset::Utf8, 1.0, c.text}, *target);
  EXPECT_EQ(testing::ToHex(out.bytes), testing::ToHex(c.bytes));
  EXPECT_EQ(out.unwritable, c.unwritable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Writes,
    ::testing::Values(WriteCase{"Utf8AsItIs", "中文 a", "utf8", "中文 a", 0},
                      WriteCase{"ConverterGb", "中文 a", "gb", Hex("D6D0CEC4") + " a", 0},
                      // 國 stays traditional: GB 2312 has no such character.
                      WriteCase{"ConverterGbTraditional", "中國", "gb", Hex("D6D0") + "?", 1},
                      WriteCase{"ConverterBig5", "中國", "big5", Hex("A4A4B0EA"), 0},
                      WriteCase{"ConverterBig5Simplified", "国", "big5", "?", 1},
                      WriteCase{"Gb18030Traditional", "國", "gb18030", Hex("87F8"), 0},
                      WriteCase{"Big5HkscsHangul", "한", "big5-hkscs", "?", 1}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

TEST(ReadingsJson, EscapesAndListsTheChainWithTheCodeLast) {
  const std::vector<Reading> readings = {
      Reading{{RepairStep::Base64}, Charset::Gb18030, 12.345, "中\"\\\n\x01"},
      Reading{{}, Charset::Big5Hkscs, -1.5, "x"}};
  EXPECT_EQ(ReadingsJson(readings),
            "[\n"
            "  {\"steps\": [\"Base64\", \"GB18030\"], \"score\": 12.35, \"text\": "
            "\"中\\\"\\\\\\n\\u0001\"},\n"
            "  {\"steps\": [\"Big5-HKSCS\"], \"score\": -1.50, \"text\": \"x\"}\n"
            "]\n");
  EXPECT_EQ(ReadingsJson({}), "[]\n");
}

TEST(ReadingsList, OneLineEachWithTheTextOnOneLine) {
  const std::vector<Reading> readings = {
      Reading{{RepairStep::Hz}, Charset::Gb18030, 3.0, "第一行\r\n第二行"}};
  EXPECT_EQ(ReadingsList(readings), "3.00\tHZ, then GB18030\t第一行  第二行\n");
}

}  // namespace
}  // namespace vortane
