#include "texts/main_window_texts.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

TEST(MainWindowTexts, EveryTextConvertsCompletelyIntoItsCode) {
  for (const TriText& text : texts::MainWindowTexts()) {
    EXPECT_TRUE(IsAscii(text.english)) << text.english;
    bool gbComplete = true;
    bool big5Complete = true;
    (void)EncodeUtf8As(text.gb, TextCode::Gb, &gbComplete);
    (void)EncodeUtf8As(text.big5, TextCode::Big5, &big5Complete);
    EXPECT_TRUE(gbComplete) << text.gb;
    EXPECT_TRUE(big5Complete) << text.big5;
  }
  EXPECT_TRUE(IsAscii(texts::kTempFileError));
}

struct SpotCase {
  const TriText* text;
  int language;
  UiCode code;
  const char* hex;
};

TEST(MainWindowTexts, ChosenBytesAreExact) {
  const SpotCase cases[] = {
      {&texts::kTitle, 0, UiCode::Gb, "D3CA BCFE 56 6F 72 74 61 6E 65"},
      {&texts::kTitle, 2, UiCode::Big5, "B66C A5F3 56 6F 72 74 61 6E 65"},
      {&texts::kTitle, 1, UiCode::Ascii, "4D 61 69 6C 20 56 6F 72 74 61 6E 65"},
      {&texts::kWriteProtectError, 0, UiCode::Gb, "D0B4 B1A3 BBA4 B4ED CEF3 2E"},
      {&texts::kWriteProtectError, 2, UiCode::Big5, "BC67 AB4F C540 BFF9 BB7E 2E"},
      {&texts::kQuitCaption, 2, UiCode::Big5, "B068 A558 3F"},
      {&texts::kOpenFilePrefix, 0, UiCode::Gb, "B4F2 BFAA CEC4 BCFE 3D"},
      {&texts::kObjectFilePrefix, 2, UiCode::Big5, "A673 C078 A4E5 A5F3 3D"},
      // A value outside 0..2 reads as Big5 under the usual rule.
      {&texts::kTitle, 7, UiCode::Big5, "B66C A5F3 56 6F 72 74 61 6E 65"},
  };
  for (const SpotCase& c : cases) {
    const UiText chosen = Choose(*c.text, InterfaceLanguage::FromNumber(c.language).ForMessages());
    EXPECT_EQ(ToHex(chosen.bytes), ToHex(Hex(c.hex))) << c.text->english << " / " << c.language;
    EXPECT_EQ(chosen.code, c.code) << c.text->english;
  }
}

}  // namespace
}  // namespace vortane
