#include "framecodes/frame_display.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "charsets/charset_text.h"
#include "cjk/display_text.h"
#include "framecodes/display_charset.h"
#include "support/random_bytes.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

constexpr char16_t S(unsigned byte) { return static_cast<char16_t>(0xF700 + byte); }

std::string Name(DisplayCode code) {
  std::string name(DisplayCodeName(code));
  std::erase(name, '-');
  return name;
}

std::u16string StandIns(std::string_view hexBytes) {
  std::u16string out;
  for (const char b : Hex(hexBytes)) {
    out.push_back(S(static_cast<unsigned char>(b)));
  }
  return out;
}

// UTF-16 of UTF-8 text, for readable expectations.
std::u16string U(std::u8string_view utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const std::size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t point = n == 1 ? b : b & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
      point = point << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    if (point >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(point));
    }
    i += n;
  }
  return out;
}

// UTF-8 of UTF-16 text (well formed).
std::string Utf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF) {
      u = 0x10000 + ((u - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += {static_cast<char>(0xC0 | u >> 6), static_cast<char>(0x80 | (u & 0x3F))};
    } else if (u < 0x10000) {
      out += {static_cast<char>(0xE0 | u >> 12), static_cast<char>(0x80 | (u >> 6 & 0x3F)),
              static_cast<char>(0x80 | (u & 0x3F))};
    } else {
      out += {static_cast<char>(0xF0 | u >> 18), static_cast<char>(0x80 | (u >> 12 & 0x3F)),
              static_cast<char>(0x80 | (u >> 6 & 0x3F)), static_cast<char>(0x80 | (u & 0x3F))};
    }
  }
  return out;
}

struct ShowCase {
  const char* name;
  DisplayCode code;
  const char* hexBytes;
  std::u16string shown;
};

