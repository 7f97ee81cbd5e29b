#include "phrases/phrase_codes.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "phrase_test_support.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Encode;
using testing::ExpectBlockSizeIndependent;
using testing::Hex;
using testing::SharedConverter;
using testing::ToHex;

constexpr TextCode kGb = TextCode::Gb;
constexpr TextCode kBig5 = TextCode::Big5;
constexpr TextCode kUnicode = TextCode::Unicode;
constexpr Charset kUtf8 = Charset::Utf8;
constexpr Charset kHkscs = Charset::Big5Hkscs;

struct CodesCase {
  const char* name;
  PhraseConfig config;
  PhraseCode from;
  PhraseCode to;
  std::string input;
  std::string expected;
  std::size_t fallbacks;
  std::size_t unreadable = 0;
  std::size_t unwritable = 0;
};

void PrintTo(const CodesCase& c, std::ostream* os) { *os << c.name; }

class PhraseCodes : public ::testing::TestWithParam<CodesCase> {};

TEST_P(PhraseCodes, ConvertsAndCountsTheCharacterRule) {
  const CodesCase& c = GetParam();
  const PhraseCodeText result =
      ConvertCodesByPhrases(c.input, c.from, c.to, SharedConverter(c.config));
  EXPECT_EQ(ToHex(result.bytes), ToHex(c.expected));
  EXPECT_EQ(result.fallbacks, c.fallbacks);
  EXPECT_EQ(result.unreadable, c.unreadable);
  EXPECT_EQ(result.unwritable, c.unwritable);
}

// 瘘 (GB F0FC): OpenCC writes 瘻, which Big5 lacks; the character table gives
// Big5 BF62. 穭 (Big5 F4A4): OpenCC writes 穞, which GB 2312 lacks; the table
// gives GB EFF9. 钎 (GB C7A5): OpenCC writes 釺, and neither Big5 nor the table
// has a form, so the GB bytes pass as the character rule passes them.
INSTANTIATE_TEST_SUITE_P(
    Cases, PhraseCodes,
    ::testing::Values(
        CodesCase{"Empty", PhraseConfig::S2tw, kGb, kBig5, "", "", 0},
        CodesCase{"AsciiControlsAndZeroBytesPass", PhraseConfig::S2tw, kGb, kBig5,
                  std::string("a\0b\r\n\x7F", 6), std::string("a\0b\r\n\x7F", 6), 0},
        CodesCase{"GbToBig5ByPhrases", PhraseConfig::S2tw, kGb, kBig5, Encode("头发 干杯\r\n", kGb),
                  Encode("頭髮 乾杯\r\n", kBig5), 0},
        CodesCase{"Big5ToGbByPhrases", PhraseConfig::Tw2s, kBig5, kGb, Encode("頭髮，乾杯", kBig5),
                  Encode("头发，干杯", kGb), 0},
        CodesCase{"TaiwanVocabulary", PhraseConfig::S2twp, kGb, kBig5, Encode("软件", kGb),
                  Encode("軟體", kBig5), 0},
        CodesCase{"HongKongFormsBig5LacksTakeTaiwanGlyphs", PhraseConfig::S2hk, kGb, kBig5,
                  Encode("着急的户口在里面", kGb), Encode("著急的戶口在裡面", kBig5), 0},
        CodesCase{"HongKongFormsKeptInUnicode", PhraseConfig::S2hk, kGb, kUnicode,
                  Encode("户口在里面", kGb), Encode("户口在裏面", kUnicode), 0},
        CodesCase{"FormBig5LacksFallsBackToTheTable", PhraseConfig::S2tw, kGb, kBig5,
                  Encode("头瘘钎", kGb), Encode("頭", kBig5) + Hex("BF62 C7A5"), 2},
        CodesCase{"FormGbLacksFallsBackToTheTable", PhraseConfig::Hk2s, kBig5, kGb, Hex("F4A4"),
                  Hex("EFF9"), 1},
        CodesCase{"VocabularyChangingTheLengthStillFindsTheSource", PhraseConfig::S2twp, kGb, kBig5,
                  Encode("U盘瘘", kGb), Encode("隨身碟", kBig5) + Hex("BF62"), 1},
        CodesCase{"CharactersBig5HoldsAreConvertedThroughUnicode", PhraseConfig::S2tw, kGb, kBig5,
                  Hex("A1A1 A4A2"), Encode("\u3000\u3042", kBig5), 0},
        CodesCase{"UnreadablePairGoesByTheCharacterRule", PhraseConfig::S2tw, kGb, kBig5,
                  Hex("C441") + Encode("头发", kGb), Hex("C441") + Encode("頭髮", kBig5), 1},
        CodesCase{"LoneLastLeadBytePasses", PhraseConfig::S2tw, kGb, kBig5,
                  Encode("头", kGb) + Hex("D6"), Encode("頭", kBig5) + Hex("D6"), 1},
        CodesCase{"UnreadableGbIntoUnicodeIsReplacementCharacter", PhraseConfig::S2tw, kGb,
                  kUnicode, Hex("C441 D6"), Hex("FFFD FFFD"), 2},
        CodesCase{"SameCodeKeepsTheSourceWhereTheResultLacksTheForm", PhraseConfig::S2tw, kGb, kGb,
                  Encode("头发a", kGb), Encode("头发a", kGb), 2},
        CodesCase{"UnicodeToBig5", PhraseConfig::S2tw, kUnicode, kBig5, Encode("头发 ok", kUnicode),
                  Encode("頭髮 ok", kBig5), 0},
        CodesCase{"UnicodeCharacterNoCodeHoldsBecomesQuestionMark", PhraseConfig::S2tw, kUnicode,
                  kBig5, Encode("𠀀é", kUnicode), "??", 2},
        CodesCase{"UnicodeToUnicodeKeepsPairsAndLoneHalves", PhraseConfig::S2tw, kUnicode, kUnicode,
                  Hex("D840DC00 D800 0041 DC00 5934 53D1 00"),
                  Hex("D840DC00 D800 0041 DC00") + Encode("頭髮", kUnicode) + Hex("00"), 3},
        CodesCase{"UnicodeAfterTheLittleEndianMark", PhraseConfig::S2tw, kUnicode, kBig5,
                  Hex("FFFE 3459 D153 4100"), Encode("頭髮A", kBig5), 0},
        CodesCase{"BigEndianMarkIsACharacter", PhraseConfig::S2tw, kUnicode, kUnicode,
                  Hex("FEFF 5934"), Hex("FEFF") + Encode("頭", kUnicode), 0},
        CodesCase{"LoneHighHalfAtTheEnd", PhraseConfig::S2tw, kUnicode, kGb, Hex("0041 D800"), "A?",
                  1},
        CodesCase{"Utf8ToUtf8", PhraseConfig::S2twp, kUtf8, kUtf8, "头发和U盘\n", "頭髮和隨身碟\n",
                  0},
        CodesCase{"Utf8BadBytesAreCountedUnreadable", PhraseConfig::S2tw, kUtf8, kUtf8, "头\xFF发",
                  "頭\uFFFD發", 0, 1},
        CodesCase{"GbToUtf8", PhraseConfig::S2tw, kGb, kUtf8, Encode("头发", kGb) + Hex("C441"),
                  "頭髮\uFFFD", 1},
        CodesCase{"Utf8ToBig5FallsBackThroughTheUnicodeTable", PhraseConfig::S2tw, kUtf8, kBig5,
                  "头瘘😀", Encode("頭", kBig5) + Hex("BF62") + "?", 2},
        CodesCase{"HongKongFormsIntoBig5Hkscs", PhraseConfig::S2hk, kGb, kHkscs,
                  Encode("户口", kGb), Hex("8BFC A466"), 0},
        CodesCase{"CharsetResultCountsWhatItCannotHold", PhraseConfig::S2tw, kUtf8, kHkscs, "a😀",
                  "a?", 0, 0, 1},
        CodesCase{"Big5ToUtf16", PhraseConfig::Tw2s, kBig5, Charset::Utf16Le, Encode("頭髮", kBig5),
                  Hex("3459 D153"), 0}),
    [](const ::testing::TestParamInfo<CodesCase>& info) { return std::string(info.param.name); });

