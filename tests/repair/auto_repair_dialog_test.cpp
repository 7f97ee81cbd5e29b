#include "repair/auto_repair_dialog.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "support/stream_check.h"
#include "texts/repair_texts.h"
#include "texts/tri_text.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

// 香港的資料庫測試 in Big5, and 中文测试 in GB.
const std::string kBig5Text = Hex("ADBB B4E4 AABA B8EA AEC6 AE77 B4FA B8D5");
const std::string kGbText = Hex("D6D0 CEC4 B2E2 CAD4");

struct DialogCase {
  const char* name;
  std::string input;
  std::string chain;  // the best reading's chain, in English
  std::string frameBytes;
  DisplayCode frameCode;
};

void PrintTo(const DialogCase& c, std::ostream* os) { *os << c.name; }

class BestReading : public ::testing::TestWithParam<DialogCase> {};

// The best reading is chosen at first; Enter puts it into the frame as bytes
// of the code the frame is then set to.
TEST_P(BestReading, GoesIntoTheFrameInItsCode) {
  const DialogCase& c = GetParam();
  const AutoRepairDialog dialog(c.input, InterfaceLanguage(Language::English));
  ASSERT_FALSE(dialog.empty());
  EXPECT_EQ(dialog.selected(), 0u);
  EXPECT_EQ(dialog.chain(0), (UiText{c.chain, UiCode::Ascii}));
  const FrameReading taken = dialog.Accept();
  EXPECT_EQ(ToHex(taken.bytes), ToHex(c.frameBytes));
  EXPECT_EQ(taken.displayCode, c.frameCode);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BestReading,
    ::testing::Values(
        DialogCase{"Base64OfBig5", "rbu05Kq6uOquxq53tPq41Q==", "Base64, then Big5-HKSCS", kBig5Text,
                   DisplayCode::Big5Hkscs},
        DialogCase{"QuotedPrintableOfBig5", "=AD=BB=B4=E4=AA=BA=B8=EA=AE=C6=AEw=B4=FA=B8=D5",
                   "Quoted-Printable, then Big5-HKSCS", kBig5Text, DisplayCode::Big5Hkscs},
        DialogCase{"HzOfGb", "~{VPND2bJT~}", "HZ, then GB18030", kGbText, DisplayCode::Gb18030},
        DialogCase{"PlainGb", kGbText, "GB18030", kGbText, DisplayCode::Gb18030},
        // A four-byte character stays as it was and is shown.
        DialogCase{"Gb18030FourByte", kGbText + Hex("9532 8236"), "GB18030",
                   kGbText + Hex("9532 8236"), DisplayCode::Gb18030},
        // UTF-8 goes in as it is, whatever mix of simplified and traditional.
        DialogCase{"Utf8Simplified", "中文测试", "UTF-8", "中文测试", DisplayCode::Utf8},
        DialogCase{"Utf8Mixed", "香港的資料庫测试", "UTF-8", "香港的資料庫测试",
                   DisplayCode::Utf8}),
    [](const ::testing::TestParamInfo<DialogCase>& info) { return info.param.name; });

TEST(AutoRepairDialog, ChainAndTextsInEachLanguage) {
  const struct {
    Language language;
    UiCode code;
    std::string_view then;
  } cases[] = {{Language::English, UiCode::Ascii, ", then "},
               {Language::Gb, UiCode::Gb, repair_text::kThen.gb},
               {Language::Big5, UiCode::Big5, repair_text::kThen.big5}};
  for (const auto& c : cases) {
    const AutoRepairDialog dialog("1tDOxA==", InterfaceLanguage(c.language));
    ASSERT_FALSE(dialog.empty());
    const std::string words = std::string("Base64") + std::string(c.then) + "GB18030";
    EXPECT_EQ(dialog.chain(0), Choose(TriText{words, words, words}, c.language));
    EXPECT_EQ(dialog.chain(0).code, c.code);
    EXPECT_EQ(dialog.title(), Choose(repair_text::kTitle, c.language));
    EXPECT_EQ(dialog.noReadingMessage(), Choose(repair_text::kNoReading, c.language));
  }
}

TEST(AutoRepairDialog, NothingChineseGivesNoReadings) {
  for (const std::string_view text : {"", "plain English text", "QUJD"}) {
    const AutoRepairDialog dialog(text, InterfaceLanguage(Language::Gb));
    EXPECT_TRUE(dialog.empty()) << text;
    EXPECT_EQ(dialog.count(), 0u);
    EXPECT_EQ(dialog.chain(0), UiText{});
    EXPECT_EQ(dialog.preview(0), "");
  }
}

// Choosing another reading changes what Enter takes; a choice past the list
// is ignored.
TEST(AutoRepairDialog, SelectChoosesWhatIsTaken) {
  // Big5 bytes also read as GB18030: the dialog offers both.
  AutoRepairDialog dialog(kBig5Text, InterfaceLanguage(Language::English));
  ASSERT_GE(dialog.count(), 2u);
  EXPECT_EQ(dialog.readings()[0].code, Charset::Big5Hkscs);
  const std::size_t other = 1;
  dialog.Select(other);
  EXPECT_EQ(dialog.selected(), other);
  const FrameReading taken = dialog.Accept();
  EXPECT_EQ(taken, ForFrame(dialog.readings()[other]));
  dialog.Select(dialog.count());
  EXPECT_EQ(dialog.selected(), other);
}

TEST(AutoRepairDialog, PreviewIsTheReadingsStart) {
  std::string longText;
  for (int i = 0; i < 1500; ++i) {
    longText += "中文\r\n";  // 4 characters each
  }
  const AutoRepairDialog dialog(longText, InterfaceLanguage(Language::English));
  ASSERT_FALSE(dialog.empty());
  const std::string preview = dialog.preview(0);
  EXPECT_EQ(preview.size(), AutoRepairDialog::kPreviewCharacters / 4 * (2 * 3 + 2));
  EXPECT_EQ(longText.substr(0, preview.size()), preview);
}

// The display code after the frame's Base64 and Quoted-Printable decodings.
TEST(DisplayCodeFor, TheBestReadingsFinalCode) {
  const struct {
    std::string bytes;
    std::optional<DisplayCode> code;
  } cases[] = {
      {kBig5Text, DisplayCode::Big5Hkscs},
      {kGbText, DisplayCode::Gb18030},
      {"~{VPND~}", DisplayCode::Gb18030},  // HZ reads as GB
      {"中文", DisplayCode::Utf8},
      {"ABCDEF", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DisplayCodeFor(c.bytes), c.code) << ToHex(c.bytes);
  }
}

}  // namespace
}  // namespace vortane