const ShowCase kShowCases[] = {
    // Today's names and the characters GB and Big5 lack.
    {"Utf8Names", DisplayCode::Utf8, "E69CB1 E99595 E59FBA", U(u8"朱镕基")},
    {"Utf8BeyondBmp", DisplayCode::Utf8, "F0A0AEB7", U(u8"𠮷")},
    {"Utf8Cantonese", DisplayCode::Utf8, "E4BDA0 E59885 E69687 E4BBB6", U(u8"你嘅文件")},
    {"GbkNamesInGb18030", DisplayCode::Gb18030, "D6EC E946 BBF9", U(u8"朱镕基")},
    {"FourByteInGb18030", DisplayCode::Gb18030, "9534B235", U(u8"𠮷")},
    {"LastPlaneInGb18030", DisplayCode::Gb18030, "E3329A33", U(u8"\U0010FFFD")},
    {"NoncharacterInGb18030", DisplayCode::Gb18030, "E3329A35", StandIns("E3 32 9A 35")},
    {"CantoneseInGb18030", DisplayCode::Gb18030, "C4E3 86FE CEC4 BCFE", U(u8"你嘅文件")},
    {"CantoneseInBig5Hkscs", DisplayCode::Big5Hkscs, "A741 9DEF A4E5 A5F3", U(u8"你嘅文件")},
    {"LetterWithMarkInBig5Hkscs", DisplayCode::Big5Hkscs, "8862 41", U(u8"Ê̄A")},
    {"LetterAloneInBig5Hkscs", DisplayCode::Big5Hkscs, "8866 8866", U(u8"ÊÊ")},
    {"PrivateUseOfTheTableShows", DisplayCode::Gb18030, "AAA1", U(u8"\uE000")},
    {"IdeographicSpace", DisplayCode::Big5Hkscs, "A140", U(u8"\u3000")},
    // Line ends and ASCII as in every display code.
    {"Utf8LineEnds", DisplayCode::Utf8, "61 0D0A 62 0A 0D", {u'a', 0x2029, u'b', 0x2028, S(0x0D)}},
    {"Gb18030ControlBytes", DisplayCode::Gb18030, "00 1B 7F 09", {S(0), S(0x1B), S(0x7F), u'\t'}},
    // Characters that stand for something in display text, or that the
    // widgets treat specially, show by stand-ins.
    {"Utf8LineSeparator", DisplayCode::Utf8, "E280A8", StandIns("E2 80 A8")},
    {"Utf8ParagraphSeparator", DisplayCode::Utf8, "E280A9", StandIns("E2 80 A9")},
    {"Utf8StandInItself", DisplayCode::Utf8, "EF9C80 EF9FBF", StandIns("EF 9C 80 EF 9F BF")},
    {"Utf8ByteOrderMark", DisplayCode::Utf8, "EFBBBF 41", StandIns("EF BB BF") + u"A"},
    {"Utf8C1Control", DisplayCode::Utf8, "C285", StandIns("C2 85")},
    {"Utf8Nonchar", DisplayCode::Utf8, "EFBFBF", StandIns("EF BF BF")},
    {"Gb18030LineSeparator", DisplayCode::Gb18030, "8136A635", StandIns("81 36 A6 35")},
    {"Gb18030ParagraphSeparator", DisplayCode::Gb18030, "8136A636", StandIns("81 36 A6 36")},
    {"Gb18030StandInItself", DisplayCode::Gb18030, "8339CB39", StandIns("83 39 CB 39")},
    {"Gb18030C1Control", DisplayCode::Gb18030, "81308135", StandIns("81 30 81 35")},
    // Bytes that are not well formed in the code.
    {"Utf8Overlong", DisplayCode::Utf8, "C080 41", StandIns("C0 80") + u"A"},
    {"Utf8Surrogate", DisplayCode::Utf8, "EDA080", StandIns("ED A0 80")},
    {"Utf8CutBeforeAscii", DisplayCode::Utf8, "E4B8 41", StandIns("E4 B8") + u"A"},
    {"Utf8LoneContinuation", DisplayCode::Utf8, "80 BF", StandIns("80 BF")},
    {"Utf8CutAtEnd", DisplayCode::Utf8, "41 F0A0AE", u"A" + StandIns("F0 A0 AE")},
    {"Gb18030NoLead", DisplayCode::Gb18030, "80 FF", StandIns("80 FF")},
    {"Gb18030CutFourByte", DisplayCode::Gb18030, "8130 81", StandIns("81") + u"0" + StandIns("81")},
    {"Gb18030LeadBeforeLineEnd", DisplayCode::Gb18030, "B0 0D0A", {S(0xB0), 0x2029}},
    {"Gb18030LeadBeforeDel", DisplayCode::Gb18030, "81 7F", StandIns("81 7F")},
    {"Gb18030FourByteBeyondBmpTable", DisplayCode::Gb18030, "8431A530", StandIns("84 31 A5 30")},
    {"Gb18030BeyondLastPlane", DisplayCode::Gb18030, "E3329A36", StandIns("E3 32 9A 36")},
    {"Big5HkscsNoLead", DisplayCode::Big5Hkscs, "80 FF", StandIns("80 FF")},
    {"Big5HkscsEmptyLeadAsciiTrail", DisplayCode::Big5Hkscs, "8140", StandIns("81") + u"@"},
    {"Big5HkscsEmptyLeadHighTrail", DisplayCode::Big5Hkscs, "81A1", StandIns("81 A1")},
    {"Big5HkscsLeadBeforeLineFeed", DisplayCode::Big5Hkscs, "A4 0A", {S(0xA4), 0x2028}},
    {"Big5HkscsLoneLeadAtEnd", DisplayCode::Big5Hkscs, "41 A4", u"A" + StandIns("A4")},
};

TEST(FrameDisplay, ShowsAndReadsBack) {
  for (const ShowCase& c : kShowCases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = Hex(c.hexBytes);
    EXPECT_EQ(BytesToFrameDisplay(bytes, c.code), c.shown);
    std::size_t unheld = 99;
    EXPECT_EQ(ToHex(FrameDisplayToBytes(c.shown, c.code, &unheld)), ToHex(bytes));
    EXPECT_EQ(unheld, 0u);
  }
}

