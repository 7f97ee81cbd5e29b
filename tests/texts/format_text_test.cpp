#include "texts/format_text.h"

#include <gtest/gtest.h>

#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

constexpr TriText kSample{"Can not open %1: %2", "不能打开 %1: %2", "不能打開 %1: %2"};

TEST(ReplacePlaceholders, FillsNumberedPlacesAndKeepsTheRest) {
  const std::string_view args[] = {"a%2b", "X"};
  // An argument is not searched again; %3 has no argument and stays.
  EXPECT_EQ(ReplacePlaceholders("%2-%1-%3-%", args), "X-a%2b-%3-%");
}

struct FormatCase {
  const char* name;
  int language;
  const char* path;
  UiCode code;
  std::string expected;
};

TEST(FormatText, EncodesArgumentsInTheCodeOfTheText) {
  const FormatCase cases[] = {
      {"english ascii", 1, "/tmp/a.txt", UiCode::Ascii, "Can not open /tmp/a.txt: gone"},
      {"english with a chinese name becomes GB", 1, "/tmp/中文.txt", UiCode::Gb,
       "Can not open /tmp/" + Hex("D6D0 CEC4") + ".txt: gone"},
      {"gb", 0, "/tmp/中文.txt", UiCode::Gb,
       Hex("B2BB C4DC B4F2 BFAA") + " /tmp/" + Hex("D6D0 CEC4") + ".txt: gone"},
      {"big5", 2, "/tmp/中文.txt", UiCode::Big5,
       Hex("A4A3 AFE0 A5B4 B67D") + " /tmp/" + Hex("A4A4 A4E5") + ".txt: gone"},
      {"gb cannot hold a traditional character", 0, "/tmp/郵", UiCode::Gb,
       Hex("B2BB C4DC B4F2 BFAA") + " /tmp/?: gone"},
  };
  for (const FormatCase& c : cases) {
    const UiText text = FormatText(kSample, InterfaceLanguage::FromNumber(c.language).ForMessages(),
                                   {c.path, "gone"});
    EXPECT_EQ(text.code, c.code) << c.name;
    EXPECT_EQ(ToHex(text.bytes), ToHex(c.expected)) << c.name;
  }
}

TEST(FormatText, UnencodableCharacterBecomesQuestionMark) {
  const UiText text = FormatText(kSample, Language::Big5, {"/tmp/\xF0\x9F\x98\x80", "x"});
  EXPECT_NE(text.bytes.find("/tmp/?:"), std::string::npos) << ToHex(text.bytes);
}

}  // namespace
}  // namespace vortane
