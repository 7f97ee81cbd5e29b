#include "cjk/utf7.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "support/level_check.h"
#include "support/random_bytes.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::ExpectBlockSizeIndependent;
using testing::Hex;
using testing::RunStream;
using testing::ToHex;

constexpr std::string_view kBase64 =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

StreamStatus Utf7Stream(ByteReader& in, ByteWriter& out) { return DecodeUtf7Stream(in, out); }

// The run rule read literally: positions and one byte of look-ahead, groups
// taken value by value, each group's bytes written when the run goes on or
// ends after it.
std::string ReferenceUtf7ToUnits(std::string_view text) {
  const std::size_t n = text.size();
  auto alphabet = [&](std::size_t j) { return j < n && kBase64.find(text[j]) != kBase64.npos; };
  auto value = [&](std::size_t j) { return static_cast<int>(kBase64.find(text[j])); };
  std::string out;
  auto put = [&](int byte) { out.push_back(static_cast<char>(byte & 0xFF)); };
  std::size_t i = 0;
  while (i < n) {
    const char x = text[i++];
    if (x != '+') {
      put(0), put(x);
      continue;
    }
    if (i < n && text[i] == '-') {
      put(0), put('+');
      ++i;
      continue;
    }
    while (alphabet(i)) {
      const int a = value(i++);
      if (!alphabet(i)) break;
      const int b = value(i++);
      if (!alphabet(i)) {
        put(a * 4 + b / 16);
        break;
      }
      const int c = value(i++);
      if (!alphabet(i)) {
        put(a * 4 + b / 16), put((b % 16) * 16 + c / 4);
        break;
      }
      const int d = value(i++);
      put(a * 4 + b / 16), put((b % 16) * 16 + c / 4), put((c % 4) * 64 + d);
    }
    if (i < n && text[i] == '-') {
      ++i;
    }
  }
  return out;
}

// Standard UTF-7 of 16-bit units: printable ASCII other than "+" directly,
// "+" as "+-", every other stretch as a Base64 run closed by "-".
std::string EncodeUtf7(const std::vector<std::uint16_t>& units) {
  std::string text;
  std::size_t k = 0;
  while (k < units.size()) {
    const std::uint16_t u = units[k];
    if (u == '+') {
      text += "+-";
      ++k;
    } else if (u >= 0x20 && u < 0x7F) {
      text.push_back(static_cast<char>(u));
      ++k;
    } else {
      std::string bytes;
      while (k < units.size() && !(units[k] >= 0x20 && units[k] < 0x7F)) {
        bytes.push_back(static_cast<char>(units[k] >> 8));
        bytes.push_back(static_cast<char>(units[k] & 0xFF));
        ++k;
      }
      text.push_back('+');
      std::uint32_t bits = 0;
      int count = 0;
      for (const char c : bytes) {
        bits = bits << 8 | static_cast<unsigned char>(c);
        count += 8;
        while (count >= 6) {
          count -= 6;
          text.push_back(kBase64[(bits >> count) & 0x3F]);
        }
      }
      if (count > 0) {
        text.push_back(kBase64[(bits << (6 - count)) & 0x3F]);
      }
      text.push_back('-');
    }
  }
  return text;
}

struct UnitsCase {
  const char* name;
  std::string input;
  std::string units;
};

void PrintTo(const UnitsCase& c, std::ostream* os) { *os << c.name; }

class Utf7Units : public ::testing::TestWithParam<UnitsCase> {};