TEST(FrameDisplay, GbAndBig5ShowAsTheProgramsTables) {
  std::mt19937 random(7);
  for (const DisplayCode code : {DisplayCode::Gb, DisplayCode::Big5}) {
    const TextCode textCode = *TableTextCode(code);
    for (int round = 0; round < 300; ++round) {
      const std::string bytes = testing::RandomBytes(random, 64);
      const std::u16string shown = BytesToFrameDisplay(bytes, code);
      ASSERT_EQ(shown, BytesToDisplayText(bytes, textCode));
      std::size_t unheld = 0;
      ASSERT_EQ(FrameDisplayToBytes(shown, code, &unheld), bytes);
    }
    const std::u16string typed = U(u8"a中𠮷这\u0E01");
    std::size_t unheld = 0;
    EXPECT_EQ(FrameDisplayToBytes(typed, code, &unheld), DisplayTextToBytes(typed, textCode));
    EXPECT_EQ(unheld, code == DisplayCode::Gb ? 2u : 3u) << Name(code);
  }
}

struct TypedCase {
  const char* name;
  DisplayCode code;
  std::u16string typed;
  const char* hexBytes;
  std::size_t unheld;
};

const TypedCase kTypedCases[] = {
    {"Utf8HoldsEverything", DisplayCode::Utf8, U(u8"朱𠮷\u0E01é"), "E69CB1 F0A0AEB7 E0B881 C3A9",
     0},
    {"Utf8LoneSurrogates", DisplayCode::Utf8, {u'a', 0xD842, u'b', 0xDFB7}, "61 3F 62 3F", 2},
    {"Gb18030HoldsEverything", DisplayCode::Gb18030, U(u8"镕𠮷é"), "E946 9534B235 A8A6", 0},
    {"Big5HkscsLacksSimplified", DisplayCode::Big5Hkscs, U(u8"嘅这𠮷"), "9DEF 3F 3F", 2},
    {"Big5HkscsLetterAndMarkAreOneCode", DisplayCode::Big5Hkscs, U(u8"Ê̌ê̄"), "8864 88A3", 0},
    {"LineBreaksAndStandInsInEveryCode",
     DisplayCode::Big5Hkscs,
     {0x2029, 0x2028, S(0x80)},
     "0D0A 0A 80",
     0},
    {"StandInIsItsByteUnderUtf8", DisplayCode::Utf8, {S(0xE4), S(0xB8)}, "E4 B8", 0},
};

TEST(FrameDisplay, TypedCharactersTakeTheFrameCode) {
  for (const TypedCase& c : kTypedCases) {
    SCOPED_TRACE(c.name);
    std::size_t unheld = 99;
    EXPECT_EQ(ToHex(FrameDisplayToBytes(c.typed, c.code, &unheld)), ToHex(Hex(c.hexBytes)));
    EXPECT_EQ(unheld, c.unheld);
  }
}

TEST(FrameDisplay, ByteOffsetsOfPositions) {
  const struct {
    const char* name;
    DisplayCode code;
    std::u16string text;
    std::vector<std::size_t> offsets;
  } kCases[] = {
      {"Utf8SurrogatePair", DisplayCode::Utf8, U(u8"a𠮷b"), {0, 1, 1, 5, 6}},
      {"Gb18030FourByte", DisplayCode::Gb18030, U(u8"𠮷镕"), {0, 0, 4, 6}},
      {"Big5HkscsLetterAndMark", DisplayCode::Big5Hkscs, U(u8"Ê̄x"), {0, 0, 2, 3}},
      {"LineBreakAndStandIn", DisplayCode::Gb, {0x2029, S(0xB0), u'a'}, {0, 2, 3, 4}},
      {"Empty", DisplayCode::Big5, u"", {0}},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(FrameDisplayByteOffsets(c.text, c.code), c.offsets) << c.name;
  }
}

