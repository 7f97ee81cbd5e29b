#include "codec/quoted_printable.h"

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

StreamStatus QpStream(ByteReader& in, ByteWriter& out) {
  return DecodeQuotedPrintableStream(in, out);
}

struct QpCase {
  const char* name;
  std::string input;
  std::string frameOn;   // frame rule, double bytes recognised
  std::string frameOff;  // frame rule, double bytes not recognised
  std::string file;      // file rule
};

void PrintTo(const QpCase& c, std::ostream* os) { *os << c.name; }

class QpRules : public ::testing::TestWithParam<QpCase> {};

TEST_P(QpRules, FrameAndFileGiveTheirBytes) {
  const QpCase& c = GetParam();
  EXPECT_EQ(ToHex(DecodeQuotedPrintableText(c.input, true)), ToHex(c.frameOn));
  EXPECT_EQ(ToHex(DecodeQuotedPrintableText(c.input, false)), ToHex(c.frameOff));
  EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(QpStream, c.input)), ToHex(c.file));
}

const std::string kGbWords = Hex("B2E2CAD4") + "Quoted Printable" + Hex("B1E0C2EB");

INSTANTIATE_TEST_SUITE_P(
    Cases, QpRules,
    ::testing::Values(QpCase{"GbAroundAscii", "=B2=E2=CA=D4Quoted Printable=B1=E0=C2=EB", kGbWords,
                             kGbWords, kGbWords},
                      QpCase{"LowerCaseDigits", "=b2=e2", Hex("B2E2"), Hex("B2E2"), Hex("B2E2")},
                      QpCase{"SoftLineBreak", "a=\r\nb", "ab", "ab", "ab"},
                      QpCase{"SplitEscapeJoinedOnlyInFrame", "=B\r\n2", Hex("B2"), Hex("B2"),
                             "\n2"},
                      QpCase{"SplitEscapeWithLetterSecond", "=3\r\nB", Hex("3B"), Hex("3B"), "\nB"},
                      QpCase{"BadEscapeDropped", "a=zb", "ab", "ab", "ab"},
                      QpCase{"DigitThenNonDigitLosesOneMoreInFile", "=A x", " x", " x", "x"},
                      QpCase{"DigitThenEqualsStartsAnEscapeInFrame", "=4=41", "A", "A", "41"},
                      QpCase{"DigitThenHardBreakKeepsBreakInFrame", "=4\r\n", "\r\n", "\r\n", "\n"},
                      QpCase{"EqualsEqualsDropped", "==41", "41", "41", "41"},
                      QpCase{"EqualsCrThenOtherByteReadAnew", "=\rx=\r=41", "xA", "xA", "xA"},
                      QpCase{"EqualsAtEnd", "x=", "x", "x", "x"},
                      QpCase{"EscapeCutAtEnd", "x=4", "x", "x", "x"},
                      QpCase{"EqualsCrAtEnd", "x=\r", "x", "x", "x"},
                      QpCase{"LoneCrAndLfAreOrdinary", "=B2\rb\n", Hex("B2 0D 62 0A"),
                             Hex("B2 0D 62 0A"), Hex("B2 0D 62 0A")},
                      QpCase{"LeadByteMovedPastHardBreak", "=B2=E2=B2\r\n=E2",
                             Hex("B2E2 0D0A B2E2"), Hex("B2E2B2 0D0A E2"), Hex("B2E2B2 0D0A E2")},
                      QpCase{"EscapeBelow90IsNoLead", "=8A=B2\r\n", Hex("8A 0D0A B2"),
                             Hex("8AB2 0D0A"), Hex("8AB2 0D0A")},
                      QpCase{"LeadByteMovedPastEveryHardBreak", "=B2\r\n\r\n", Hex("0D0A 0D0A B2"),
                             Hex("B2 0D0A 0D0A"), Hex("B2 0D0A 0D0A")},
                      QpCase{"RawHighByteIsNoLead", "\xB2=E2\r\n", Hex("B2 0D0A E2"),
                             Hex("B2E2 0D0A"), Hex("B2E2 0D0A")},
                      QpCase{"SplitEscapeCountsAsLead", "=B\r\n2\r\n=E2", Hex("0D0A B2E2"),
                             Hex("B2 0D0A E2"), Hex("0A32 0D0A E2")},
                      QpCase{"Empty", "", "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Input built from pieces on which the two rules agree (double bytes not
// recognised): whole escapes, soft breaks, "=" before a byte that is neither a
// digit nor CR, and plain bytes other than "="; the last piece may be cut.
std::string RandomAgreeingInput(std::mt19937& rng) {
  using namespace std::string_view_literals;
  static constexpr std::string_view kHex = "0123456789ABCDEFabcdef"sv;
  static constexpr std::string_view kPlain = "aZ \t\r\n\xB2\xFF\x00."sv;
  static constexpr std::string_view kAfterEquals = "=zG\n \xB2"sv;
  std::uniform_int_distribution<int> pick(0, 9);
  std::string text;
  const int pieces = static_cast<int>(rng() % 30);
  for (int i = 0; i < pieces; ++i) {
    const int r = pick(rng);
    if (r < 4) {
      text += '=';
      text += kHex[rng() % kHex.size()];
      text += kHex[rng() % kHex.size()];
    } else if (r < 5) {
      text += "=\r\n";
    } else if (r < 6) {
      text += '=';
      text += kAfterEquals[rng() % kAfterEquals.size()];
    } else {
      text += kPlain[rng() % kPlain.size()];
    }
  }
  if (pick(rng) < 3) {
    const std::string_view cut[] = {"=", "=4", "=\r"};
    text += cut[rng() % 3];
  }
  return text;
}

TEST(QpProperty, FileRuleMatchesFrameRuleWithoutSplitEscapes) {
  std::mt19937 rng(7);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = RandomAgreeingInput(rng);
    ASSERT_EQ(ToHex(RunStream(QpStream, text, 3)), ToHex(DecodeQuotedPrintableText(text, false)))
        << ToHex(text);
  }
}

// Plain encoder: printable ASCII stays, every other byte and "=" is escaped,
// lines end in a soft break after at most 72 characters.
std::string Encode(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  std::size_t column = 0;
  for (unsigned char b : bytes) {
    if (column >= 72) {
      text += "=\r\n";
      column = 0;
    }
    if (b >= 0x21 && b <= 0x7E && b != '=') {
      text += static_cast<char>(b);
      ++column;
    } else {
      text += '=';
      text += kDigits[b >> 4];
      text += kDigits[b & 0x0F];
      column += 3;
    }
  }
  return text;
}

TEST(QpProperty, EncodedBytesComeBackInBothRules) {
  std::mt19937 rng(8);
  for (int round = 0; round < 300; ++round) {
    std::string bytes(rng() % 300, '\0');
    for (char& b : bytes) {
      b = static_cast<char>(rng() % 256);
    }
    const std::string text = Encode(bytes);
    ASSERT_EQ(ToHex(DecodeQuotedPrintableText(text, true)), ToHex(bytes));
    ASSERT_EQ(ToHex(RunStream(QpStream, text, 5)), ToHex(bytes));
  }
}

TEST(QpProperty, LargeInputIndependentOfBlockEdges) {
  std::mt19937 rng(9);
  std::string text;
  while (text.size() < 200000) {
    text += RandomAgreeingInput(rng);
    text += "=\r";  // also "=" CR before whatever piece comes next
  }
  ExpectBlockSizeIndependent(QpStream, text);
}

StreamStatus QpAtLevel(SimdLevel level, ByteReader& in, ByteWriter& out) {
  QuotedPrintableStreamDecoder decoder;
  decoder.simd = level;
  return PumpStream(decoder, in, out);
}

TEST(QpFastPaths, GiveThePlainBytes) {
  std::mt19937 rng(10);
  for (int round = 0; round < 400; ++round) {
    // Mostly escapes, words and soft breaks, with every malformed "=" now and then.
    const std::string text = testing::RandomPieces(
        rng, rng() % 250, {"=B2",    "=e2",
                           "=3D",    "=CF=AB",
                           "=\r\n",  "qenbxn",
                           " ",      "a",
                           "\r\n",   "=B2",
                           "=D3",    "x",
                           "=G",     "=A ",
                           "=A\r\n", "=\r",
                           "==",     "=",
                           "\xB2",   "\r",
                           "\n",     "plain words long enough for a whole vector "});
    ASSERT_TRUE(testing::ExpectLevelsAgree(QpAtLevel, text));
  }
}

}  // namespace
}  // namespace vortane
