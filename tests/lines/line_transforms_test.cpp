#include "lines/line_transforms.h"

#include <gtest/gtest.h>

#include <string>

#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

std::string Ascii(std::size_t n, char first = 'a') {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) {
    s.push_back(static_cast<char>(first + i % 26));
  }
  return s;
}

struct WrapCase {
  const char* name;
  std::string text;
  int width;
  bool doubleBytes;
  std::string expected;
};

class WordWrapTest : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WordWrapTest, BreaksAsTheRuleSays) {
  const WrapCase& c = GetParam();
  EXPECT_EQ(ToHex(WordWrap(c.text, c.width, c.doubleBytes)), ToHex(c.expected));
}

const std::string kGbChar = Hex("D6D0");
const std::string k69 = Ascii(69);
const std::string kWithNuls("\0a\n\0b", 5);

INSTANTIATE_TEST_SUITE_P(
    Cases, WordWrapTest,
    ::testing::Values(
        WrapCase{"EmptyStaysEmpty", "", 70, true, ""},
        WrapCase{"ShortLineUntouched", "abc\r\ndef", 70, true, "abc\r\ndef"},
        // 69 ASCII bytes and a GB character: the line ends with both bytes.
        WrapCase{"DoubleByteKeptWhole", k69 + kGbChar + "xy", 70, true, k69 + kGbChar + "\r\nxy"},
        // Without double-byte recognition the character is split.
        WrapCase{"DoubleByteSplitWhenOff", k69 + kGbChar + "xy", 70, false,
                 k69 + kGbChar.substr(0, 1) + "\r\n" + kGbChar.substr(1) + "xy"},
        WrapCase{"FirstLineOfExactlyWidthNotBroken", Ascii(5) + "\r\nxyz", 5, true,
                 Ascii(5) + "\r\nxyz"},
        // After CR LF the LF is the first byte of the line, so a later line of
        // width bytes is broken before its last byte.
        WrapCase{"LaterLineOfWidthBrokenBeforeLastByte", "ab\r\n" + Ascii(5, 'k'), 5, true,
                 "ab\r\n" + Ascii(4, 'k') + "\r\no"},
        WrapCase{"TwiceWidthAtStartGivesTwoLines", Ascii(10), 5, true,
                 Ascii(5) + "\r\n" + Ascii(5, 'f')},
        WrapCase{"TwiceWidthAfterCrLf", "\r\n" + Ascii(10), 5, true,
                 "\r\n" + Ascii(4) + "\r\n" + Ascii(5, 'e') + "\r\nj"},
        // A bare LF is an ordinary byte and does not reset the count.
        WrapCase{"BareLfCounts", "ab\ncdef", 3, true, "ab\n\r\ncde\r\nf"},
        // The first byte placed after an inserted break starts the parity again:
        // a high byte there is a lead byte waiting for its trail.
        WrapCase{"HighByteAfterInsertedBreakIsLead", "abc" + Hex("B0A1B0A2"), 3, true,
                 "abc\r\n" + Hex("B0A1B0A2") + "\r\n"},
        WrapCase{"LeadAtBreakAfterBreakKeepsPair", "ab" + Hex("B0A1B0A2") + "c", 3, true,
                 "ab" + Hex("B0A1") + "\r\n" + Hex("B0A2") + "c"},
        // A Big5 trail byte below 0x80 leaves the parity odd: the next break
        // takes one byte too many.
        WrapCase{"LowTrailThrowsPairingOff", Hex("A440") + "bc", 3, true, Hex("A440") + "bc\r\n"},
        // The parity runs on across an existing CR LF.
        WrapCase{"ParityCrossesExistingLineEnd", Hex("B0") + "\r\n" + "ab", 3, true,
                 Hex("B0") + "\r\nab"},
        WrapCase{"ParityCrossesExistingLineEndAndHolds", Hex("B0") + "\r\n" + "abc", 3, true,
                 Hex("B0") + "\r\nabc\r\n"},
        WrapCase{"WidthZeroBreaksBeforeEveryByte", "ab", 0, true, "\r\na\r\nb"}),
    [](const ::testing::TestParamInfo<WrapCase>& info) { return info.param.name; });

TEST(WordWrap, SecondPassMovesLastByteOfLaterLines) {
  const std::string once = WordWrap(Ascii(15), 5, true);
  EXPECT_EQ(once, "abcde\r\nfghij\r\nklmno");
  EXPECT_EQ(WordWrap(once, 5, true), "abcde\r\nfghi\r\nj\r\nklmn\r\no");
}

struct MarkCase {
  const char* name;
  std::string text;
  std::string mark;
  std::string added;    // AddMark(text, mark)
  std::string removed;  // RemoveMark(text, mark)
};

class MarkTest : public ::testing::TestWithParam<MarkCase> {};

TEST_P(MarkTest, AddAndRemove) {
  const MarkCase& c = GetParam();
  EXPECT_EQ(ToHex(AddMark(c.text, c.mark)), ToHex(c.added));
  EXPECT_EQ(ToHex(RemoveMark(c.text, c.mark)), ToHex(c.removed));
}

TEST_P(MarkTest, RemoveUndoesAdd) {
  const MarkCase& c = GetParam();
  EXPECT_EQ(ToHex(RemoveMark(AddMark(c.text, c.mark), c.mark)), ToHex(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarkTest,
    ::testing::Values(
        MarkCase{"EmptyText", "", ">", ">", ""},
        MarkCase{"EveryLineAlsoEmptyOnes", "ab\r\n\r\ncd", ">", ">ab\r\n>\r\n>cd", "ab\r\n\r\ncd"},
        MarkCase{"TrailingLfGivesMarkOnlyLine", "ab\r\n", ">", ">ab\r\n>", "ab\r\n"},
        MarkCase{"OneMarkTakenPerLine", ">>ab\r\n> cd\r\nef", ">", ">>>ab\r\n>> cd\r\n>ef",
                 ">ab\r\n cd\r\nef"},
        MarkCase{"MarkInsideLineStays", "a>b\r\nc>", ">", ">a>b\r\n>c>", "a>b\r\nc>"},
        MarkCase{"BareLfStartsALine", "a\n>b", ">", ">a\n>>b", "a\nb"},
        MarkCase{"OnlyFirstByteOfMarkUsed", "a\nb", "#!", "#a\n#b", "a\nb"},
        MarkCase{"LfAtEndWithoutFollowingByte", ">\n", ">", ">>\n>", "\n"},
        MarkCase{"EmptyMarkChangesNothing", ">a\n>b", "", ">a\n>b", ">a\n>b"},
        MarkCase{"NulMarkChangesNothing", kWithNuls, std::string(1, '\0'), kWithNuls, kWithNuls},
        MarkCase{"HighByteMark", "a\r\nb", Hex("A1"), Hex("A1") + "a\r\n" + Hex("A1") + "b",
                 "a\r\nb"}),
    [](const ::testing::TestParamInfo<MarkCase>& info) { return info.param.name; });

}  // namespace
}  // namespace vortane