class EveryDisplayCode : public ::testing::TestWithParam<DisplayCode> {};

// Bytes as a text in the display code would hold them: ASCII with line ends,
// characters of every kind, and the characters display text reserves.
std::string RandomValidText(std::mt19937& random, DisplayCode code, std::size_t length) {
  static const std::vector<std::u8string> kPool = {
      u8"a",      u8" ",          u8"\r\n",   u8"\n",     u8"\r",     u8"\t",     u8"朱",
      u8"镕",     u8"基",         u8"𠮷",     u8"你",     u8"嘅",     u8"文",     u8"件",
      u8"中",     u8"\u3000",     u8"é",      u8"Ê̄",      u8"Ê",      u8"\u0304", u8"ê̌",
      u8"\u2028", u8"\u2029",     u8"\uF700", u8"\uF7FF", u8"\uFEFF", u8"\u0085", u8"\uE000",
      u8"\uFFFD", u8"\U0010FFFF", u8"\x01"};
  std::uniform_int_distribution<std::size_t> pick(0, kPool.size() - 1);
  std::u8string utf8;
  for (std::size_t i = 0; i < length; ++i) {
    utf8 += kPool[pick(random)];
  }
  const std::string_view view(reinterpret_cast<const char*>(utf8.data()), utf8.size());
  if (const auto textCode = TableTextCode(code)) {
    return EncodeText(U(utf8), *textCode);
  }
  return EncodeFromUtf8(DisplayCharset(code), view).bytes;
}

TEST_P(EveryDisplayCode, RandomBytesRoundTrip) {
  const DisplayCode code = GetParam();
  std::mt19937 random(20261209);
  using namespace std::string_view_literals;
  // Bytes where the codes' rules turn: leads, trails, four-byte digits, line ends.
  static constexpr std::string_view kInteresting =
      "\x0D\x0A\x09\x41\x7F\x80\x81\x84\x87\x88\x95\xA1\xA4\xB0\xC2\xE2\xE3\xED\xEF\xF0\xF4\xFE\xFF\x30\x39\x40\x7E\x62\xBF\x9C\x00"sv;
  std::uniform_int_distribution<std::size_t> length(0, 200);
  for (int round = 0; round < 3000; ++round) {
    const std::string bytes =
        testing::RandomBytesFrom(random, length(random), kInteresting, kInteresting.size(), 0);
    const std::u16string shown = BytesToFrameDisplay(bytes, code);
    std::size_t unheld = 0;
    ASSERT_EQ(ToHex(FrameDisplayToBytes(shown, code, &unheld)), ToHex(bytes)) << "round " << round;
    ASSERT_EQ(unheld, 0u);
  }
}

TEST_P(EveryDisplayCode, RandomValidTextRoundTrips) {
  const DisplayCode code = GetParam();
  std::mt19937 random(1209);
  for (int round = 0; round < 2000; ++round) {
    const std::string bytes = RandomValidText(random, code, round % 40);
    ASSERT_EQ(ToHex(FrameDisplayToBytes(BytesToFrameDisplay(bytes, code), code)), ToHex(bytes))
        << "round " << round;
  }
}

TEST_P(EveryDisplayCode, TypedTextReadsBackAfterShowing) {
  const DisplayCode code = GetParam();
  std::mt19937 random(99);
  std::uniform_int_distribution<int> unit(0, 0xFFFF);
  for (int round = 0; round < 1000; ++round) {
    std::u16string typed;
    for (int i = 0; i < 20; ++i) {
      typed.push_back(static_cast<char16_t>(unit(random)));
    }
    const std::string bytes = FrameDisplayToBytes(typed, code);
    ASSERT_EQ(ToHex(FrameDisplayToBytes(BytesToFrameDisplay(bytes, code), code)), ToHex(bytes));
  }
}

