#include "converter/convert_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <string>

#include "cjk/code_tables.h"
#include "cjk/utf7.h"
#include "support/level_check.h"
#include "support/random_bytes.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::ExpectBlockSizeIndependent;
using testing::Hex;
using testing::RunStream;
using testing::ToHex;

constexpr TextCode kGb = TextCode::Gb;
constexpr TextCode kBig5 = TextCode::Big5;
constexpr TextCode kUnicode = TextCode::Unicode;
constexpr BlankMode kAdd = BlankMode::AddBlank;
constexpr BlankMode kRemove = BlankMode::RemoveBlank;
constexpr BlankMode kKeep = BlankMode::KeepStill;

testing::StreamFunction Engine(TextCode from, TextCode to, BlankMode mode) {
  return [=](ByteReader& in, ByteWriter& out) { return ConvertStream(in, out, from, to, mode); };
}

std::string Convert(std::string_view input, TextCode from, TextCode to, BlankMode mode) {
  return RunStream(Engine(from, to, mode), input);
}

// The unit rules read literally over the whole input, one unit at a time. A
// Unicode source that begins with FF FE has its mark dropped and the bytes of
// each of its units swapped first.
std::string ReferenceConvert(std::string_view text, TextCode from, TextCode to, BlankMode mode) {
  std::string input(text);
  if (from == kUnicode && input.starts_with("\xFF\xFE")) {
    input.erase(0, 2);
    for (std::size_t j = 0; j + 1 < input.size(); j += 2) {
      std::swap(input[j], input[j + 1]);
    }
  }
  std::optional<std::uint16_t> (*lookup)(std::uint32_t) = nullptr;
  if (from == kGb && to == kBig5) lookup = LookupGbToBig5;
  if (from == kBig5 && to == kGb) lookup = LookupBig5ToGb;
  if (from == kUnicode) lookup = to == kBig5 ? LookupUnicodeToBig5 : LookupUnicodeToGb;
  std::string out;
  bool pending = false;
  auto single = [&](unsigned char value) {
    if (pending) out.push_back(' ');
    pending = value == 0x20;
    if (!pending) out.push_back(static_cast<char>(value));
  };
  auto pair = [&](std::uint32_t key) {
    if (mode == kAdd || (mode == kKeep && pending)) out.push_back(' ');
    pending = false;
    const std::uint32_t code = lookup != nullptr ? lookup(key).value_or(key) : key;
    out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
  };
  const auto byte = [&](std::size_t j) { return static_cast<unsigned char>(input[j]); };
  std::size_t i = 0;
  while (i < input.size()) {
    if (i + 1 == input.size() && (from == kUnicode || byte(i) >= 0x80)) {
      single(byte(i));  // a lone last byte: no character, passed as it is
      if (pending) out.push_back(' ');
      pending = false;
      break;
    }
    if (from == kUnicode) {
      byte(i) == 0 ? single(byte(i + 1)) : pair(byte(i) << 8 | byte(i + 1));
      i += 2;
    } else if (byte(i) < 0x80) {
      single(byte(i));
      i += 1;
    } else {
      pair(byte(i) << 8 | byte(i + 1));
      i += 2;
    }
  }
  if (pending) out.push_back(' ');
  return out;
}

struct EngineCase {
  const char* name;
  TextCode from;
  TextCode to;
  BlankMode mode;
  std::string input;
  std::string expected;
};

void PrintTo(const EngineCase& c, std::ostream* os) { *os << c.name; }

class ConvertStreamRules : public ::testing::TestWithParam<EngineCase> {};

