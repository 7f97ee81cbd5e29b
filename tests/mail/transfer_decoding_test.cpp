#include "mail/transfer_decoding.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

struct TransferCase {
  const char* name;
  std::string encoding;
  std::string body;
  std::string bytes;
};

void PrintTo(const TransferCase& c, std::ostream* os) { *os << c.name; }

class TransferDecoding : public ::testing::TestWithParam<TransferCase> {};

TEST_P(TransferDecoding, Bytes) {
  EXPECT_EQ(ToHex(DecodeTransferEncoding(GetParam().body, GetParam().encoding)),
            ToHex(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransferDecoding,
    ::testing::Values(
        TransferCase{"Base64Lines", "base64", "1tDO\nxA==\n", Hex("D6D0CEC4")},
        TransferCase{"Base64CrLfLines", "base64", "1tDO\r\nxA==\r\n", Hex("D6D0CEC4")},
        TransferCase{"Base64EndsAtPaddingBeforeFooter", "base64", "YQ==\n-- \nfooter\n", "a"},
        TransferCase{"Base64UnpaddedTail", "base64", "YWJj\nYQ", "abca"},
        TransferCase{"QpSoftBreakLf", "quoted-printable", "a=\nb\n", "ab\n"},
        TransferCase{"QpSoftBreakCrLf", "quoted-printable", "a=\r\nb\r\n", "ab\r\n"},
        TransferCase{"QpLineEndsKept", "quoted-printable", "=D6=D0\n=CE=C4\n",
                     Hex("D6D0 0A CEC4 0A")},
        // Without the parity repair a literal Big5 second byte stays where it is.
        TransferCase{"QpLiteralSecondByteStays", "quoted-printable", "=A8|\r\nx",
                     Hex("A87C 0D0A 78")},
        TransferCase{"QpEscapedLineEndKept", "quoted-printable", "a=0D=0A\n", "a\r\n\n"},
        TransferCase{"SevenBitUnchanged", "7bit", "=D6 a", "=D6 a"},
        TransferCase{"EightBitUnchanged", "8bit", "\xD6\xD0", "\xD6\xD0"},
        TransferCase{"UnknownUnchanged", "x-uuencode", "abc", "abc"},
        TransferCase{"NoneUnchanged", "", "abc", "abc"}),
    [](const auto& info) { return std::string(info.param.name); });

struct MendCase {
  const char* name;
  DoubleByteFamily family;
  std::string bytes;
  std::string mended;
};

void PrintTo(const MendCase& c, std::ostream* os) { *os << c.name; }

class DoubleByteRepair : public ::testing::TestWithParam<MendCase> {};

TEST_P(DoubleByteRepair, LeadByteMovesPastTheBreak) {
  EXPECT_EQ(ToHex(MendLineBreaksInsideCharacters(GetParam().bytes, GetParam().family)),
            ToHex(GetParam().mended));
}

constexpr DoubleByteFamily kGb = DoubleByteFamily::Gb;
constexpr DoubleByteFamily kBig5 = DoubleByteFamily::Big5;

INSTANTIATE_TEST_SUITE_P(
    Cases, DoubleByteRepair,
    ::testing::Values(
        MendCase{"GbSplitByCrLf", kGb, Hex("B2E2 B2 0D0A E2"), Hex("B2E2 0D0A B2E2")},
        MendCase{"GbSplitByBareLf", kGb, Hex("B2E2 B2 0A E2"), Hex("B2E2 0A B2E2")},
        MendCase{"LeadMovesPastEveryBreak", kGb, Hex("B2 0D0A 0D0A E2"), Hex("0D0A 0D0A B2E2")},
        MendCase{"WholeCharactersUntouched", kGb, Hex("B2E2 0D0A CAD4"), Hex("B2E2 0D0A CAD4")},
        // GBK D75D is written with a literal "]": it must not start a false pair.
        MendCase{"GbkAsciiSecondByteKeepsAlignment", kGb, Hex("E05D B2 0A E2"),
                 Hex("E05D 0A B2E2")},
        MendCase{"Big5AsciiSecondByteKeepsAlignment", kBig5, Hex("A87C 0D0A 41"),
                 Hex("A87C 0D0A 41")},
        MendCase{"Big5SplitCharacter", kBig5, Hex("A4A4 A4 0A A4"), Hex("A4A4 0A A4A4")},
        // Big5 has no second bytes 80-A0: a lead before a break and such a byte stays.
        MendCase{"Big5NoSecondByteAfterBreak", kBig5, Hex("A4 0A 85"), Hex("A4 0A 85")},
        MendCase{"NoSecondByteAfterBreak", kGb, Hex("B2 0A 20"), Hex("B2 0A 20")},
        MendCase{"LeadAtTheEnd", kGb, Hex("41 B2"), Hex("41 B2")},
        MendCase{"BreakAtTheEnd", kGb, Hex("B2 0A"), Hex("B2 0A")},
        MendCase{"BareCrIsNoBreak", kGb, Hex("B2 0D E2"), Hex("B2 0D E2")},
        MendCase{"FourByteGb18030Untouched", kGb, Hex("8139EF30 0A"), Hex("8139EF30 0A")}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vortane