TEST_P(EveryDisplayCode, OffsetsAgreeWithReadingBackEachPrefix) {
  const DisplayCode code = GetParam();
  std::mt19937 random(5);
  for (int round = 0; round < 300; ++round) {
    const std::u16string shown = BytesToFrameDisplay(RandomValidText(random, code, 12), code);
    const std::vector<std::size_t> offsets = FrameDisplayByteOffsets(shown, code);
    ASSERT_EQ(offsets.back(), FrameDisplayToBytes(shown, code).size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
      const bool insidePair = shown[i] >= 0xDC00 && shown[i] <= 0xDFFF;
      if (!insidePair &&
          !(code == DisplayCode::Big5Hkscs && (shown[i] == 0x304 || shown[i] == 0x30C))) {
        ASSERT_EQ(offsets[i], FrameDisplayToBytes(shown.substr(0, i), code).size()) << i;
      }
    }
  }
}

TEST_P(EveryDisplayCode, EveryTwoByteCodeRoundTripsBetweenAscii) {
  const DisplayCode code = GetParam();
  for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
    for (unsigned trail = 0x00; trail <= 0xFF; ++trail) {
      const std::string bytes =
          std::string("x") + static_cast<char>(lead) + static_cast<char>(trail) + "\r\ny";
      ASSERT_EQ(ToHex(FrameDisplayToBytes(BytesToFrameDisplay(bytes, code), code)), ToHex(bytes));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllCodes, EveryDisplayCode, ::testing::ValuesIn(kDisplayCodes),
                         [](const auto& info) { return Name(info.param); });

// A code shown as a character must be the code the charsets library writes
// for it: the display then agrees with what Save As and the converter write.
TEST(FrameDisplay, ShownCodesAreTheCodesTheCharsetWrites) {
  for (const DisplayCode code : {DisplayCode::Gb18030, DisplayCode::Big5Hkscs}) {
    std::size_t shownCount = 0;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
        const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
        const std::u16string shown = BytesToFrameDisplay(pair, code);
        if (shown[0] >= 0xF700 && shown[0] <= 0xF7FF) {
          continue;
        }
        ++shownCount;
        const std::string utf8 = Utf8(shown);
        ASSERT_EQ(ToHex(EncodeFromUtf8(DisplayCharset(code), utf8).bytes), ToHex(pair));
      }
    }
    // GB 18030 has 21886 two-byte characters plus private use; Big5-HKSCS 18463 codes.
    EXPECT_GT(shownCount, code == DisplayCode::Gb18030 ? 23000u : 18000u) << Name(code);
  }
}

// The letter-and-mark codes read back unambiguously only while no code reads
// as the combining mark alone.
TEST(FrameDisplay, NoBig5HkscsCodeIsALoneCombiningMark) {
  std::size_t unheld = 0;
  EXPECT_EQ(FrameDisplayToBytes(u"\u0304\u030C", DisplayCode::Big5Hkscs, &unheld), "??");
  EXPECT_EQ(unheld, 2u);
}

TEST(FrameDisplay, FourByteCodesOfEveryPlaneRoundTrip) {
  std::mt19937 random(4);
  std::uniform_int_distribution<int> b1(0x81, 0xFE);
  std::uniform_int_distribution<int> b3(0x81, 0xFE);
  std::uniform_int_distribution<int> digit(0x30, 0x39);
  std::size_t shownCount = 0;
  for (int round = 0; round < 20000; ++round) {
    const std::string code{static_cast<char>(b1(random)), static_cast<char>(digit(random)),
                           static_cast<char>(b3(random)), static_cast<char>(digit(random))};
    const std::u16string shown = BytesToFrameDisplay(code, DisplayCode::Gb18030);
    ASSERT_EQ(ToHex(FrameDisplayToBytes(shown, DisplayCode::Gb18030)), ToHex(code));
    shownCount += shown.size() <= 2 ? 1 : 0;
  }
  EXPECT_GT(shownCount, 0u);
}

}  // namespace
}  // namespace vortane