TEST_P(ConvertStreamRules, ConvertsInAnyBlockSize) {
  const EngineCase& c = GetParam();
  EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(Engine(c.from, c.to, c.mode), c.input)),
            ToHex(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Blanks, ConvertStreamRules,
    ::testing::Values(
        EngineCase{"EmptyGivesEmpty", kUnicode, kBig5, kAdd, "", ""},
        EngineCase{"AddPutsBlankBeforeEachCharacter", kGb, kGb, kAdd, Hex("41 D6D0 CEC4"),
                   Hex("41 20 D6D0 20 CEC4")},
        EngineCase{"AddPutsBlankBeforeLeadingCharacter", kGb, kGb, kAdd, Hex("D6D0 41"),
                   Hex("20 D6D0 41")},
        EngineCase{"AddDoesNotDoubleABlank", kGb, kGb, kAdd, Hex("41 20 D6D0"), Hex("41 20 D6D0")},
        EngineCase{"AddKeepsEarlierSpacesOfARun", kGb, kGb, kAdd, Hex("41 2020 D6D0"),
                   Hex("41 2020 D6D0")},
        EngineCase{"RemoveDropsTheBlank", kGb, kGb, kRemove, Hex("41 20 D6D0"), Hex("41 D6D0")},
        EngineCase{"RemoveDropsOnlyTheLastOfTwoSpaces", kGb, kGb, kRemove, Hex("41 2020 D6D0"),
                   Hex("41 20 D6D0")},
        EngineCase{"RemoveKeepsSpacesBetweenLetters", kGb, kGb, kRemove, Hex("41 2020 42"),
                   Hex("41 2020 42")},
        EngineCase{"AddKeepsSpaceBeforeLineBreak", kGb, kGb, kAdd, Hex("41 20 0D0A 42"),
                   Hex("41 20 0D0A 42")},
        EngineCase{"RemoveKeepsTrailingSpaces", kGb, kGb, kRemove, Hex("D6D0 202020"),
                   Hex("D6D0 202020")},
        EngineCase{"RemoveLeavesTab", kGb, kGb, kRemove, Hex("41 09 D6D0"), Hex("41 09 D6D0")},
        EngineCase{"AddPutsBlankAfterTab", kGb, kGb, kAdd, Hex("41 09 D6D0"), Hex("41 09 20 D6D0")},
        EngineCase{"IdeographicSpaceIsACharacterNotABlank", kGb, kGb, kRemove,
                   Hex("A1A1 D6D0 20 A1A1"), Hex("A1A1 D6D0 A1A1")},
        EngineCase{"KeepStillKeepsTheBlank", kGb, kBig5, kKeep, Hex("41 20 D6D0 20"),
                   Hex("41 20 A4A4 20")},
        EngineCase{"UnicodeSpaceIsABlank", kUnicode, kGb, kRemove, Hex("0041 0020 4E2D"),
                   Hex("41 D6D0")}),
    [](const ::testing::TestParamInfo<EngineCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Routes, ConvertStreamRules,
    ::testing::Values(
        EngineCase{"GbToBig5", kGb, kBig5, kKeep, Hex("D6D0 B9FA 41"), Hex("A4A4 B0EA 41")},
        EngineCase{"GbToBig5MissingCodePasses", kGb, kBig5, kKeep, Hex("A1A1 A4A2"),
                   Hex("A1A1 A4A2")},
        EngineCase{"Big5ToGbReadsAsciiTrailAsTrail", kBig5, kGb, kKeep, Hex("A741 A66E"),
                   Hex("C4E3 BAC3")},
        EngineCase{"Big5ToGbMissingCodePasses", kBig5, kGb, kKeep, Hex("C6A1"), Hex("C6A1")},
        EngineCase{"Big5CopyKeepsEverything", kBig5, kBig5, kKeep, Hex("A741 20 20 A4"),
                   Hex("A741 20 20 A4")},
        EngineCase{"UnicodeToGb", kUnicode, kGb, kKeep, Hex("0041 4E2D"), Hex("41 D6D0")},
        EngineCase{"UnicodeToGbAddBlank", kUnicode, kGb, kAdd, Hex("0041 4E2D"), Hex("41 20 D6D0")},
        EngineCase{"UnicodeToBig5", kUnicode, kBig5, kKeep, Hex("0041 4E2D"), Hex("41 A4A4")},
        EngineCase{"UnicodeLineBreakAndLatinByte", kUnicode, kGb, kKeep, Hex("000D 000A 00E9"),
                   Hex("0D 0A E9")},
        EngineCase{"UnicodeMissingUnitPasses", kUnicode, kGb, kKeep, Hex("AC00"), Hex("AC00")},
        EngineCase{"ByteOrderMarkIsAnUnknownCharacter", kUnicode, kGb, kAdd, Hex("FEFF 0041"),
                   Hex("20 FEFF 41")},
        // Read little-endian after its mark, which would otherwise give garbage.
        EngineCase{"LittleEndianMarkIsReadLittleEndian", kUnicode, kGb, kAdd,
                   Hex("FFFE 4100 2D4E 2000 2000 0D00"), Hex("41 20 D6D0 20 20 0D")},
        EngineCase{"LittleEndianMarkAlone", kUnicode, kBig5, kKeep, Hex("FFFE"), ""},
        EngineCase{"LittleEndianOddLastByteIsKept", kUnicode, kBig5, kKeep, Hex("FFFE 2D4E 41"),
                   Hex("A4A4 41")},
        EngineCase{"LittleEndianMarkOnlyAtTheStart", kUnicode, kGb, kKeep, Hex("0041 FFFE"),
                   Hex("41 FFFE")}),
    [](const ::testing::TestParamInfo<EngineCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    LoneLastByte, ConvertStreamRules,
    ::testing::Values(
        EngineCase{"GbLeadByteIsKept", kGb, kBig5, kKeep, Hex("41 D6D0 D6"), Hex("41 A4A4 D6")},
        EngineCase{"GbLeadByteGetsNoAddedBlank", kGb, kBig5, kAdd, Hex("41 D6"), Hex("41 D6")},
        EngineCase{"GbLeadByteAfterHeldSpace", kGb, kGb, kRemove, Hex("41 20 D6"), Hex("41 20 D6")},
        EngineCase{"UnicodeOddByteIsKept", kUnicode, kGb, kKeep, Hex("0041 4E"), Hex("41 4E")},
        EngineCase{"UnicodeOddZeroByteIsKept", kUnicode, kBig5, kAdd, Hex("0020 00"),
                   Hex("20 00")}),
    [](const ::testing::TestParamInfo<EngineCase>& info) { return std::string(info.param.name); });

std::string RandomText(std::mt19937& rng, std::size_t length) {
  using namespace std::string_view_literals;
  static constexpr std::string_view kPicks =
      "\x20\x20\x20\x41\x09\x0D\x0A\x00\xD6\xD0\xA4\xA1\x4E\x2D\xFE\xFF"sv;
  return testing::RandomBytesFrom(rng, length, kPicks, 4);
}

TEST(ConvertStreamReference, RandomTextConvertsAsTheUnitRulesSay) {
  std::mt19937 rng(17);
  std::uniform_int_distribution<std::size_t> length(0, 90);
  std::uniform_int_distribution<std::size_t> block(1, 8);
  for (int round = 0; round < 400; ++round) {
    const std::string input = RandomText(rng, length(rng));
    for (const TextCode from : {kGb, kBig5, kUnicode}) {
      for (const TextCode to : {kGb, kBig5}) {
        for (const BlankMode mode : {kAdd, kRemove, kKeep}) {
          ASSERT_EQ(ToHex(RunStream(Engine(from, to, mode), input, block(rng))),
                    ToHex(ReferenceConvert(input, from, to, mode)))
              << "input " << ToHex(input) << " from " << static_cast<int>(from) << " to "
              << static_cast<int>(to) << " mode " << static_cast<int>(mode);
        }
      }
    }
  }
}

TEST(ConvertStreamProperty, SameCodeKeepStillIsTheIdentity) {
  std::mt19937 rng(23);
  for (int round = 0; round < 50; ++round) {
    const std::string input = RandomText(rng, 200);
    EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(Engine(kGb, kGb, kKeep), input)), ToHex(input));
    EXPECT_EQ(ToHex(Convert(input, kBig5, kBig5, kKeep)), ToHex(input));
  }
}

