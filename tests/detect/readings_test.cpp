#include "detect/readings.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "charsets/charset_text.h"
#include "detect/detect_test_support.h"

namespace vortane {
namespace {

using testing::Base64Lines;
using testing::Encode;
using testing::QuotedPrintable;
using testing::ShownAsLatin1;
using testing::StripEighthBit;

// Mail-like sentences, simplified and traditional.
constexpr std::string_view kSimplified = "请在明天下午三点以前把文件发给我，谢谢。";
constexpr std::string_view kTraditional = "請在明天下午三點以前把文件發給我，謝謝。";

struct ChainCase {
  const char* name;
  std::string_view text;                // what the reading must give back
  std::function<std::string()> garble;  // the bytes the detector is given
  std::string chain;                    // the best reading's chain in words
};

void PrintTo(const ChainCase& c, std::ostream* os) { *os << c.name; }

// "中文邮件" in UTF-8 (E4 B8 AD E6 96 87 E9 82 AE E4 BB B6) shown as CP1252:
// the bytes 0x82, 0x87 and 0x96 show as CP1252's own characters, the others
// as in Latin-1.
std::string Cp1252Shown(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0x82) {
      out += "\xE2\x80\x9A";  // SINGLE LOW-9 QUOTATION MARK
    } else if (byte == 0x87) {
      out += "\xE2\x80\xA1";  // DOUBLE DAGGER
    } else if (byte == 0x96) {
      out += "\xE2\x80\x93";  // EN DASH
    } else {
      out += ShownAsLatin1(std::string_view(&c, 1));
    }
  }
  return out;
}

class BestChain : public ::testing::TestWithParam<ChainCase> {};

