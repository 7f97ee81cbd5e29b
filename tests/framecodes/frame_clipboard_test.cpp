#include "framecodes/frame_clipboard.h"

#include <gtest/gtest.h>

#include <string>

#include "cjk/display_text.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

struct ClipboardCase {
  const char* name;
  DisplayCode code;
  const char* hexBytes;
  std::u16string text;
};

// Bytes copied out of a frame, and the same text pasted back in.
const ClipboardCase kRoundTrips[] = {
    {"Utf8", DisplayCode::Utf8, "E69CB1 0D0A F0A0AEB7 0D0A 41", u"\u6731\n\U00020BB7\nA"},
    {"Gb18030", DisplayCode::Gb18030, "D6EC E946 0D0A 9534B235", u"\u6731\u9555\n\U00020BB7"},
    {"Big5Hkscs", DisplayCode::Big5Hkscs, "9DEF 8862", u"\u5605\u00CA\u0304"},
    {"PrivateUseIsACharacterUnderUtf8", DisplayCode::Utf8, "EF9C80", u"\uF700"},
    {"PrivateUseIsACharacterUnderGb18030", DisplayCode::Gb18030, "8339CB39", u"\uF700"},
};

TEST(FrameClipboard, TextForOtherProgramsAndBack) {
  for (const ClipboardCase& c : kRoundTrips) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ClipboardTextFromFrameBytes(Hex(c.hexBytes), c.code), c.text);
    std::size_t unheld = 99;
    EXPECT_EQ(ToHex(FrameBytesFromClipboardText(c.text, c.code, &unheld)), ToHex(Hex(c.hexBytes)));
    EXPECT_EQ(unheld, 0u);
  }
}

TEST(FrameClipboard, UnreadableBytesBecomeReplacementCharacters) {
  EXPECT_EQ(ClipboardTextFromFrameBytes(Hex("41 80 42"), DisplayCode::Utf8), u"A\uFFFDB");
  EXPECT_EQ(ClipboardTextFromFrameBytes(Hex("41 80 42"), DisplayCode::Gb18030), u"A\uFFFDB");
  EXPECT_EQ(ClipboardTextFromFrameBytes(Hex("0D 41"), DisplayCode::Big5Hkscs), u"\rA");
}

TEST(FrameClipboard, PastedTextTakesFrameLineEnds) {
  for (const DisplayCode code : kDisplayCodes) {
    SCOPED_TRACE(std::string(DisplayCodeName(code)));
    EXPECT_EQ(FrameBytesFromClipboardText(u"a\nb\r\nc\rd", code), "a\r\nb\r\nc\rd");
    EXPECT_EQ(FrameBytesFromClipboardText(u"\u2029x\u2028", code), "\r\nx\n");
  }
}

TEST(FrameClipboard, CharactersTheCodeLacksAreCounted) {
  std::size_t unheld = 0;
  EXPECT_EQ(FrameBytesFromClipboardText(u"\u8FD9\U00020BB7a", DisplayCode::Big5Hkscs, &unheld),
            "??a");
  EXPECT_EQ(unheld, 2u);
  EXPECT_EQ(FrameBytesFromClipboardText(u"\u9555\U00020BB7a", DisplayCode::Gb, &unheld), "??a");
  EXPECT_EQ(unheld, 2u);
  // GB and Big5 give what the program's own clipboard conversion gives.
  for (const std::u16string text : {u"\u4E2D\n\u6587 x\r\n", u"\uF700\u8FD9"}) {
    EXPECT_EQ(FrameBytesFromClipboardText(text, DisplayCode::Gb),
              BytesFromClipboardText(text, TextCode::Gb));
    EXPECT_EQ(FrameBytesFromClipboardText(text, DisplayCode::Big5),
              BytesFromClipboardText(text, TextCode::Big5));
  }
}

}  // namespace
}  // namespace vortane