TEST(ConvertStreamProperty, RemoveAfterAddIsRemoveAndAddTwiceIsAdd) {
  std::mt19937 rng(29);
  for (int round = 0; round < 300; ++round) {
    const std::string input = RandomText(rng, 60);
    const std::string added = Convert(input, kGb, kGb, kAdd);
    EXPECT_EQ(ToHex(Convert(added, kGb, kGb, kRemove)), ToHex(Convert(input, kGb, kGb, kRemove)))
        << ToHex(input);
    EXPECT_EQ(ToHex(Convert(added, kGb, kGb, kAdd)), ToHex(added)) << ToHex(input);
    // Converting keeps every unit a unit, so the blank rules commute with it.
    EXPECT_EQ(ToHex(Convert(Convert(input, kGb, kBig5, kAdd), kBig5, kBig5, kRemove)),
              ToHex(Convert(input, kGb, kBig5, kRemove)))
        << ToHex(input);
  }
}

// A little-endian source with its mark converts as the same units big-endian.
TEST(ConvertStreamProperty, LittleEndianWithMarkConvertsAsBigEndian) {
  std::mt19937 rng(41);
  for (int round = 0; round < 200; ++round) {
    std::string units = RandomText(rng, 2 * (round % 30));
    if (units.starts_with("\xFF\xFE")) {
      units[0] = 0;
    }
    std::string little = Hex("FFFE") + units;
    for (std::size_t j = 2; j + 1 < little.size(); j += 2) {
      std::swap(little[j], little[j + 1]);
    }
    for (const BlankMode mode : {kAdd, kRemove, kKeep}) {
      EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(Engine(kUnicode, kBig5, mode), little)),
                ToHex(Convert(units, kUnicode, kBig5, mode)))
          << ToHex(units);
    }
  }
}

