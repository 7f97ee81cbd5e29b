#include "framecodes/save_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

struct SaveCase {
  const char* name;
  DisplayCode code;
  SaveEncoding encoding;
  const char* frameHex;
  const char* fileHex;
  std::size_t unwritable;
  std::size_t unreadable;
};

const SaveCase kSaveCases[] = {
    {"BytesUnchanged", DisplayCode::Gb, SaveEncoding::Bytes, "D6D0 80 0D0A", "D6D0 80 0D0A", 0, 0},
    {"GbToUtf8", DisplayCode::Gb, SaveEncoding::Utf8, "D6D0 CEC4 0D0A", "E4B8AD E69687 0D0A", 0, 0},
    {"Big5ToUtf8", DisplayCode::Big5, SaveEncoding::Utf8, "A4A4 A4E5", "E4B8AD E69687", 0, 0},
    {"Gb18030ToUtf16LeWithMark", DisplayCode::Gb18030, SaveEncoding::Utf16LeWithMark,
     "D6EC E946 BBF9 0D0A 9534B235", "FFFE 3167 5595 FA57 0D00 0A00 42D8 B7DF", 0, 0},
    {"Big5HkscsToGb18030", DisplayCode::Big5Hkscs, SaveEncoding::Gb18030, "A741 9DEF A4E5 A5F3",
     "C4E3 86FE CEC4 BCFE", 0, 0},
    {"Utf8ToBig5Hkscs", DisplayCode::Utf8, SaveEncoding::Big5Hkscs, "E4BDA0 E59885 E69687 E4BBB6",
     "A741 9DEF A4E5 A5F3", 0, 0},
    {"LetterWithMarkStaysOneCode", DisplayCode::Big5Hkscs, SaveEncoding::Big5Hkscs, "8862 8866",
     "8862 8866", 0, 0},
    {"LetterWithMarkToUtf8", DisplayCode::Big5Hkscs, SaveEncoding::Utf8, "8862", "C38A CC84", 0, 0},
    // What the frame cannot hold in the encoding is counted and becomes "?".
    {"SimplifiedToBig5Hkscs", DisplayCode::Gb18030, SaveEncoding::Big5Hkscs, "D5E2 41 9534B235",
     "3F 41 3F", 2, 0},
    // Bytes the display code cannot read: counted once each, U+FFFD or "?".
    {"BrokenUtf8ToUtf16", DisplayCode::Utf8, SaveEncoding::Utf16LeWithMark, "41 C080",
     "FFFE 4100 FDFF FDFF", 0, 2},
    {"BrokenGb18030ToBig5Hkscs", DisplayCode::Gb18030, SaveEncoding::Big5Hkscs, "80 41", "3F 41", 0,
     1},
    {"UnmappedGbPairToUtf8", DisplayCode::Gb, SaveEncoding::Utf8, "A1 41 FF FF",
     "EFBFBD 41 EFBFBD EFBFBD", 0, 3},
    // ASCII control bytes, line ends and characters shown by stand-ins are
    // readable: they are written as themselves.
    {"ControlBytesAreText", DisplayCode::Utf8, SaveEncoding::Gb18030, "1B 0D 0A 0D0A 7F",
     "1B 0D 0A 0D0A 7F", 0, 0},
    {"ReservedCharactersAreCharacters", DisplayCode::Utf8, SaveEncoding::Gb18030,
     "E280A8 EF9C80 EFBBBF", "8136A635 8339CB39 84319533", 0, 0},
    {"Gb18030ToUtf8OfEveryPlane", DisplayCode::Gb18030, SaveEncoding::Utf8, "E3329A35", "F48FBFBF",
     0, 0},
    {"EmptyFrame", DisplayCode::Utf8, SaveEncoding::Utf16LeWithMark, "", "FFFE", 0, 0},
};

TEST(SaveEncoding, FrameTextInTheChosenEncoding) {
  for (const SaveCase& c : kSaveCases) {
    SCOPED_TRACE(c.name);
    const SaveText text = MakeSaveText(Hex(c.frameHex), c.code, c.encoding);
    EXPECT_EQ(ToHex(text.bytes), ToHex(Hex(c.fileHex)));
    EXPECT_EQ(text.unwritable, c.unwritable);
    EXPECT_EQ(text.unreadable, c.unreadable);
  }
}

// A frame of today's names saved in each encoding and read back in it gives
// the same characters.
TEST(SaveEncoding, NamesSurviveEveryEncodingTheyFit) {
  const std::string utf8 = Hex("E69CB1 E99595 E59FBA F0A0AEB7 E4BDA0 E59885 E69687 E4BBB6");
  for (const SaveEncoding encoding :
       {SaveEncoding::Utf8, SaveEncoding::Utf16LeWithMark, SaveEncoding::Gb18030}) {
    const SaveText text = MakeSaveText(utf8, DisplayCode::Utf8, encoding);
    EXPECT_EQ(text.unwritable, 0u);
    const DisplayCode back =
        encoding == SaveEncoding::Gb18030 ? DisplayCode::Gb18030 : DisplayCode::Utf8;
    if (encoding != SaveEncoding::Utf16LeWithMark) {
      EXPECT_EQ(MakeSaveText(text.bytes, back, SaveEncoding::Utf8).bytes, utf8);
    }
  }
  // Big5-HKSCS has no simplified 镕 and no 𠮷 (but has 嘅).
  EXPECT_EQ(MakeSaveText(utf8, DisplayCode::Utf8, SaveEncoding::Big5Hkscs).unwritable, 2u);
}

}  // namespace
}  // namespace vortane