TEST_P(BestChain, GivesTheTextBackWithItsChain) {
  const ChainCase& c = GetParam();
  const std::vector<Reading> readings = FindReadings(c.garble());
  ASSERT_FALSE(readings.empty());
  EXPECT_EQ(readings.front().text, c.text);
  EXPECT_EQ(ChainInWords(readings.front()), c.chain);
  for (std::size_t i = 1; i < readings.size(); ++i) {
    EXPECT_GE(readings[i - 1].score, readings[i].score) << "readings out of order at " << i;
    EXPECT_NE(readings[i].text, readings.front().text) << "the same text twice";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Chains, BestChain,
    ::testing::Values(
        ChainCase{"CleanGb", kSimplified, [] { return Encode(Charset::Gb18030, kSimplified); },
                  "GB18030"},
        ChainCase{"CleanBig5", kTraditional,
                  [] { return Encode(Charset::Big5Hkscs, kTraditional); }, "Big5-HKSCS"},
        // Hong Kong characters (Big5-HKSCS 9DF5 9DCF) amid English: the Mandarin
        // frequency table lacks them, yet they read as Big5-HKSCS, not as the
        // GBK characters the same bytes give.
        ChainCase{"HongKongWordsInEnglish", "嗰嘢 gschemas.compil",
                  [] { return Encode(Charset::Big5Hkscs, "嗰嘢 gschemas.compil"); }, "Big5-HKSCS"},
        ChainCase{"OneHongKongCharacter", "ti噏_key",
                  [] { return Encode(Charset::Big5Hkscs, "ti噏_key"); }, "Big5-HKSCS"},
        ChainCase{"CleanUtf8", kSimplified, [] { return std::string(kSimplified); }, "UTF-8"},
        ChainCase{"Base64OfGbk", kSimplified,
                  [] { return Base64Lines(Encode(Charset::Gb18030, kSimplified)); },
                  "Base64, then GB18030"},
        ChainCase{"Base64OfUtf8", kTraditional,
                  [] { return Base64Lines(std::string(kTraditional)); }, "Base64, then UTF-8"},
        ChainCase{"QuotedPrintableOfBig5", kTraditional,
                  [] { return QuotedPrintable(Encode(Charset::Big5Hkscs, kTraditional)); },
                  "Quoted-Printable, then Big5-HKSCS"},
        ChainCase{"QuotedPrintableOfUtf8", kSimplified,
                  [] { return QuotedPrintable(std::string(kSimplified)); },
                  "Quoted-Printable, then UTF-8"},
        // An old encoder broke the line between the two bytes of 文 (CE C4).
        ChainCase{"QuotedPrintableLineBrokenInsideCharacter", "中\r\n文邮件",
                  [] { return std::string("=D6=D0=CE\r\n=C4=D3=CA=BC=FE"); },
                  "Quoted-Printable with double-byte repair, then GB18030"},
        ChainCase{
            "Hz", kSimplified,
            [] { return "~{" + StripEighthBit(Encode(Charset::Gb18030, kSimplified)) + "~}"; },
            "HZ, then GB18030"},
        ChainCase{"Utf7", kSimplified, [] { return Encode(Charset::Utf7, kSimplified); },
                  "UTF-7, then UTF-8"},
        ChainCase{"EighthBitStripped", kSimplified,
                  [] { return StripEighthBit(Encode(Charset::Gb18030, kSimplified)); },
                  "eighth bit set, then GB18030"},
        // 法郎 (B7A8 C0C9) stripped: the pairs set again read better as Big5
        // (楊檔), but they are GB pairs.
        ChainCase{"EighthBitStrippedReadsAsGbOnly", " 法郎 BEAC\nCFP 法郎\n",
                  [] { return std::string(" 7(@I BEAC\nCFP 7(@I\n"); },
                  "eighth bit set, then GB18030"},
        // Language names: transliterations score little as characters, but
        // read much better than the same bytes as English.
        ChainCase{"EighthBitStrippedTransliteratedNames", "\n阿尔泰诸语言\n阿姆哈",
                  [] { return std::string("\n0\"6{L)VnSoQT\n0\"D79~"); },
                  "eighth bit set, then GB18030"},
        ChainCase{"Utf8ShownAsLatin1", kSimplified, [] { return ShownAsLatin1(kSimplified); },
                  "shown as Latin-1, then UTF-8"},
        ChainCase{"Utf8ShownAsCp1252", "中文邮件", [] { return Cp1252Shown("中文邮件"); },
                  "shown as CP1252, then UTF-8"},
        ChainCase{"GbkShownAsLatin1", kSimplified,
                  [] { return ShownAsLatin1(Encode(Charset::Gb18030, kSimplified)); },
                  "shown as Latin-1, then GB18030"},
        ChainCase{"Big5ShownAsGbk", kTraditional,
                  [] {
                    // Big5 bytes read as GBK and the characters shown stored as UTF-8.
                    const std::string big5 = Encode(Charset::Big5Hkscs, kTraditional);
                    return std::string(DecodeToUtf8(Charset::Gb18030, big5).utf8);
                  },
                  "shown as GBK, then Big5-HKSCS"},
        ChainCase{"Base64OfUtf8ShownAsLatin1", kSimplified,
                  [] { return Base64Lines(ShownAsLatin1(kSimplified)); },
                  "Base64, then shown as Latin-1, then UTF-8"},
        ChainCase{
            "Base64OfQuotedPrintableOfGbk", kSimplified,
            [] { return Base64Lines(QuotedPrintable(Encode(Charset::Gb18030, kSimplified))); },
            "Base64, then Quoted-Printable, then GB18030"}),
    [](const ::testing::TestParamInfo<ChainCase>& info) { return info.param.name; });

struct NoReadingCase {
  const char* name;
  std::string bytes;
};

void PrintTo(const NoReadingCase& c, std::ostream* os) { *os << c.name; }

class NoReading : public ::testing::TestWithParam<NoReadingCase> {};

TEST_P(NoReading, FindsNothing) { EXPECT_TRUE(FindReadings(GetParam().bytes).empty()); }

INSTANTIATE_TEST_SUITE_P(
    Texts, NoReading,
    ::testing::Values(
        NoReadingCase{"Empty", ""},
        NoReadingCase{"English", "Please send me the file before three o'clock."},
        NoReadingCase{"EnglishWithCapitals", "No Such Process\nNew Zealand\n"},
        NoReadingCase{"Base64OfEnglish", "SGVsbG8gd29ybGQsIGhvdyBhcmUgeW91Pw=="},
        NoReadingCase{"Controls", std::string("\x01\x02\x03\x04\x05\x06", 6)},
        NoReadingCase{"FrenchInUtf8", "Le caf\xC3\xA9 est d\xC3\xA9j\xC3\xA0 pr\xC3\xAAt."},
        // An accented letter that starts a word: ê (C3 AA) reads as GB 锚.
        NoReadingCase{"FrenchWordStartingAccented", " pas \xC3\xAAtre "},
        NoReadingCase{"FrenchTextStartingAccented", "\xC3\xA9\x63\x65ssaire "},
        // Other languages in UTF-8 are meant as they are, though
        // their bytes read as GB characters or as a wrong display.
        NoReadingCase{"RussianInUtf8",
                      "\u0424\u0430\u0439\u043B "
                      "\u043D\u0435 \u043D\u0430\u0439\u0434"
                      "\u0435\u043D"},
        NoReadingCase{"RussianWithPunctuation",
                      "\u041E\u0448\u0438\u0431\u043A\u0430: \u043D\u0435\u0442 "
                      "\u0434\u043E\u0441\u0442\u0443\u043F\u0430"},
        NoReadingCase{"GreekInUtf8", "\u03A4\u03BF \u03B1\u03C1\u03C7\u03B5\u03AF\u03BF"},
        NoReadingCase{"FrenchQuotes", "Il a dit \u00AB oui \u00BB."},
        NoReadingCase{"ItalianApostrophe", "C'\u00E8 un errore"},
        NoReadingCase{"LoneLeadBytes", "\xB0\xB0\xB0"}),
    [](const ::testing::TestParamInfo<NoReadingCase>& info) { return info.param.name; });

TEST(FindReadings, ReadingsDecodeToWhatTheyClaim) {
  const std::string bytes = Base64Lines(Encode(Charset::Gb18030, kSimplified));
  for (const Reading& reading : FindReadings(bytes)) {
    const std::optional<Reading> again = ReadWithChain(bytes, reading.steps, reading.code);
    ASSERT_TRUE(again.has_value()) << ChainInWords(reading);
    EXPECT_EQ(again->text, reading.text);
    EXPECT_DOUBLE_EQ(again->score, reading.score);
  }
}

// Chinese text whose Base64 is past kWholeTextLimit, so that it is read on a
// sample.
std::string LongText() {
  std::string text;
  while (text.size() < 2 * kWholeTextLimit) {
    text += kSimplified;
    text += "\r\n";
  }
  return text + "结尾";
}

TEST(FindReadings, LongTextIsReadOnASampleAndDecodedWhole) {
  const std::string text = LongText();
  const std::string bytes = Base64Lines(Encode(Charset::Gb18030, text));
  ASSERT_GT(bytes.size(), kWholeTextLimit);
  const std::vector<Reading> readings = FindReadings(bytes);
  ASSERT_EQ(readings.size(), 1u);
  EXPECT_EQ(ChainInWords(readings.front()), "Base64, then GB18030");
  EXPECT_EQ(readings.front().text, text);
}

TEST(FindReadings, LongTextThatGoesWrongPastTheSampleFallsBack) {
  // The sample is Base64, but a stray byte far past it makes the whole text
  // no Base64 at all: the sample's chain does not read the whole text.
  std::string bytes = Base64Lines(Encode(Charset::Gb18030, LongText()));
  bytes.insert(bytes.size() - 1000, "!");
  EXPECT_TRUE(FindReadings(bytes).empty());
}

struct ReadWithChainCase {
  const char* name;
  std::string bytes;
  std::vector<RepairStep> steps;
  Charset code;
  bool found;
};

void PrintTo(const ReadWithChainCase& c, std::ostream* os) { *os << c.name; }

class ChainRun : public ::testing::TestWithParam<ReadWithChainCase> {};

TEST_P(ChainRun, ReadsOnlyWhenEveryStepAppliesAndTheCodeIsClean) {
  const ReadWithChainCase& c = GetParam();
  EXPECT_EQ(ReadWithChain(c.bytes, c.steps, c.code).has_value(), c.found);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChainRun,
    ::testing::Values(
        ReadWithChainCase{"NoStepsCleanGb", "\xD6\xD0\xCE\xC4", {}, Charset::Gb18030, true},
        ReadWithChainCase{"NoStepsBadUtf8", "\xD6\xD0\xCE\xC4", {}, Charset::Utf8, false},
        ReadWithChainCase{
            "StepThatDoesNotApply", "plain", {RepairStep::Hz}, Charset::Gb18030, false},
        ReadWithChainCase{"Base64ThenGb", "1tDOxA==", {RepairStep::Base64}, Charset::Gb18030, true},
        ReadWithChainCase{
            "Base64ThenCutUtf8", "1tDOxA==", {RepairStep::Base64}, Charset::Utf8, false}),
    [](const ::testing::TestParamInfo<ReadWithChainCase>& info) { return info.param.name; });

TEST(ChainNames, StepsFirstAndTheCodeLast) {
  const Reading reading{{RepairStep::Base64, RepairStep::ShownAsCp1252}, Charset::Utf8, 1.0, ""};
  const std::vector<std::string_view> names = ChainNames(reading);
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "Base64");
  EXPECT_EQ(names[1], "shown as CP1252");
  EXPECT_EQ(names[2], "UTF-8");
  EXPECT_EQ(ChainInWords(Reading{{}, Charset::Big5Hkscs, 0, ""}), "Big5-HKSCS");
}

