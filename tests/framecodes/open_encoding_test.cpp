#include "framecodes/open_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

TEST(OpenEncoding, MarksAreRecognised) {
  const struct {
    const char* hex;
    std::optional<OpenEncoding> marked;
  } kCases[] = {
      {"EFBBBF 41", OpenEncoding::Utf8},
      {"FFFE 4100", OpenEncoding::Utf16Le},
      {"FEFF 0041", OpenEncoding::Utf16Be},
      {"EFBB", std::nullopt},
      {"FF", std::nullopt},
      {"", std::nullopt},
      {"41 EFBBBF", std::nullopt},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(MarkedOpenEncoding(Hex(c.hex)), c.marked) << c.hex;
  }
}

struct OpenCase {
  const char* name;
  OpenEncoding encoding;
  const char* fileHex;
  const char* textHex;
  std::size_t unreadable;
  bool cut;
};

const OpenCase kOpenCases[] = {
    {"BytesAsTheyAre", OpenEncoding::Bytes, "D6EC 0D0A 80", "D6EC 0D0A 80", 0, false},
    {"BytesEndAtNul", OpenEncoding::Bytes, "41 42 00 43", "41 42", 0, true},
    {"Utf8MarkDropped", OpenEncoding::Utf8, "EFBBBF E69CB1", "E69CB1", 0, false},
    {"Utf8WithoutMark", OpenEncoding::Utf8, "E69CB1 0A", "E69CB1 0A", 0, false},
    {"Utf8BrokenByte", OpenEncoding::Utf8, "41 80 42", "41 EFBFBD 42", 1, false},
    {"Utf16LeMarkDropped", OpenEncoding::Utf16Le, "FFFE 3167 0D00 0A00", "E69CB1 0D0A", 0, false},
    {"Utf16LeWithoutMark", OpenEncoding::Utf16Le, "4200 42D8 B7DF", "42 F0A0AEB7", 0, false},
    {"Utf16BeMarkDropped", OpenEncoding::Utf16Be, "FEFF 6731", "E69CB1", 0, false},
    {"Utf16OddLastByte", OpenEncoding::Utf16Be, "0041 00", "41 EFBFBD", 1, false},
    {"Utf16NulEndsText", OpenEncoding::Utf16Le, "4100 0000 4200", "41", 0, true},
    {"Gb18030", OpenEncoding::Gb18030, "D6EC E946 BBF9 9534B235", "E69CB1 E99595 E59FBA F0A0AEB7",
     0, false},
    {"Big5Hkscs", OpenEncoding::Big5Hkscs, "A741 9DEF A4E5 A5F3", "E4BDA0 E59885 E69687 E4BBB6", 0,
     false},
    {"Big5HkscsLoneLead", OpenEncoding::Big5Hkscs, "41 A4", "41 EFBFBD", 1, false},
    {"EmptyFile", OpenEncoding::Utf16Le, "", "", 0, false},
};

TEST(OpenEncoding, FileTextForTheSourceFrame) {
  for (const OpenCase& c : kOpenCases) {
    SCOPED_TRACE(c.name);
    const OpenedText text = MakeOpenedText(Hex(c.fileHex), c.encoding);
    EXPECT_EQ(ToHex(text.bytes), ToHex(Hex(c.textHex)));
    EXPECT_EQ(text.unreadable, c.unreadable);
    EXPECT_EQ(text.cut, c.cut);
    if (c.encoding == OpenEncoding::Bytes) {
      EXPECT_FALSE(text.displayCode.has_value());
    } else {
      EXPECT_EQ(text.displayCode, DisplayCode::Utf8);
    }
  }
}

TEST(OpenEncoding, BytesCutAtTheLimit) {
  const std::string exact(kOpenTextLimit, 'a');
  EXPECT_EQ(MakeOpenedText(exact, OpenEncoding::Bytes).bytes.size(), kOpenTextLimit);
  EXPECT_FALSE(MakeOpenedText(exact, OpenEncoding::Bytes).cut);
  const OpenedText longer = MakeOpenedText(exact + "b", OpenEncoding::Bytes);
  EXPECT_EQ(longer.bytes, exact);
  EXPECT_TRUE(longer.cut);
}

// The cut applies to the UTF-8 text, not to the file, and never splits a
// character.
TEST(OpenEncoding, ConvertedTextCutAtTheLimitAtACharactersEnd) {
  // 30,000 CJK characters in UTF-16: 60,000 bytes of file, 90,000 of UTF-8.
  std::string utf16;
  for (int i = 0; i < 30000; ++i) {
    utf16 += Hex("3167");
  }
  const OpenedText text = MakeOpenedText(utf16, OpenEncoding::Utf16Le);
  EXPECT_TRUE(text.cut);
  EXPECT_EQ(text.bytes.size(), kOpenTextLimit);  // 21,845 whole characters
  EXPECT_EQ(ToHex(text.bytes.substr(text.bytes.size() - 3)), "E6 9C B1");

  // ASCII in UTF-16: the file is twice the text; exactly the limit is not cut.
  std::string ascii;
  for (std::size_t i = 0; i < kOpenTextLimit; ++i) {
    ascii += Hex("4100");
  }
  EXPECT_FALSE(MakeOpenedText(ascii, OpenEncoding::Utf16Le).cut);
  EXPECT_EQ(MakeOpenedText(ascii, OpenEncoding::Utf16Le).bytes.size(), kOpenTextLimit);
  ascii += Hex("4200");
  const OpenedText one = MakeOpenedText(ascii, OpenEncoding::Utf16Le);
  EXPECT_TRUE(one.cut);
  EXPECT_EQ(one.bytes, std::string(kOpenTextLimit, 'A'));
}

TEST(OpenEncoding, OnlyUnreadableBytesOfTheKeptTextAreCounted) {
  // A two-byte character does not fit before the limit; broken bytes after it.
  std::string file(kOpenTextLimit - 1, 'a');
  file += Hex("C3A9 80 80 80");
  const OpenedText text = MakeOpenedText(file, OpenEncoding::Utf8);
  EXPECT_EQ(text.bytes, std::string(kOpenTextLimit - 1, 'a'));
  EXPECT_EQ(text.unreadable, 0u);
  EXPECT_TRUE(text.cut);

  std::string broken(100, 'a');
  broken += Hex("80");
  broken += std::string(kOpenTextLimit, 'b');
  broken += Hex("80");
  EXPECT_EQ(MakeOpenedText(broken, OpenEncoding::Gb18030).unreadable, 1u);
}

// Open reads kOpenReadLimit bytes of a long file: a character cut off by that
// read is neither kept nor counted.
TEST(OpenEncoding, HeadOfALongFile) {
  std::string head;
  while (head.size() + 4 <= kOpenReadLimit) {
    head += Hex("9534B235");
  }
  head += Hex("9534B235").substr(0, kOpenReadLimit - head.size());
  ASSERT_EQ(head.size(), kOpenReadLimit);
  const OpenedText text = MakeOpenedText(head, OpenEncoding::Gb18030);
  EXPECT_TRUE(text.cut);
  EXPECT_EQ(text.unreadable, 0u);
  EXPECT_EQ(text.bytes.size(), kOpenTextLimit / 4 * 4);
}

}  // namespace
}  // namespace vortane
