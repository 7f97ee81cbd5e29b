#include "settings/settings_dialog.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "support/stream_check.h"
#include "support/temp_dir.h"
#include "texts/tri_text.h"

namespace vortane {
namespace {

using testing::FakePlatform;
using testing::Hex;
using testing::ScopedTempDir;
using testing::ToHex;

const std::string kNote = "\r\n*Note:  1-->English, 0-->Chinese GB,  2-->Chinese Big5";

class SettingsDialogTest : public ::testing::Test {
 protected:
  static AppSettings Defaults() {
    AppSettings s;
    s.tempDirectory = "/tmp/";
    return s;
  }

  std::optional<std::string> File() const { return ScopedTempDir::Read(dir.File("Vortane.ini")); }

  static SettingsDialog::ControlValues Valid() {
    SettingsDialog::ControlValues v;
    v.languageIndex = 0;
    v.wordWrapNumber = "30";
    v.recogniseDoubleBytes = false;
    v.autoPaste = true;
    v.markCharacter = "|";
    v.tempDirectory = "/var/tmp/";
    return v;
  }

  ScopedTempDir dir;
  FakePlatform platform;
  SettingsStore store{dir.File("Vortane.ini")};
  SettingsDialog dialog{platform, store, Defaults()};
};

TEST_F(SettingsDialogTest, OkWritesTheWholeFileAndCloses) {
  const auto outcome = dialog.OnOk(Valid());
  EXPECT_TRUE(outcome.closeDialog);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(File(),
            "[Mail Vortane]\r\nTemp Directory=/var/tmp/\r\nAuto paste=1\r\n"
            "Recognise double bytes=0\r\nWord wrap number=30\r\nMark character='|'\r\n"
            "Interface=0" +
                kNote);
  EXPECT_EQ(dialog.settings().interfaceLanguage, Language::Gb);
  EXPECT_EQ(dialog.settings().markCharacter, "|");
}

struct ValidationCase {
  const char* name;
  void (*change)(SettingsDialog::ControlValues&);
  std::string message;
  int focus;
  int wordWrapAfter;  // what the field holds after the failed OK
};

TEST_F(SettingsDialogTest, ValidationFailuresStopInOrderAndWriteNothing) {
  const ValidationCase cases[] = {
      {"letters", [](auto& v) { v.wordWrapNumber = "7a"; }, "Please enter an integer.",
       SettingsDialog::kWrapNumberEdit, 70},
      {"empty", [](auto& v) { v.wordWrapNumber = " "; }, "Please enter an integer.",
       SettingsDialog::kWrapNumberEdit, 70},
      {"too big for int", [](auto& v) { v.wordWrapNumber = "99999999999"; },
       "Please enter an integer.", SettingsDialog::kWrapNumberEdit, 70},
      {"below range", [](auto& v) { v.wordWrapNumber = "29"; },
       "Please enter an integer between 30 and 96.", SettingsDialog::kWrapNumberEdit, 29},
      {"above range", [](auto& v) { v.wordWrapNumber = " 97 "; },
       "Please enter an integer between 30 and 96.", SettingsDialog::kWrapNumberEdit, 97},
      {"mark of two bytes", [](auto& v) { v.markCharacter = Hex("D6D0"); },
       "Please enter no more than 1 characters.", SettingsDialog::kMarkEdit, 30},
  };
  for (const ValidationCase& c : cases) {
    FakePlatform p;
    SettingsDialog d(p, store, AppSettings{});
    auto values = Valid();
    c.change(values);
    const auto outcome = d.OnOk(values);
    EXPECT_FALSE(outcome.closeDialog) << c.name;
    EXPECT_EQ(outcome.focusControl, c.focus) << c.name;
    ASSERT_EQ(p.messages.size(), 1U) << c.name;
    EXPECT_EQ(p.messages[0], (UiText{c.message, UiCode::Ascii})) << c.name;
    EXPECT_EQ(d.settings().wordWrapNumber, c.wordWrapAfter) << c.name;
    // The language, transferred first, already holds its new value.
    EXPECT_EQ(d.settings().interfaceLanguage, Language::Gb) << c.name;
    EXPECT_FALSE(File().has_value()) << c.name;
  }
}

TEST_F(SettingsDialogTest, NoLanguageChosenWritesMinusOne) {
  auto values = Valid();
  values.languageIndex = -1;
  ASSERT_TRUE(dialog.OnOk(values).closeDialog);
  EXPECT_NE(File()->find("\r\nInterface=-1\r\n"), std::string::npos);
}

TEST_F(SettingsDialogTest, WriteErrorInTheNewLanguageStillCloses) {
  struct Case {
    int language;
    std::string bytes;
    UiCode code;
  } cases[] = {
      {1, "Write protect error!Can not write to file Vortane.ini.", UiCode::Ascii},
      {0, Hex("D0B4 B1A3 BBA4 B4ED CEF3") + "," + Hex("B2BB C4DC D0B4 CEC4 BCFE") + "Vortane.ini.",
       UiCode::Gb},
      {2, Hex("BC67 AB4F C540 BFF9 BB7E") + "," + Hex("A4A3 AFE0 BC67 A4E5 A5F3") + "Vortane.ini.",
       UiCode::Big5},
  };
  for (const Case& c : cases) {
    FakePlatform p;
    const SettingsStore unwritable(dir.File("missing/Vortane.ini"));
    SettingsDialog d(p, unwritable, AppSettings{});
    auto values = Valid();
    values.languageIndex = c.language;
    EXPECT_TRUE(d.OnOk(values).closeDialog);
    ASSERT_EQ(p.messages.size(), 1U);
    EXPECT_EQ(ToHex(p.messages[0].bytes), ToHex(c.bytes)) << c.language;
    EXPECT_EQ(p.messages[0].code, c.code);
  }
}

TEST_F(SettingsDialogTest, LoadOrCreateWritesDefaultsWhenMissing) {
  AppSettings s = Defaults();
  LoadOrCreateSettings(platform, store, s);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(File(),
            "[Mail Vortane]\r\nTemp Directory=/tmp/\r\nAuto paste=1\r\nRecognise double bytes=1\r\n"
            "Word wrap number=70\r\nMark character='>'\r\nInterface=1" +
                kNote);
}

TEST_F(SettingsDialogTest, LoadOrCreateReadsAnExistingFile) {
  dir.Write("Vortane.ini",
            "[Mail Vortane]\nTemp Directory=/x y/\nAuto paste=0\nRecognise double bytes=0\n"
            "Word wrap number=10\nMark character=' '\nInterface=7\n");
  AppSettings s = Defaults();
  LoadOrCreateSettings(platform, store, s);
  EXPECT_EQ(s.tempDirectory, "/x y/");
  EXPECT_EQ(s.autoPaste, 0);
  EXPECT_EQ(s.wordWrapNumber, 10);
  EXPECT_EQ(s.markCharacter, " ");
  EXPECT_EQ(s.interfaceLanguage, InterfaceLanguage::FromNumber(7));
  // The file is read, not rewritten.
  EXPECT_EQ(File()->substr(0, 15), "[Mail Vortane]\n");
}

TEST_F(SettingsDialogTest, LoadOrCreateReportsInEnglishWhenItCannotWrite) {
  FakePlatform p;
  const SettingsStore unwritable(dir.File("missing/Vortane.ini"));
  AppSettings s = Defaults();
  LoadOrCreateSettings(p, unwritable, s);
  ASSERT_EQ(p.messages.size(), 1U);
  EXPECT_EQ(p.messages[0], Ascii("Write protect error!Can not write to file Vortane.ini."));
  EXPECT_EQ(s.wordWrapNumber, 70);
}

TEST_F(SettingsDialogTest, OpeningTextsFollowTheGbBig5Rule) {
  struct Case {
    int language;
    std::string caption;
    UiCode code;
  } cases[] = {
      {0, Hex("C5E4 D6C3"), UiCode::Gb},    {2, Hex("B074 B86D"), UiCode::Big5},
      {1, "Configuration", UiCode::Ascii},  {7, "Configuration", UiCode::Ascii},
      {-1, "Configuration", UiCode::Ascii},
  };
  for (const Case& c : cases) {
    dialog.settings().interfaceLanguage = InterfaceLanguage::FromNumber(c.language);
    const auto texts = dialog.OpeningTexts();
    EXPECT_EQ(ToHex(texts.caption.bytes), ToHex(c.caption)) << c.language;
    EXPECT_EQ(texts.caption.code, c.code);
    EXPECT_EQ(texts.tempDirectoryLabel.code, c.code);
    EXPECT_EQ(texts.gbRadio.code, UiCode::Gb);
    EXPECT_EQ(texts.big5Radio.code, UiCode::Big5);
    EXPECT_EQ(texts.englishRadio, Ascii("English Interface"));
  }
  dialog.settings().interfaceLanguage = Language::English;
  EXPECT_EQ(dialog.OpeningTexts().tempDirectoryLabel, Ascii("Temp Diectory"));
}

TEST_F(SettingsDialogTest, CurrentValuesShowNoLanguageOutsideTheThree) {
  dialog.settings().interfaceLanguage = InterfaceLanguage::FromNumber(7);
  dialog.settings().wordWrapNumber = 10;
  dialog.settings().recogniseDoubleBytes = 0;
  EXPECT_EQ(dialog.CurrentValues().languageIndex, -1);
  EXPECT_EQ(dialog.CurrentValues().wordWrapNumber, "10");
  EXPECT_FALSE(dialog.CurrentValues().recogniseDoubleBytes);
  dialog.settings().interfaceLanguage = Language::Big5;
  EXPECT_EQ(dialog.CurrentValues().languageIndex, 2);
}

}  // namespace
}  // namespace vortane
