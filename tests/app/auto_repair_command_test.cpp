// Decode > Automatic... on the fake platform: the readings of the source
// frame, the one taken in the target frame with its display code.
#include <gtest/gtest.h>

#include <string>

#include "app/main_window_fixture.h"
#include "repair/auto_repair_dialog.h"
#include "texts/repair_texts.h"

namespace vortane::testing {
namespace {

// 中文測試 in Big5, as Base64.
constexpr std::string_view kBase64OfBig5 = "pKSk5bT6uNU=";
const std::string kBig5Text = Hex("A4A4 A4E5 B4FA B8D5");

class AutoRepairCommand : public MainWindowTest {};

TEST_F(AutoRepairCommand, EnterTakesTheBestIntoTheTargetWithItsCode) {
  Start();
  Type(kBase64OfBig5, "old");
  view.target.displayCode = DisplayCode::Gb;
  std::string chain;
  view.onAutoRepair = [&](AutoRepairDialog& dialog) {
    chain = dialog.chain(dialog.selected()).bytes;
    return true;  // Enter: the reading chosen at first
  };
  Run(Command::AutoRepair);
  EXPECT_EQ(view.autoRepairRuns, 1);
  EXPECT_EQ(chain, "Base64, then Big5-HKSCS");
  EXPECT_EQ(ToHex(view.target.bytes), ToHex(kBig5Text));
  EXPECT_EQ(view.target.displayCode, DisplayCode::Big5Hkscs);
  EXPECT_EQ(view.source.bytes, kBase64OfBig5);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(AutoRepairCommand, AnotherReadingChosenIsTheOneTaken) {
  Start();
  Type(kBig5Text, "");
  FrameReading expected;
  view.onAutoRepair = [&](AutoRepairDialog& dialog) {
    EXPECT_GE(dialog.count(), 2u);
    dialog.Select(1);
    expected = ForFrame(dialog.readings()[1]);
    return true;
  };
  Run(Command::AutoRepair);
  EXPECT_EQ(ToHex(view.target.bytes), ToHex(expected.bytes));
  EXPECT_EQ(view.target.displayCode, expected.displayCode);
}

TEST_F(AutoRepairCommand, CancelLeavesTheFramesAsTheyWere) {
  Start();
  Type(kBase64OfBig5, "old");
  view.target.displayCode = DisplayCode::Gb;
  const int targetSets = view.target.setCount;
  Run(Command::AutoRepair);  // the fake cancels when not scripted
  EXPECT_EQ(view.autoRepairRuns, 1);
  EXPECT_EQ(view.target.bytes, "old");
  EXPECT_EQ(view.target.setCount, targetSets);
  EXPECT_EQ(view.target.displayCode, DisplayCode::Gb);
}

TEST_F(AutoRepairCommand, NoReadingIsSaidInTheInterfaceLanguage) {
  const struct {
    int language;
    Language texts;
  } cases[] = {{kLanguageEnglish, Language::English},
               {kLanguageGb, Language::Gb},
               {kLanguageBig5, Language::Big5}};
  for (const auto& c : cases) {
    Start(c.language);
    platform.messages.clear();
    Type("plain English text", "old");
    Run(Command::AutoRepair);
    EXPECT_EQ(view.autoRepairRuns, 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], Choose(repair_text::kNoReading, c.texts));
    EXPECT_EQ(view.target.bytes, "old");
  }
}

}  // namespace
}  // namespace vortane::testing
