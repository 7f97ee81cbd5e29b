#include "codec/hz.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>

#include "support/level_check.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::ExpectBlockSizeIndependent;
using testing::Hex;
using testing::RunStream;
using testing::ToHex;

StreamStatus HzStream(ByteReader& in, ByteWriter& out) { return DecodeHzStream(in, out); }

struct HzCase {
  const char* name;
  std::string input;
  std::string frame;  // DecodeHzText
  std::string file;   // DecodeHzStream
};

void PrintTo(const HzCase& c, std::ostream* os) { *os << c.name; }

class HzRules : public ::testing::TestWithParam<HzCase> {};

TEST_P(HzRules, FrameAndFileGiveTheirBytes) {
  const HzCase& c = GetParam();
  EXPECT_EQ(ToHex(DecodeHzText(c.input)), ToHex(c.frame));
  EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(HzStream, c.input)), ToHex(c.file));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HzRules,
    ::testing::Values(
        HzCase{"GbBetweenEscapes", "ab~{2bJT~}cd", "ab" + Hex("B2E2CAD4") + "cd",
               "ab" + Hex("B2E2CAD4") + "cd"},
        HzCase{"TwoTildesInAsciiStay", "a~~b", "a~~b", "a~~b"},
        HzCase{"TildeBeforeLineFeedStays", "a~\nb", "a~\nb", "a~\nb"},
        HzCase{"LineBreakShiftedInGbMode", "~{\r\n~}", Hex("8D8A"), Hex("8D8A")},
        HzCase{"TwoTildesInGbMode", "~{~~a~}", Hex("FEFE E1"), Hex("FEFE E1")},
        HzCase{"RunOfTildesInGbMode", "~{~~~~}", Hex("FEFEFE"), Hex("FEFEFE")},
        HzCase{"HighByteLosesHighBitInGbMode", "~{\xB2~}", "2", "2"},
        HzCase{"SecondTildeBeginsEscapeOnlyInFrame", "~~{2b~}", "~" + Hex("B2E2"), "~~{2b"},
        HzCase{"SecondTildeEndsNothingInAsciiFile", "a~~}b", "a~b", "a~~}b"},
        HzCase{"OnlyEscapes", "~{~}", "", ""}, HzCase{"Empty", "", "", ""},
        HzCase{"NoEscapeCopied", "plain text\r\n\xB2\xE2", "plain text\r\n\xB2\xE2",
               "plain text\r\n\xB2\xE2"},
        HzCase{"TildeAtEnd", "a~", "a~", "a~"},
        HzCase{"TildeAtEndInGbMode", "~{a~", Hex("E1FE"), Hex("E1FE")},
        HzCase{"CloseInAsciiModeDropped", "a~}b", "ab", "ab"},
        HzCase{"UnclosedGbRunsToTheEnd", "~{ab\ncd", Hex("E1E2 8A E3E4"), Hex("E1E2 8A E3E4")},
        // GB D7 FE is written "W~": its trail byte stands right before "~}".
        HzCase{"TildeTrailByteBeforeClose", "~{W~~}abc", Hex("D7FE") + "abc", Hex("D7FE") + "abc"},
        HzCase{"TildeTrailByteBeforeCloseAtEnd", "x~{2bW~~}", "x" + Hex("B2E2 D7FE"),
               "x" + Hex("B2E2 D7FE")}),
    [](const auto& info) { return std::string(info.param.name); });

std::string RandomHzInput(std::mt19937& rng, std::size_t size) {
  using namespace std::string_view_literals;
  static constexpr std::string_view kBytes = "~~~{}ab\r\n\xB2\xFE\x00"sv;
  std::string text;
  for (std::size_t i = 0; i < size; ++i) {
    const char c = kBytes[rng() % kBytes.size()];
    if (c == '~' && !text.empty() && text.back() == '~') {
      continue;
    }
    text.push_back(c);
  }
  return text;
}

TEST(HzProperty, FileRuleMatchesFrameRuleWithoutDoubleTildes) {
  std::mt19937 rng(11);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = RandomHzInput(rng, rng() % 30);
    ASSERT_EQ(ToHex(RunStream(HzStream, text, 2)), ToHex(DecodeHzText(text))) << text;
  }
}

// HZ encoder for text of ASCII (no "~") and GB characters (lead A1-F7, trail
// A1-FE, with trail FE, written "~", made frequent).
std::string RandomGbText(std::mt19937& rng, std::string& hz) {
  std::string gb;
  bool gbMode = false;
  const int characters = static_cast<int>(rng() % 40);
  for (int i = 0; i < characters; ++i) {
    if (rng() % 3 == 0) {
      if (gbMode) {
        hz += "~}";
        gbMode = false;
      }
      char c = static_cast<char>(rng() % 128);
      if (c == '~') {
        c = '-';
      }
      gb += c;
      hz += c;
    } else {
      if (!gbMode) {
        hz += "~{";
        gbMode = true;
      }
      const auto lead = static_cast<unsigned char>(0xA1 + rng() % (0xF7 - 0xA1 + 1));
      const auto trail = static_cast<unsigned char>(rng() % 2 == 0 ? 0xFE : 0xA1 + rng() % 94);
      gb += static_cast<char>(lead);
      gb += static_cast<char>(trail);
      hz += static_cast<char>(lead & 0x7F);
      hz += static_cast<char>(trail & 0x7F);
    }
  }
  if (gbMode && rng() % 2 == 0) {
    hz += "~}";
  }
  return gb;
}

TEST(HzProperty, EncodedGbTextComesBackInBothRules) {
  std::mt19937 rng(12);
  for (int round = 0; round < 2000; ++round) {
    std::string hz;
    const std::string gb = RandomGbText(rng, hz);
    ASSERT_EQ(ToHex(DecodeHzText(hz)), ToHex(gb)) << hz;
    ASSERT_EQ(ToHex(RunStream(HzStream, hz, 1 + rng() % 5)), ToHex(gb)) << hz;
  }
}

TEST(HzProperty, LargeInputIndependentOfBlockEdges) {
  std::mt19937 rng(13);
  std::string text;
  while (text.size() < 200000) {
    std::string hz;
    (void)RandomGbText(rng, hz);
    text += hz;
    text += RandomHzInput(rng, 8);
  }
  ExpectBlockSizeIndependent(HzStream, text);
}

StreamStatus HzAtLevel(SimdLevel level, ByteReader& in, ByteWriter& out) {
  HzStreamDecoder decoder;
  decoder.simd = level;
  return PumpStream(decoder, in, out);
}

TEST(HzFastPaths, GiveThePlainBytes) {
  std::mt19937 rng(14);
  for (int round = 0; round < 400; ++round) {
    // Mostly escapes around GB text and ASCII words, with the odd tildes now and then.
    const std::string text =
        testing::RandomPieces(rng, rng() % 250, {"~{",    "~}",   "~{",  "~}",  "2bJT", "O+GM", " ",
                                                 "mail ", "\r\n", "a",   "~~",  "~\n",  "~x",   "~",
                                                 "{",     "}",    "~~{", "~~}", "\xB2", "\xFE"});
    ASSERT_TRUE(testing::ExpectLevelsAgree(HzAtLevel, text));
  }
}

}  // namespace
}  // namespace vortane
