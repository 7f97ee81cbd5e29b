#include "cjk/utf8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <random>
#include <string>

#include "cjk/code_tables.h"
#include "support/level_check.h"
#include "support/random_bytes.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::ExpectBlockSizeIndependent;
using testing::Hex;
using testing::RunStream;
using testing::ToHex;

StreamStatus Utf8Stream(ByteReader& in, ByteWriter& out) { return DecodeUtf8Stream(in, out); }

testing::StreamFunction Utf8TextStream(TextCode code) {
  return [code](ByteReader& in, ByteWriter& out) { return DecodeUtf8TextStream(in, out, code); };
}

// The decoding table read literally, one form at a time, in signed 64-bit
// arithmetic (the decoder under test wraps in 32 bits). Past the end of the
// input a position reads as `fill`.
std::string ReferenceUtf8(std::string_view input, bool frame, TextCode code) {
  const std::size_t n = input.size();
  const int fill = frame ? 0x00 : 0xFF;
  auto at = [&](std::size_t j) -> std::int64_t {
    return j < n ? static_cast<unsigned char>(input[j]) : fill;
  };
  auto pay = [&](std::size_t j) { return at(j) - 0x80; };
  std::string out;
  auto put = [&](std::int64_t v, int shift) {
    out.push_back(static_cast<char>((v >> shift) & 0xFF));
  };
  std::size_t i = 0;
  while (i < n) {
    const std::int64_t b = at(i);
    if (b < 0x80) {
      if (!frame) put(0, 0);
      put(b, 0);
      i += 1;
    } else if (b >= 0xC0 && b < 0xE0) {
      const std::int64_t v = (b & 0x1F) * 64 + pay(i + 1);
      if (!frame || ((v >> 8) & 0xFF) != 0) put(v, 8);
      put(v, 0);
      i += 2;
    } else if (b >= 0xE0 && b < 0xF0) {
      const std::int64_t v = (b & 0x0F) * 4096 + pay(i + 1) * 64 + pay(i + 2);
      std::optional<std::uint16_t> found;
      if (frame && v >= 0 && v <= 0xFFFF) {
        const auto key = static_cast<std::uint32_t>(v);
        found = code == TextCode::Big5 ? LookupUnicodeToBig5(key) : LookupUnicodeToGb(key);
      }
      put(found ? *found : v, 8);
      put(found ? *found : v, 0);
      i += 3;
    } else if (b < 0xF8) {
      const std::int64_t v = (b & 7) * 262144 + pay(i + 1) * 4096 + pay(i + 2) * 64 + pay(i + 3);
      put(v, 16), put(v, 8), put(v, 0);
      i += 4;
    } else if (b < 0xFC) {
      if (!frame || (b & 3) != 0) put(b & 3, 0);
      const std::int64_t v = pay(i + 1) * 262144 + pay(i + 2) * 4096 + pay(i + 3) * 64 + pay(i + 4);
      put(v, 16), put(v, 8), put(v, 0);
      i += 5;
    } else if (b < 0xFE) {
      put((b & 1) * 64 + pay(i + 1), 0);
      const std::int64_t v = pay(i + 2) * 262144 + pay(i + 3) * 4096 + pay(i + 4) * 64 + pay(i + 5);
      put(v, 16), put(v, 8), put(v, 0);
      i += 6;
    } else {
      i += 1;
    }
  }
  return out;
}

// Well-formed UTF-8 of one code point below 0x10000 (surrogates included).
std::string EncodeUtf8(std::uint32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    s.push_back(static_cast<char>(0xC0 | cp >> 6));
    s.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    s.push_back(static_cast<char>(0xE0 | cp >> 12));
    s.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    s.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
  return s;
}

