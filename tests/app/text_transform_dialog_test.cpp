#include "app/text_transform_dialog.h"

#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::MainWindowTest;
using testing::ScopedTempDir;
using testing::ToHex;

// --- Start-up ---

TEST(ComputeWindowGeometry, ScreenSizeTable) {
  const struct {
    int sw, sh;
    WindowGeometry g;
  } cases[] = {
      {1000, 760, {900, 650, 225, 669, 606}}, {1920, 1080, {900, 650, 225, 669, 606}},
      {999, 760, {760, 540, 190, 564, 496}},  {1000, 759, {760, 540, 190, 564, 496}},
      {780, 580, {760, 540, 190, 564, 496}},  {779, 600, {600, 420, 150, 444, 376}},
      {800, 579, {600, 420, 150, 444, 376}},  {640, 480, {600, 420, 150, 444, 376}},
  };
  for (const auto& c : cases) {
    const WindowGeometry g = ComputeWindowGeometry({c.sw, c.sh});
    EXPECT_EQ(g.width, c.g.width) << c.sw << "x" << c.sh;
    EXPECT_EQ(g.height, c.g.height) << c.sw << "x" << c.sh;
    EXPECT_EQ(g.sourceWidth, c.g.sourceWidth) << c.sw << "x" << c.sh;
    EXPECT_EQ(g.targetWidth, c.g.targetWidth) << c.sw << "x" << c.sh;
    EXPECT_EQ(g.frameHeight, c.g.frameHeight) << c.sw << "x" << c.sh;
  }
}

TEST_F(MainWindowTest, StartUpWithoutSettingsFileCreatesItAndUsesDefaults) {
  platform.screen = {800, 600};
  StartAsIs();
  EXPECT_EQ(ScopedTempDir::Read(dir.File("Vortane.ini")),
            "[Mail Vortane]\r\nTemp Directory=" + platform.tempDirectory +
                "\r\nAuto paste=1\r\nRecognise double bytes=1\r\nWord wrap number=70\r\n"
                "Mark character='>'\r\nInterface=1\r\n"
                "*Note:  1-->English, 0-->Chinese GB,  2-->Chinese Big5");
  ASSERT_TRUE(view.geometry.has_value());
  EXPECT_EQ(*view.geometry, (testing::FakeMainWindowView::Geometry{760, 540, 190, 564, 496}));
  EXPECT_EQ(view.menus, std::vector<MenuResource>{MenuResource::English});
  EXPECT_EQ(view.titles, std::vector<UiText>{Ascii("Mail Vortane")});
  EXPECT_EQ(view.focusCount, 1);
  EXPECT_TRUE(window->IsTargetUnsaved());
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(window->settings().tempDirectory, platform.tempDirectory);
}

TEST_F(MainWindowTest, StartUpCannotWriteSettingsShowsEnglishErrorAndKeepsDefaults) {
  window = std::make_unique<TextTransformDialog>(
      platform, view, MainWindowPaths{dir.File("no/such/Vortane.ini"), dir.File("Vortane.tmp")});
  window->Initialise();
  ASSERT_EQ(platform.messages.size(), 1U);
  EXPECT_EQ(platform.messages[0], Ascii("Write protect error!Can not write to file Vortane.ini."));
  EXPECT_EQ(window->settings().wordWrapNumber, 70);
  EXPECT_EQ(window->settings().interfaceLanguage, Language::English);
}

TEST_F(MainWindowTest, LanguageChoosesMenuTitleAndFrameCodes) {
  const struct {
    int language;
    MenuResource menu;
    std::string title;
    UiCode code;
    TextCode frames;
  } cases[] = {
      {0, MenuResource::ChineseGb, Hex("D3CA BCFE") + "Vortane", UiCode::Gb, TextCode::Gb},
      {1, MenuResource::English, "Mail Vortane", UiCode::Ascii, TextCode::Gb},
      {2, MenuResource::ChineseBig5, Hex("B66C A5F3") + "Vortane", UiCode::Big5, TextCode::Big5},
      // Any other value reads as Big5 for menu, title and messages alike.
      {7, MenuResource::ChineseBig5, Hex("B66C A5F3") + "Vortane", UiCode::Big5, TextCode::Big5},
      {-1, MenuResource::ChineseBig5, Hex("B66C A5F3") + "Vortane", UiCode::Big5, TextCode::Big5},
  };
  for (const auto& c : cases) {
    AppSettings s;
    s.interfaceLanguage = testing::Lang(c.language);
    testing::StartedWindow w(dir, s);
    EXPECT_EQ(w.view.menus, std::vector<MenuResource>{c.menu}) << c.language;
    ASSERT_EQ(w.view.titles.size(), 1U);
    EXPECT_EQ(ToHex(w.view.titles[0].bytes), ToHex(c.title)) << c.language;
    EXPECT_EQ(w.view.titles[0].code, c.code) << c.language;
    EXPECT_EQ(w.view.source.displayCode, DisplayCodeOf(c.frames)) << c.language;
    EXPECT_EQ(w.view.target.displayCode, DisplayCodeOf(c.frames)) << c.language;
  }
}