TEST_P(Utf7Units, TextAndStreamGiveTheUnits) {
  const UnitsCase& c = GetParam();
  EXPECT_EQ(ToHex(Utf7ToUnits(c.input)), ToHex(c.units));
  EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(Utf7Stream, c.input)), ToHex(c.units));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf7Units,
    ::testing::Values(
        UnitsCase{"Empty", "", ""},
        UnitsCase{"OrdinaryBytesBecomeUnits", "A\r\n\x80", Hex("0041 000D 000A 0080")},
        UnitsCase{"RunClosedByDash", "+ZeVnLIqe-", Hex("65E5 672C 8A9E")},
        UnitsCase{"RunOfAsciiUnits", "+AGEAYgBj", Hex("0061 0062 0063")},
        UnitsCase{"PlusDashIsPlus", "A+-B", Hex("0041 002B 0042")},
        UnitsCase{"RunEndedByFullStopKeepsIt", "+ZeVn.x", Hex("65E567 002E 0078")},
        UnitsCase{"RunEndedByLineBreakKeepsIt", "+ZeVnLA\r\n", Hex("65E5 672C 000D 000A")},
        UnitsCase{"PlusBeforeSpaceIsEmptyRun", "1+ 1", Hex("0031 0020 0031")},
        UnitsCase{"PlusAtTheEndGivesNothing", "A+", Hex("0041")},
        UnitsCase{"TwoValuesGiveOneByte", "+ZQ-A", Hex("65 0041")},
        UnitsCase{"ThreeValuesGiveTwoBytes", "+ZeU-A", Hex("65E5 0041")},
        UnitsCase{"OneValueGivesNothing", "+Z-A", Hex("0041")},
        UnitsCase{"PlusIsAnAlphabetByteInsideARun", "++-B", Hex("0042")},
        UnitsCase{"SecondDashAfterRunIsOrdinary", "+AGE--", Hex("0061 002D")},
        UnitsCase{"RunCutByTheEnd", "+ZeVnLI", Hex("65E5 672C")},
        UnitsCase{"HighByteEndsARun", "+AGE\xE4", Hex("0061 00E4")}),
    [](const ::testing::TestParamInfo<UnitsCase>& info) { return std::string(info.param.name); });