// Random bytes weighted towards what makes forms interesting: ASCII, lead
// bytes of every length, continuation bytes, and bytes that are neither.
std::string RandomUtf8Like(std::mt19937& rng, std::size_t length) {
  using namespace std::string_view_literals;
  static constexpr std::string_view kPicks =
      "\x41\x20\x0A\x00\xC3\xD0\xE4\xE6\xEF\x80\x96\xB8"
      "\xBF\xF0\xF7\xF8\xFB\xFC\xFD\xFE\xFF\x7F\xC0\x41"sv;
  return testing::RandomBytesFrom(rng, length, kPicks, 9);
}

struct FrameCase {
  const char* name;
  std::string input;
  TextCode code;
  std::string expected;
};

void PrintTo(const FrameCase& c, std::ostream* os) { *os << c.name; }

class Utf8Frame : public ::testing::TestWithParam<FrameCase> {};

TEST_P(Utf8Frame, TextAndStreamDecodeToItsBytes) {
  const FrameCase& c = GetParam();
  EXPECT_EQ(ToHex(DecodeUtf8Text(c.input, c.code)), ToHex(c.expected));
  EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(Utf8TextStream(c.code), c.input)), ToHex(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Frame,
    ::testing::Values(
        FrameCase{"Empty", "", TextCode::Gb, ""},
        FrameCase{"AsciiPasses", "Hello, world\r\n", TextCode::Big5, "Hello, world\r\n"},
        FrameCase{"ThreeByteFormsFoundInGb", Hex("E4B8AD E69687"), TextCode::Gb, Hex("D6D0 CEC4")},
        FrameCase{"ThreeByteFormsFoundInBig5", Hex("E4B8AD E69687"), TextCode::Big5,
                  Hex("A4A4 A4E5")},
        FrameCase{"TwoByteFormIsNotLookedUp", Hex("41 C3A9"), TextCode::Gb, Hex("41 E9")},
        FrameCase{"TwoByteFormKeepsNonZeroHighByte", Hex("D090"), TextCode::Gb, Hex("04 10")},
        FrameCase{"OverlongZeroGivesOneZeroByte", Hex("C080"), TextCode::Gb, Hex("00")},
        FrameCase{"TwoByteFormWithAsciiSecondByteWraps", Hex("C041"), TextCode::Gb, Hex("FF C1")},
        FrameCase{"SimplifiedCharacterMissingFromBig5GivesCodePoint", Hex("E59BBD"), TextCode::Big5,
                  Hex("56 FD")},
        FrameCase{"ReplacementCharacterTakesBig5TieBreak", Hex("EFBFBD"), TextCode::Big5,
                  Hex("A15A")},
        FrameCase{"ReplacementCharacterMissingFromGb", Hex("EFBFBD"), TextCode::Gb, Hex("FFFD")},
        FrameCase{"FourByteFormGivesThreeBytes", Hex("F09F9880 41"), TextCode::Gb,
                  Hex("01F600 41")},
        FrameCase{"StrayContinuationTakesThreeMoreBytes", Hex("80 414243 44"), TextCode::Gb,
                  Hex("FC0043 44")},
        FrameCase{"FiveByteFormLeavesOutZeroTopByte", Hex("F888808080"), TextCode::Gb,
                  Hex("200000")},
        FrameCase{"FiveByteFormKeepsNonZeroTopByte", Hex("F988808080"), TextCode::Gb,
                  Hex("01 200000")},
        FrameCase{"SixByteFormGivesFourBytes", Hex("FC8480808080"), TextCode::Gb, Hex("04000000")},
        FrameCase{"FeAndFfAreDropped", Hex("41 FE 42 FF 43"), TextCode::Gb, Hex("41 42 43")},
        FrameCase{"CutThreeByteFormReadsZeros", Hex("41 E4B8"), TextCode::Gb, Hex("41 4D80")},
        FrameCase{"CutTwoByteFormReadsZero", Hex("C3"), TextCode::Gb, Hex("40")},
        FrameCase{"CutSixByteFormWritesAllItsBytes", Hex("FC"), TextCode::Gb, Hex("80F7DF80")},
        FrameCase{"CutFourByteForm", Hex("41 F09F"), TextCode::Gb, Hex("41 01CF80")}),
    [](const ::testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

struct StreamCase {
  const char* name;
  std::string input;
  std::string expected;
};

void PrintTo(const StreamCase& c, std::ostream* os) { *os << c.name; }

class Utf8File : public ::testing::TestWithParam<StreamCase> {};

TEST_P(Utf8File, DecodesToItsUnitsInAnyBlockSize) {
  const StreamCase& c = GetParam();
  EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(Utf8Stream, c.input)), ToHex(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8File,
    ::testing::Values(
        StreamCase{"Empty", "", ""},
        StreamCase{"AsciiBecomesUnits", "Hi\r\n", Hex("0048 0069 000D 000A")},
        StreamCase{"ThreeByteFormAndLineBreak", Hex("E4B8AD 0D0A"), Hex("4E2D 000D 000A")},
        StreamCase{"ByteOrderMarkBecomesFeFf", Hex("EFBBBF 41"), Hex("FEFF 0041")},
        StreamCase{"TwoByteFormWritesBothBytes", Hex("C3A9"), Hex("00E9")},
        StreamCase{"OverlongZeroGivesZeroUnit", Hex("C080"), Hex("0000")},
        StreamCase{"FourByteFormGivesThreeBytes", Hex("F09F9880"), Hex("01F600")},
        StreamCase{"FiveByteFormAlwaysWritesTopByte", Hex("F888808080"), Hex("00200000")},
        StreamCase{"SixByteForm", Hex("FC8480808080"), Hex("04000000")},
        StreamCase{"FeAndFfGiveNothing", Hex("FE 41 FF"), Hex("0041")},
        StreamCase{"BadContinuationWrapsModulo256", Hex("E441"), Hex("30BF")},
        StreamCase{"CutThreeByteFormReadsFf", Hex("E4B8"), Hex("4E7F")},
        StreamCase{"CutTwoByteFormReadsFf", Hex("41 C3"), Hex("0041 013F")},
        StreamCase{"CutSixByteFormWritesFourBytes", Hex("FC"), Hex("7F04103F")},
        StreamCase{"CutFiveByteForm", Hex("F8"), Hex("0004103F")}),
    [](const ::testing::TestParamInfo<StreamCase>& info) { return std::string(info.param.name); });

TEST(Utf8FrameProperty, EveryBmpCodePointFromU0800DecodesToTheTableCode) {
  for (const TextCode code : {TextCode::Gb, TextCode::Big5}) {
    std::string text;
    std::string expected;
    for (std::uint32_t cp = 0x0800; cp <= 0xFFFF; ++cp) {
      text += EncodeUtf8(cp);
      const auto found = code == TextCode::Big5 ? LookupUnicodeToBig5(cp) : LookupUnicodeToGb(cp);
      const std::uint32_t bytes = found ? *found : cp;
      expected.push_back(static_cast<char>(bytes >> 8));
      expected.push_back(static_cast<char>(bytes & 0xFF));
    }
    const std::string decoded = DecodeUtf8Text(text, code);
    EXPECT_TRUE(RunStream(Utf8TextStream(code), text, 5) == decoded);
    ASSERT_EQ(decoded.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); k += 2) {
      ASSERT_EQ(ToHex(decoded.substr(k, 2)), ToHex(expected.substr(k, 2)))
          << "U+" << std::hex << 0x0800 + k / 2 << " code " << static_cast<int>(code);
    }
  }
}

TEST(Utf8FileProperty, WellFormedBmpTextGivesItsUtf16Units) {
  std::string text;
  std::string expected;
  for (std::uint32_t cp = 0; cp <= 0xFFFF; ++cp) {
    text += EncodeUtf8(cp);
    expected.push_back(static_cast<char>(cp >> 8));
    expected.push_back(static_cast<char>(cp & 0xFF));
  }
  EXPECT_TRUE(RunStream(Utf8Stream, text) == expected);
  EXPECT_TRUE(RunStream(Utf8Stream, text, 7) == expected);
}

TEST(Utf8Reference, RandomBytesDecodeAsTheFormTableSays) {
  std::mt19937 rng(2024);
  std::uniform_int_distribution<std::size_t> length(0, 120);
  std::uniform_int_distribution<std::size_t> block(1, 9);
  for (int round = 0; round < 3000; ++round) {
    const std::string input = RandomUtf8Like(rng, length(rng));
    const TextCode code = round % 2 == 0 ? TextCode::Gb : TextCode::Big5;
    const std::string frame = ReferenceUtf8(input, true, code);
    ASSERT_EQ(ToHex(DecodeUtf8Text(input, code)), ToHex(frame)) << "frame input " << ToHex(input);
    ASSERT_EQ(ToHex(RunStream(Utf8TextStream(code), input, block(rng))), ToHex(frame))
        << "frame stream input " << ToHex(input);
    ASSERT_EQ(ToHex(RunStream(Utf8Stream, input, block(rng))),
              ToHex(ReferenceUtf8(input, false, code)))
        << "file input " << ToHex(input);
  }
}

TEST(Utf8Streams, LongMixedInputIsBlockSizeIndependent) {
  std::mt19937 rng(7);
  std::string input;
  for (int k = 0; k < 400; ++k) {
    input += RandomUtf8Like(rng, 40);
    input += "plain ASCII text that takes the fast path, long enough for it ";
    input += Hex("E4B8AD E69687 E4B8AD E69687 E4B8AD E69687 E4B8AD");
  }
  const std::string reference = ExpectBlockSizeIndependent(Utf8Stream, input);
  EXPECT_EQ(ToHex(reference), ToHex(ReferenceUtf8(input, false, TextCode::Gb)));
  const std::string text = ExpectBlockSizeIndependent(Utf8TextStream(TextCode::Big5), input);
  EXPECT_EQ(ToHex(text), ToHex(ReferenceUtf8(input, true, TextCode::Big5)));
}

// Mail-like UTF-8 with every other form and stray byte now and then.
std::string RandomUtf8Pieces(std::mt19937& rng) {
  return testing::RandomPieces(rng, rng() % 120,
                               {"\xE4\xB8\xAD",
                                "\xE6\x96\x87",
                                "\xE9\x83\xB5\xE4\xBB\xB6",
                                "mail ",
                                " ",
                                "a",
                                "\r\n",
                                "\xE4\xB8\xAD\xE6\x96\x87",
                                "\xC3\xA9",
                                "\xF0\x9F\x98\x80",
                                "\x80",
                                "\xBF",
                                "\xE4\x41\x42",
                                "\xEF\xBF\xBF",
                                "\xE0\x80\x80",
                                "\xEF\xBB\xBF",
                                "\xFE",
                                "\xFF",
                                "\xE4",
                                "\xF8\x88\x80\x80\x80",
                                "\xE2\x80\x94"});
}

TEST(Utf8FastPaths, GiveThePlainBytes) {
  std::mt19937 rng(8);
  const testing::LeveledStream file = [](SimdLevel level, ByteReader& in, ByteWriter& out) {
    Utf8StreamDecoder decoder;
    decoder.simd = level;
    return PumpStream(decoder, in, out);
  };
  const auto frame = [](TextCode code) -> testing::LeveledStream {
    return [code](SimdLevel level, ByteReader& in, ByteWriter& out) {
      Utf8TextDecoder decoder(code);
      decoder.simd = level;
      return PumpStream(decoder, in, out);
    };
  };
  for (int round = 0; round < 300; ++round) {
    const std::string text = RandomUtf8Pieces(rng);
    ASSERT_TRUE(testing::ExpectLevelsAgree(file, text));
    ASSERT_TRUE(testing::ExpectLevelsAgree(frame(TextCode::Gb), text));
    ASSERT_TRUE(testing::ExpectLevelsAgree(frame(TextCode::Big5), text));
  }
}

}  // namespace
}  // namespace vortane