TEST_F(MainWindowTest, AutoPasteFillsTheSourceFrameOnly) {
  platform.clipboard.Set(Hex("D6D0 CEC4") + "\r\nmail");
  StartAsIs();  // defaults: auto paste on
  EXPECT_EQ(view.source.bytes, Hex("D6D0 CEC4") + "\r\nmail");
  EXPECT_TRUE(view.target.bytes.empty());
  // The members are still empty: a command that pushes without pulling shows it.
  Run(Command::Close);
  EXPECT_TRUE(view.source.bytes.empty());
}

TEST_F(MainWindowTest, AutoPasteOffOrClipboardUnreadableLeavesSourceEmpty) {
  platform.clipboard.Set("text");
  Start();  // auto paste off
  EXPECT_TRUE(view.source.bytes.empty());
  EXPECT_TRUE(platform.clipboardReads.empty());

  testing::FakePlatform p;
  testing::FakeMainWindowView v(p);
  p.clipboard.Set("text");
  p.clipboard.readFailure = ClipboardStatus::CannotOpen;
  ScopedTempDir other;
  TextTransformDialog w(p, v, {other.File("Vortane.ini"), other.File("Vortane.tmp")});
  w.Initialise();
  EXPECT_TRUE(v.source.bytes.empty());
  EXPECT_TRUE(p.messages.empty());
}

// --- Quit prompt ---

struct QuitCase {
  const char* name;
  std::string target;
  void (*before)(MainWindowTest&);  // commands run before Exit
  bool asks;
  bool answer;
  bool closes;
};

class QuitPromptTest : public MainWindowTest, public ::testing::WithParamInterface<QuitCase> {};

TEST_P(QuitPromptTest, ExitAsksOnlyWhenTargetIsUnsaved) {
  const QuitCase& c = GetParam();
  Start();
  Type("src", c.target);
  if (c.before != nullptr) {
    c.before(*this);
  }
  platform.questions.clear();
  platform.answers = {c.answer};
  Run(Command::Exit);
  EXPECT_EQ(platform.questions.size(), c.asks ? 1U : 0U);
  EXPECT_EQ(view.closed, c.closes);
  if (!c.closes) {
    EXPECT_EQ(view.source.bytes, "src");
  }
}

void SaveTarget(MainWindowTest& t);

