#include "detect/repair_steps.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;

struct StepCase {
  const char* name;
  RepairStep step;
  std::string input;
  std::optional<std::string> output;  // nullopt: the step does not apply
};

void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }

class Steps : public ::testing::TestWithParam<StepCase> {};

TEST_P(Steps, ApplyOnlyToTheirForm) {
  const StepCase& c = GetParam();
  const std::optional<std::string> out = TakeRepairStep(c.step, c.input);
  ASSERT_EQ(out.has_value(), c.output.has_value());
  if (out) {
    EXPECT_EQ(testing::ToHex(*out), testing::ToHex(*c.output));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Steps,
    ::testing::Values(
        StepCase{"Base64Padded", RepairStep::Base64, "1tDOxA==\r\n", Hex("D6D0CEC4")},
        // The end of the text ends the last group, as in a file.
        StepCase{"Base64Unpadded", RepairStep::Base64, "1tDOxA", Hex("D6D0CEC4")},
        StepCase{"Base64Lines", RepairStep::Base64, "1tDO\r\nxA==", Hex("D6D0CEC4")},
        StepCase{"Base64WithBlankInside", RepairStep::Base64, "1tDO xA==", std::nullopt},
        StepCase{"Base64OneCharacterGroup", RepairStep::Base64, "1tDOx", std::nullopt},
        StepCase{"Base64TooShort", RepairStep::Base64, "1tD", std::nullopt},
        StepCase{"Base64ThreePads", RepairStep::Base64, "1tDOxA===", std::nullopt},
        StepCase{"Base64TextAfterPad", RepairStep::Base64, "1tDOxA==1tDO", std::nullopt},
        // Decoding ends at the padding; a mailing list's trailer may follow.
        StepCase{"Base64TrailerAfterPad", RepairStep::Base64, "1tDOxA==\n\n___\nThe list\n",
                 Hex("D6D0CEC4")},
        // Base64 is cut into lines of one width, the last no longer.
        StepCase{"Base64LinesOfOneWidth", RepairStep::Base64, "1tDOxNbQ\r\nzsTW0A==\r\n",
                 Hex("D6D0CEC4D6D0CEC4D6D0")},
        StepCase{"Base64ShortLineBeforeTheLast", RepairStep::Base64,
                 "1tDOxNbQ\nzsT\nW0A==", std::nullopt},
        StepCase{"Base64ListOfShortWords", RepairStep::Base64, "x8\nA4x9\nA5\n", std::nullopt},
        StepCase{"Base64EnglishWords", RepairStep::Base64, "the file is here", std::nullopt},
        StepCase{"Base64EnglishWord", RepairStep::Base64, "itecture            ", std::nullopt},
        StepCase{"Base64CapitalisedWord", RepairStep::Base64, "Internationalization", std::nullopt},
        StepCase{"QuotedPrintable", RepairStep::QuotedPrintable, "a=D6=D0b",
                 "a" + Hex("D6D0") + "b"},
        // UTF-7 sent as Quoted-Printable has only escapes of 7-bit bytes.
        StepCase{"QuotedPrintableOfSevenBitText", RepairStep::QuotedPrintable, "a=3Db", "a=b"},
        StepCase{"QuotedPrintableNoEscapes", RepairStep::QuotedPrintable, "a=b", std::nullopt},
        // An "=" before other bytes: not Quoted-Printable, whatever "=ba" looks like.
        StepCase{"QuotedPrintableMalformed", RepairStep::QuotedPrintable,
                 "Desired=Unknown (uppercase=bad)", std::nullopt},
        // Encoders write escapes in capitals; "=ab" is code (剃 in Big5).
        StepCase{"QuotedPrintableSmallLetters", RepairStep::QuotedPrintable,
                 "class KeyDerivationFunction(metaclass=abc.ABCMeta):", std::nullopt},
        StepCase{"QuotedPrintableSoftBreak", RepairStep::QuotedPrintable, "=D6=\r\n=D0",
                 Hex("D6D0")},
        // Nothing for the repair to move: the repaired step adds nothing.
        StepCase{"RepairedSameAsPlain", RepairStep::QuotedPrintableRepaired, "=D6=D0\r\n=CE=C4",
                 std::nullopt},
        StepCase{"RepairedMovesTheBreak", RepairStep::QuotedPrintableRepaired, "=D6\r\n=D0",
                 "\r\n" + Hex("D6D0")},
        StepCase{"Hz", RepairStep::Hz, "~{VPND~}", Hex("D6D0CEC4")},
        StepCase{"HzWithoutEscape", RepairStep::Hz, "a~~b", std::nullopt},
        StepCase{"Utf7", RepairStep::Utf7, "+Ti1lhw-", "中文"},
        StepCase{"Utf7SurrogatePairAmongChinese", RepairStep::Utf7, "+Ti1lh04tZYfYPd4ATi1lh04tZYc-",
                 "中文中文\xF0\x9F\x98\x80中文中文"},
        StepCase{"Utf7ShortRun", RepairStep::Utf7, "C++ is +1", std::nullopt},
        StepCase{"Utf7RunOfNoChinese", RepairStep::Utf7, "a+AAAAAA-b", std::nullopt},
        // "+IBM" is U+2013, a dash: an English licence name, not UTF-7.
        StepCase{"Utf7OfADashAlone", RepairStep::Utf7, "License: ISC+IBM\nLGPL-2.1+\n",
                 std::nullopt},
        // Stripped "指定了 %s 但未指定 %s": its run "+N4V86" is 30 bits, not
        // whole units.
        StepCase{"Utf7RunNotOnWholeUnits", RepairStep::Utf7, "V86(AK %s 5+N4V86( %s", std::nullopt},
        StepCase{"EighthBitWithPlusRun", RepairStep::EighthBit, "V86(AK %s 5+N4V86( %s",
                 Hex("D6B8B6A8C1CB") + " %s " + Hex("B5ABCEB4D6B8B6A8") + " %s"},
        // Stripped 请在明天三点: eleven of its twelve bytes are Base64's alphabet.
        StepCase{"EighthBitOnShortRunOfLetters", RepairStep::EighthBit, "GkTZCwLlH}5c",
                 Hex("C7EBD4DAC3F7CCECC8FDB5E3")},
        // Stripped 格式版本 holds "=0f", an escape of a low byte only.
        StepCase{"EighthBitBesideLowEscape", RepairStep::EighthBit, "8qJ=0f1>",
                 Hex("B8F1CABDB0E6B1BE")},
        // Stripped 体系结构 holds "=a9", an escape of a high byte, but no
        // escape follows it as in Quoted-Printable of Chinese.
        StepCase{"EighthBitBesideLoneHighEscape", RepairStep::EighthBit, "LeO5=a99 %s",
                 Hex("CCE5CFB5BDE1B9B9") + " %s"},
        // "+RFA" is UTF-7 of one CJK unit (U+4450) by chance.
        StepCase{"EighthBitBesideOneUtf7Unit", RepairStep::EighthBit, "VPND+RFA ND<~",
                 Hex("D6D0CEC4") + "+RFA " + Hex("CEC4BCFE")},
        StepCase{"EighthBitNotOnUtf7OfTwoCharacters", RepairStep::EighthBit, "VPND +Ti1lhw-",
                 std::nullopt},
        StepCase{"Utf7EightBitText", RepairStep::Utf7, "+Ti1lhw-\xB0", std::nullopt},
        StepCase{"EighthBit", RepairStep::EighthBit, "VPND#,", Hex("D6D0CEC4A3AC")},
        // Letters alone look like Base64, which goes first.
        StepCase{"EighthBitNotOnBase64Letters", RepairStep::EighthBit, "VPND", std::nullopt},
        StepCase{"EighthBitNotOnHz", RepairStep::EighthBit, "~{VPND~}", std::nullopt},
        StepCase{"EighthBitNotOnBase64", RepairStep::EighthBit, "1tDOxA==", std::nullopt},
        StepCase{"EighthBitNotOnQuotedPrintable", RepairStep::EighthBit, "=D6=D0=CE=C4",
                 std::nullopt},
        StepCase{"EighthBitNotOnEncodedWord", RepairStep::EighthBit,
                 "=?utf-8?B?5LyB5Lia6JC95Zyw5ZKo6K+i?= <a@b.cn>", std::nullopt},
        StepCase{"EighthBitNotOnEightBitText", RepairStep::EighthBit, "VPND\xB0", std::nullopt},
        StepCase{"ShownAsLatin1", RepairStep::ShownAsLatin1, "\xC3\x96\xC3\x90", Hex("D6D0")},
        StepCase{"ShownAsLatin1AsciiOnly", RepairStep::ShownAsLatin1, "abc", std::nullopt},
        StepCase{"ShownAsLatin1BeyondLatin1", RepairStep::ShownAsLatin1, "\xE4\xB8\xAD",
                 std::nullopt},
        StepCase{"ShownAsLatin1NotUtf8", RepairStep::ShownAsLatin1, "\xD6\xD0", std::nullopt},
        // CP1252 shows 0x96 as an en dash and the unassigned 0x81 as U+0081.
        StepCase{"ShownAsCp1252", RepairStep::ShownAsCp1252, "\xE2\x80\x93\xC2\x81", Hex("9681")},
        StepCase{"ShownAsCp1252NotInIt", RepairStep::ShownAsCp1252, "\xE4\xB8\xAD", std::nullopt},
        // 叫 is what GBK shows for Big5 A5 73 (叫 in GBK is BD D0).
        StepCase{"ShownAsGbk", RepairStep::ShownAsGbk, "\xE5\x8F\xAB", Hex("BDD0")},
        StepCase{"ShownAsGbkNotForLatinText", RepairStep::ShownAsGbk, "caf\xC3\xA9", std::nullopt},
        // A character GBK never shows (GB18030 writes it in four bytes).
        StepCase{"ShownAsGbkFourByte", RepairStep::ShownAsGbk, "\xE3\x90\x80", std::nullopt},
        StepCase{"ShownAsBig5", RepairStep::ShownAsBig5, "\xE4\xB8\xAD", Hex("A4A4")},
        StepCase{"ShownAsBig5NotInIt", RepairStep::ShownAsBig5, "\xED\x95\x9C", std::nullopt}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return info.param.name; });

TEST(RepairStepName, EveryStepHasAName) {
  for (const RepairStep step : kRepairSteps) {
    EXPECT_FALSE(RepairStepName(step).empty());
  }
}

}  // namespace
}  // namespace vortane