// Units to text is the same rule as the engine's Unicode route under
// KeepStill, down to the lone last byte.
TEST(ConvertStreamProperty, UnicodeKeepStillAgreesWithUnitsToText) {
  std::mt19937 rng(37);
  for (int round = 0; round < 200; ++round) {
    std::string units = RandomText(rng, round % 61);
    if (units.starts_with("\xFF\xFE")) {
      units[0] = 0;  // the frame rule knows no little-endian mark
    }
    for (const TextCode to : {kGb, kBig5}) {
      EXPECT_EQ(ToHex(RunStream(Engine(kUnicode, to, kKeep), units, 3)),
                ToHex(UnitsToText(units, to)))
          << ToHex(units);
    }
  }
}

TEST(ConvertStream, LongGbTextIsBlockSizeIndependentInEveryMode) {
  std::mt19937 rng(31);
  std::string input;
  for (int k = 0; k < 300; ++k) {
    input += RandomText(rng, 30);
    input += "an ASCII stretch long enough for the fast path ";
    input += Hex("D6D0 B9FA 20 C4E3 BAC3 2020 A741");
  }
  for (const BlankMode mode : {kAdd, kRemove, kKeep}) {
    EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(Engine(kGb, kBig5, mode), input)),
              ToHex(ReferenceConvert(input, kGb, kBig5, mode)));
  }
}

TEST(ConvertFastPaths, GiveThePlainBytesForEveryPairOfCodesAndMode) {
  using namespace std::string_view_literals;
  std::mt19937 rng(32);
  for (int round = 0; round < 60; ++round) {
    // Pairs with high and low trail bytes, lone high bytes that shift the
    // pairing, blanks before Chinese characters; and units of every kind.
    const std::string text =
        testing::RandomPieces(rng, rng() % 150,
                              {"\xD6\xD0",
                               "\xB9\xFA",
                               "\xA4\x40",
                               "\xA7\x41",
                               " ",
                               " \xD6\xD0",
                               "mail",
                               "\r\n",
                               "\xB2",
                               "\x80",
                               "\xFF\xFF",
                               "\xA4 ",
                               "\x00"
                               "A"sv,
                               "\x00 "sv,
                               "\x4E\x2D",
                               "\xFE\xFF",
                               "\x00\xE9"sv,
                               "\x00\r\x00\n"sv,
                               "\x65\xE5\x67\x2C",
                               "\x00 \x4E\x2D"sv,
                               "\x00m\x00"
                               "a\x00i\x00l\x00 \x00t\x00o\x00 \x00y\x00o\x00u"sv});
    for (const TextCode from : {kGb, kBig5, kUnicode}) {
      for (const TextCode to : {kGb, kBig5}) {
        for (const BlankMode mode : {kAdd, kRemove, kKeep}) {
          const testing::LeveledStream engine = [=](SimdLevel level, ByteReader& in,
                                                    ByteWriter& out) {
            ConvertDecoder decoder(from, to, mode);
            decoder.simd = level;
            return PumpStream(decoder, in, out);
          };
          ASSERT_TRUE(testing::ExpectLevelsAgree(engine, text));
        }
      }
    }
  }
}

}  // namespace
}  // namespace vortane