struct TextCase {
  const char* name;
  std::string input;
  TextCode code;
  std::string expected;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class Utf7Text : public ::testing::TestWithParam<TextCase> {};

TEST_P(Utf7Text, DecodesToTheWholeResult) {
  const TextCase& c = GetParam();
  EXPECT_EQ(ToHex(DecodeUtf7Text(c.input, c.code)), ToHex(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf7Text,
    ::testing::Values(TextCase{"Empty", "", TextCode::Gb, ""},
                      TextCase{"FoundAndMissingCharactersInGb", "Hi +ZeVnLIqe-!", TextCode::Gb,
                               "Hi " + Hex("C8D5 B1BE 8A9E") + "!"},
                      TextCase{"FoundCharactersInBig5", "Hi +ZeVnLIqe-!", TextCode::Big5,
                               "Hi " + Hex("A4E9 A5BB BB79") + "!"},
                      TextCase{"PlusDash", "1 +- 1", TextCode::Gb, "1 + 1"},
                      TextCase{"AsciiUnitsBecomeSingleBytes", "+AGEAYgBj", TextCode::Big5, "abc"},
                      TextCase{"KeepsAFinalLineBreak", "+ZeVnLA-\r\n", TextCode::Gb,
                               Hex("C8D5 B1BE 0D0A")},
                      TextCase{"KeepsTheLastCharacter", "+ZeVnLA-", TextCode::Gb, Hex("C8D5 B1BE")},
                      TextCase{"KeepsALoneLastByte", "+ZeVn", TextCode::Gb, Hex("C8D5 67")},
                      TextCase{"ZeroUnitGivesZeroByte", "+AAA-A", TextCode::Gb, Hex("00 41")}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

struct UnitsToTextCase {
  const char* name;
  std::string units;
  TextCode code;
  std::string expected;
};

void PrintTo(const UnitsToTextCase& c, std::ostream* os) { *os << c.name; }

class Utf7UnitsToText : public ::testing::TestWithParam<UnitsToTextCase> {};

TEST_P(Utf7UnitsToText, GivesItsBytes) {
  const UnitsToTextCase& c = GetParam();
  EXPECT_EQ(ToHex(UnitsToText(c.units, c.code)), ToHex(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf7UnitsToText,
    ::testing::Values(
        UnitsToTextCase{"ZeroHighByteGivesLowByte", Hex("0041 00E9 000D"), TextCode::Gb,
                        Hex("41 E9 0D")},
        UnitsToTextCase{"FoundUnitGivesItsCode", Hex("4E2D"), TextCode::Big5, Hex("A4A4")},
        UnitsToTextCase{"MissingUnitGivesItsBytes", Hex("AC00"), TextCode::Gb, Hex("AC00")},
        UnitsToTextCase{"LoneLastByteIsKept", Hex("4E2D 4E"), TextCode::Gb, Hex("D6D0 4E")},
        UnitsToTextCase{"LoneLastZeroIsKept", Hex("0041 00"), TextCode::Gb, Hex("41 00")}),
    [](const ::testing::TestParamInfo<UnitsToTextCase>& info) {
      return std::string(info.param.name);
    });

TEST(Utf7Property, EncodedUnitsDecodeBackInAnyBlockSize) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> kind(0, 5);
  std::uniform_int_distribution<int> ascii(0x20, 0x7E);
  std::uniform_int_distribution<int> any(0, 0xFFFF);
  std::uniform_int_distribution<int> length(0, 60);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::uint16_t> units;
    std::string expected;
    const int count = length(rng);
    for (int k = 0; k < count; ++k) {
      const int pick = kind(rng);
      const auto u = static_cast<std::uint16_t>(pick < 2    ? ascii(rng)
                                                : pick == 2 ? (k % 2 == 0 ? '\r' : '\n')
                                                : pick == 3 ? '+'
                                                            : any(rng));
      units.push_back(u);
      expected.push_back(static_cast<char>(u >> 8));
      expected.push_back(static_cast<char>(u & 0xFF));
    }
    const std::string text = EncodeUtf7(units);
    ASSERT_EQ(ToHex(ExpectBlockSizeIndependent(Utf7Stream, text)), ToHex(expected)) << text;
  }
}

TEST(Utf7Reference, RandomBytesDecodeAsTheRunRuleSays) {
  using namespace std::string_view_literals;
  static constexpr std::string_view kPicks = "++--AZaz09/. \r\n\x80\xE4\0=Q"sv;
  std::mt19937 rng(5);
  std::uniform_int_distribution<std::size_t> length(0, 80);
  std::uniform_int_distribution<std::size_t> block(1, 9);
  for (int round = 0; round < 3000; ++round) {
    const std::string input = testing::RandomBytesFrom(rng, length(rng), kPicks);
    const std::string expected = ReferenceUtf7ToUnits(input);
    ASSERT_EQ(ToHex(Utf7ToUnits(input)), ToHex(expected)) << input;
    ASSERT_EQ(ToHex(RunStream(Utf7Stream, input, block(rng))), ToHex(expected)) << input;
  }
}

StreamStatus Utf7AtLevel(SimdLevel level, ByteReader& in, ByteWriter& out) {
  Utf7Decoder decoder;
  decoder.simd = level;
  return PumpStream(decoder, in, out);
}

TEST(Utf7FastPaths, GiveThePlainUnits) {
  std::mt19937 rng(24);
  for (int round = 0; round < 400; ++round) {
    // Runs of every length between words, closed by "-" or by any other byte.
    const std::string text = testing::RandomPieces(
        rng, rng() % 200,
        {"+bFBc7Q", "+ZeVnLIqe-", "+AGEAYgBj", "+bjhQsg", " ", "qenbxn ", "+-", "+", "-", ".",
         "\xB2", "+Zc", "+Z", "\r\n", "A", "Zm9vYmFy", "+dspfoY4ibBOXFngM-", "++", "+/+-"});
    ASSERT_TRUE(testing::ExpectLevelsAgree(Utf7AtLevel, text));
  }
}

}  // namespace
}  // namespace vortane