INSTANTIATE_TEST_SUITE_P(
    Cases, QuitPromptTest,
    ::testing::Values(QuitCase{"empty_target", "", nullptr, false, false, true},
                      QuitCase{"unsaved_no", "text", nullptr, true, false, false},
                      QuitCase{"unsaved_yes", "text", nullptr, true, true, true},
                      QuitCase{"after_save", "text", SaveTarget, false, false, true},
                      QuitCase{"decoding_after_save_does_not_rearm", "text",
                               [](MainWindowTest& t) {
                                 SaveTarget(t);
                                 t.view.source.bytes = "QUJD";
                                 t.window->OnCommand(Command::DecodeBase64);
                               },
                               false, false, true},
                      QuitCase{"after_close", "text",
                               [](MainWindowTest& t) { t.window->OnCommand(Command::Close); },
                               false, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A helper visible to the table above.
void SaveTarget(MainWindowTest& t) {
  t.platform.saveFiles.push_back(t.dir.File("saved.txt"));
  t.window->OnCommand(Command::SaveAs);
}

TEST_F(MainWindowTest, CloseRequestAsksTheQuitQuestionInEachLanguage) {
  const struct {
    int language;
    std::string question;
    std::string caption;
  } cases[] = {
      {1, "You do Not save the target text!Are you sure you want to quit?", "Quit?"},
      {0,
       Hex("C4FA C3BB D3D0 B4E6 B4A2 C4BF B1EA CEC4 B1BE B5BD CEC4 BCFE") + "!" +
           Hex("C8B7 CAB5 D2AA CDCB B3F6 C2F0") + "?",
       Hex("CDCB B3F6") + "?"},
      {2,
       Hex("B17A A853 A6B3 A673 C078 A5D8 BCD0 A4E5 A5BB A8EC A4E5 A5F3") + "!" +
           Hex("BD54 B9EA AD6E B068 A558 B6DC") + "?",
       Hex("B068 A558") + "?"},
  };
  for (const auto& c : cases) {
    testing::StartedWindow w(dir, testing::SettingsWithoutAutoPaste(c.language));
    w.view.target.bytes = "x";
    w.window.OnCloseRequested();
    ASSERT_EQ(w.platform.questions.size(), 1U);
    EXPECT_EQ(ToHex(w.platform.questions[0].question.bytes), ToHex(c.question)) << c.language;
    EXPECT_EQ(ToHex(w.platform.questions[0].caption.bytes), ToHex(c.caption)) << c.language;
    EXPECT_FALSE(w.view.closed);
  }
}

// --- Open ---

TEST_F(MainWindowTest, OpenShowsTheFileAndArmsThePrompts) {
  Start();
  Type("old", "");
  Run(Command::Close);  // clears targetUnsaved
  const std::string content = "line one\r\n" + Hex("B2E2 CAD4") + "\r\n";
  dir.Write("in.txt", content);
  platform.openFiles.push_back(dir.File("in.txt"));
  Run(Command::Open);
  EXPECT_EQ(view.source.bytes, content);
  EXPECT_TRUE(window->IsTargetUnsaved());
  EXPECT_TRUE(platform.messages.empty());
  ASSERT_EQ(platform.openDialogs.size(), 1U);
  EXPECT_EQ(platform.openDialogs[0].filterDescription, "All File(*.*)");
  EXPECT_EQ(platform.openDialogs[0].filterPattern, "*.*");
  EXPECT_TRUE(platform.openDialogs[0].defaultExtension.empty());
}

TEST_F(MainWindowTest, OpenCutsLongOrNulHoldingFilesAndSaysSo) {
  const struct {
    const char* name;
    std::string content;
    std::size_t shown;
    bool message;
  } cases[] = {
      {"exactly the limit", std::string(65535, 'a'), 65535, false},
      {"one byte over", std::string(65536, 'b'), 65535, true},
      {"seventy thousand", std::string(70000, 'c'), 65535, true},
      {"nul as tenth byte", std::string("123456789\0abc", 13), 9, true},
      {"empty", "", 0, false},
  };
  Start();
  for (const auto& c : cases) {
    platform.messages.clear();
    dir.Write("in.txt", c.content);
    platform.openFiles.push_back(dir.File("in.txt"));
    Run(Command::Open);
    EXPECT_EQ(view.source.bytes, c.content.substr(0, c.shown)) << c.name;
    EXPECT_TRUE(window->IsTargetUnsaved()) << c.name;
    ASSERT_EQ(platform.messages.size(), c.message ? 1U : 0U) << c.name;
    if (c.message) {
      EXPECT_EQ(platform.messages[0],
                Ascii("The file " + dir.File("in.txt") +
                      " is longer than 65535 bytes or holds a 0 byte: the source frame shows "
                      "only its beginning. To decode a whole file, use File > Decode file as."))
          << c.name;
    }
  }
}

TEST_F(MainWindowTest, OpenCutMessageInChinese) {
  Start(0);
  dir.Write("in.txt", std::string("ab\0c", 4));
  platform.openFiles.push_back(dir.File("in.txt"));
  Run(Command::Open);
  ASSERT_EQ(platform.messages.size(), 1U);
  EXPECT_EQ(platform.messages[0].code, UiCode::Gb);
  // "文件 <path> 超过..."
  EXPECT_EQ(platform.messages[0].bytes.substr(0, 5 + dir.File("in.txt").size()),
            Hex("CEC4 BCFE") + " " + dir.File("in.txt"));
}

TEST_F(MainWindowTest, OpenCancelledAfterSaveQuestionLeavesFrames) {
  Start();
  Type("src", "tgt");
  platform.answers = {false};
  Run(Command::Open);
  ASSERT_EQ(platform.questions.size(), 1U);
  EXPECT_EQ(platform.questions[0].question, Ascii("Save the target texts as file?"));
  EXPECT_EQ(platform.questions[0].caption, Ascii("Save?"));
  EXPECT_EQ(view.source.bytes, "src");
  EXPECT_EQ(view.target.bytes, "tgt");
  EXPECT_TRUE(platform.saveDialogs.empty());
}

TEST_F(MainWindowTest, OpenSaveQuestionYesRunsSaveAsThenOpens) {
  Start(2);
  Type("src", "tgt\r\n");
  dir.Write("in.txt", "new");
  platform.answers = {true};
  platform.saveFiles.push_back(dir.File("out.txt"));
  platform.openFiles.push_back(dir.File("in.txt"));
  Run(Command::Open);
  ASSERT_EQ(platform.questions.size(), 1U);
  EXPECT_EQ(ToHex(platform.questions[0].question.bytes),
            ToHex(Hex("A673 C078 A5D8 BCD0 A4E5 A5BB A8EC A4E5 A5F3") + "?"));
  EXPECT_EQ(ToHex(platform.questions[0].caption.bytes), ToHex(Hex("A673 C078") + "?"));
  EXPECT_EQ(ScopedTempDir::Read(dir.File("out.txt")), "tgt\r\n");
  EXPECT_EQ(view.source.bytes, "new");
  EXPECT_EQ(view.target.bytes, "tgt\r\n");
  // Open arms the prompt again after the save cleared it.
  EXPECT_TRUE(window->IsTargetUnsaved());
}

TEST_F(MainWindowTest, OpenUnreadableFileSaysSoAndChangesNothing) {
  Start();
  Type("src", "");
  platform.openFiles.push_back(dir.File("missing.txt"));
  Run(Command::Open);
  ASSERT_EQ(platform.messages.size(), 1U);
  EXPECT_EQ(platform.messages[0], Ascii("Can not open the file " + dir.File("missing.txt") +
                                        ": No such file or directory"));
  EXPECT_EQ(view.source.bytes, "src");
}

// --- Save As ---

TEST_F(MainWindowTest, SaveAsWritesTheTargetBytesUnchanged) {
  Start();
  Type("src", "a\r\nb");
  dir.Write("out.txt", "old contents that are longer");
  platform.saveFiles.push_back(dir.File("out.txt"));
  Run(Command::SaveAs);
  EXPECT_EQ(ScopedTempDir::Read(dir.File("out.txt")), "a\r\nb");
  EXPECT_FALSE(window->IsTargetUnsaved());
  ASSERT_EQ(platform.saveDialogs.size(), 1U);
  const FileDialogOptions& options = platform.saveDialogs[0];
  EXPECT_EQ(options.filterDescription, "Text Files(*.txt)");
  EXPECT_EQ(options.filterPattern, "*.txt");
  EXPECT_EQ(options.defaultExtension, "TXT");
  EXPECT_EQ(options.initialName, "*.TXT");
  EXPECT_TRUE(options.overwritePrompt);
}

TEST_F(MainWindowTest, SaveAsOfEmptyTargetOrCancelledDoesNothing) {
  Start();
  Run(Command::SaveAs);
  EXPECT_TRUE(platform.saveDialogs.empty());
  Type("", "text");
  Run(Command::SaveAs);  // the dialog is cancelled
  EXPECT_EQ(platform.saveDialogs.size(), 1U);
  EXPECT_TRUE(window->IsTargetUnsaved());
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MainWindowTest, SaveAsFailureSaysSoInEachLanguageAndKeepsThePromptArmed) {
  const struct {
    int language;
    UiCode code;
    std::string start;
  } cases[] = {
      {1, UiCode::Ascii, "Can not write the file "},
      {0, UiCode::Gb, Hex("B2BB C4DC D0B4 CEC4 BCFE") + " "},
      {2, UiCode::Big5, Hex("A4A3 AFE0 BC67 A4E5 A5F3") + " "},
  };
  for (const auto& c : cases) {
    testing::StartedWindow w(dir, testing::SettingsWithoutAutoPaste(c.language));
    w.view.target.bytes = "text";
    const std::string path = dir.File("no-dir/out.txt");
    w.platform.saveFiles.push_back(path);
    w.window.OnCommand(Command::SaveAs);
    ASSERT_EQ(w.platform.messages.size(), 1U) << c.language;
    EXPECT_EQ(w.platform.messages[0].code, c.code);
    EXPECT_EQ(ToHex(w.platform.messages[0].bytes.substr(0, c.start.size())), ToHex(c.start));
    EXPECT_NE(w.platform.messages[0].bytes.find(path + ": No such file or directory"),
              std::string::npos);
    EXPECT_TRUE(w.window.IsTargetUnsaved());
  }
}

// --- Close ---

TEST_F(MainWindowTest, CloseEmptiesBothFramesWithoutAsking) {
  Start();
  Type("src", "tgt");
  Run(Command::Close);
  EXPECT_TRUE(view.source.bytes.empty());
  EXPECT_TRUE(view.target.bytes.empty());
  EXPECT_FALSE(window->IsTargetUnsaved());
  EXPECT_TRUE(platform.questions.empty());
}

// --- Setting... ---

TEST_F(MainWindowTest, SettingOkAppliesTheNewLanguageAtOnce) {
  Start();
  view.onSettingsDialog = [](SettingsDialog& d) {
    auto values = d.CurrentValues();
    values.languageIndex = 0;
    values.markCharacter = "#";
    return d.OnOk(values).closeDialog;
  };
  Run(Command::Setting);
  EXPECT_EQ(view.menus.back(), MenuResource::ChineseGb);
  EXPECT_EQ(ToHex(view.titles.back().bytes), ToHex(Hex("D3CA BCFE") + "Vortane"));
  EXPECT_EQ(window->settings().markCharacter, "#");
  EXPECT_NE(ScopedTempDir::Read(dir.File("Vortane.ini"))->find("Interface=0"), std::string::npos);
  // The next message is GB.
  Type("", "x");
  Run(Command::Exit);
  ASSERT_EQ(platform.questions.size(), 1U);
  EXPECT_EQ(platform.questions[0].caption.code, UiCode::Gb);
}

TEST_F(MainWindowTest, SettingExitOrFailedValidationKeepsMenuAndTitle) {
  Start();
  Run(Command::Setting);  // no callback: the dialog ends with Exit
  view.onSettingsDialog = [](SettingsDialog& d) {
    auto values = d.CurrentValues();
    values.languageIndex = 2;
    values.wordWrapNumber = "10";
    return d.OnOk(values).closeDialog;  // refused: the user then leaves with Exit
  };
  Run(Command::Setting);
  EXPECT_EQ(view.settingsRuns, 2);
  EXPECT_EQ(view.menus.size(), 1U);
  EXPECT_EQ(view.titles.size(), 1U);
  ASSERT_EQ(platform.messages.size(), 1U);
  EXPECT_EQ(platform.messages[0], Ascii("Please enter an integer between 30 and 96."));
}

// The dialog edits a copy: the fields a refused OK had already taken do not
// reach the live settings when the user then leaves with Exit.
TEST_F(MainWindowTest, SettingRefusedThenExitLeavesTheLiveSettingsAlone) {
  Start();
  view.onSettingsDialog = [](SettingsDialog& d) {
    auto values = d.CurrentValues();
    values.languageIndex = 0;
    values.wordWrapNumber = "10";
    EXPECT_FALSE(d.OnOk(values).closeDialog);
    EXPECT_EQ(d.settings().wordWrapNumber, 10);
    return false;
  };
  Run(Command::Setting);
  EXPECT_EQ(window->settings().wordWrapNumber, 70);
  EXPECT_EQ(window->settings().interfaceLanguage, Language::English);
  Type("", std::string(75, 'a'));
  Run(Command::WordWrap);
  EXPECT_EQ(view.target.bytes, std::string(70, 'a') + "\r\n" + std::string(5, 'a'));
}

TEST_F(MainWindowTest, SettingWithNoLanguageChosenUsesTheBig5Menu) {
  Start();
  view.onSettingsDialog = [](SettingsDialog& d) {
    auto values = d.CurrentValues();
    values.languageIndex = -1;
    return d.OnOk(values).closeDialog;
  };
  Run(Command::Setting);
  EXPECT_EQ(view.menus.back(), MenuResource::ChineseBig5);
  EXPECT_EQ(view.titles.back().code, UiCode::Big5);
}

// --- Other dialogs ---

TEST_F(MainWindowTest, ConverterAboutAndHelpRunTheirDialogsWithoutTouchingFrames) {
  Start();
  Type("src", "tgt");
  const int sourceSets = view.source.setCount;
  Run(Command::CodeConverter);
  Run(Command::About);
  Run(Command::HelpContents);
  EXPECT_EQ(view.converterRuns, 1);
  EXPECT_EQ(view.aboutRuns, 1);
  EXPECT_EQ(view.helpRuns, 1);
  EXPECT_EQ(view.source.setCount, sourceSets);
  EXPECT_EQ(view.target.bytes, "tgt");
}

TEST_F(MainWindowTest, UnknownCommandIsIgnored) {
  Start();
  Type("src", "tgt");
  Run(static_cast<Command>(12345));
  EXPECT_EQ(view.source.bytes, "src");
  EXPECT_FALSE(view.closed);
}

}  // namespace
}  // namespace vortane