struct BestCodeCase {
  const char* name;
  std::string bytes;
  std::vector<Charset> candidates;
  std::optional<Charset> best;
};

void PrintTo(const BestCodeCase& c, std::ostream* os) { *os << c.name; }

class BestCode : public ::testing::TestWithParam<BestCodeCase> {};

TEST_P(BestCode, PicksTheCodeTheTextReadsBestIn) {
  const BestCodeCase& c = GetParam();
  EXPECT_EQ(BestCodeFor(c.bytes, c.candidates), c.best);
}

const std::vector<Charset> kAll = {Charset::Utf8, Charset::Gb18030, Charset::Big5Hkscs};

INSTANTIATE_TEST_SUITE_P(
    Cases, BestCode,
    ::testing::Values(
        BestCodeCase{"Gb", Encode(Charset::Gb18030, kSimplified), kAll, Charset::Gb18030},
        BestCodeCase{"Big5", Encode(Charset::Big5Hkscs, kTraditional), kAll, Charset::Big5Hkscs},
        BestCodeCase{"Utf8", std::string(kSimplified), kAll, Charset::Utf8},
        BestCodeCase{
            "AsciiKeepsTheFirst", "hello", {Charset::Big5Hkscs, Charset::Utf8}, Charset::Big5Hkscs},
        // One bad byte in otherwise good GB text: still GB rather than UTF-8.
        BestCodeCase{"GbWithOneBadByte", Encode(Charset::Gb18030, kSimplified) + "\xFF", kAll,
                     Charset::Gb18030},
        BestCodeCase{"NoCandidates", "hello", {}, std::nullopt}),
    [](const ::testing::TestParamInfo<BestCodeCase>& info) { return info.param.name; });

}  // namespace
}  // namespace vortane