testing::StreamFunction Decoder(PhraseConfig config, TextCode from, TextCode to) {
  return [=](ByteReader& in, ByteWriter& out) {
    PhraseCodeDecoder decoder(SharedConverter(config), from, to);
    return PumpStream(decoder, in, out);
  };
}

TEST(PhraseCodeDecoder, OutputDoesNotDependOnBlockEdges) {
  const std::string text = "头发 U盘钎\r\n一只猫在里面，" + std::string(1, '\0') + "范先生。";
  const std::string gb = Encode(text, kGb) + Hex("C441 D6");
  EXPECT_EQ(ExpectBlockSizeIndependent(Decoder(PhraseConfig::S2hk, kGb, kBig5), gb),
            ConvertCodesByPhrases(gb, kGb, kBig5, SharedConverter(PhraseConfig::S2hk)).bytes);
  const std::string unicode = Encode(text + "𠀀", kUnicode) + Hex("D800 41");
  const std::string littleEndian = Hex("FFFE 3459 D153 00D8");
  EXPECT_EQ(ExpectBlockSizeIndependent(Decoder(PhraseConfig::S2tw, kUnicode, kGb), littleEndian),
            Encode("头发", kGb) + "?");
  EXPECT_EQ(ExpectBlockSizeIndependent(Decoder(PhraseConfig::S2tw, kUnicode, kUnicode), unicode),
            ConvertCodesByPhrases(unicode, kUnicode, kUnicode, SharedConverter(PhraseConfig::S2tw))
                .bytes);
}

TEST(PhraseCodeDecoder, LongTextGivesWhatEachLineGivesAlone) {
  const PhraseConverter& tw = SharedConverter(PhraseConfig::S2tw);
  const std::string line = Encode("一只猫的头发，放松。干杯 复杂\r\n", kGb);
  const std::string converted = ConvertCodesByPhrases(line, kGb, kBig5, tw).bytes;
  std::string text;
  std::string expected;
  while (text.size() < 4 * 65536) {
    text += line;
    expected += converted;
  }
  EXPECT_EQ(ConvertCodesByPhrases(text, kGb, kBig5, tw).bytes, expected);
}

}  // namespace
}  // namespace vortane
