// The decode-file flow of the five File > Decode file as commands.
#include <gtest/gtest.h>

#include <filesystem>

#include "main_window_fixture.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::MainWindowTest;
using testing::ScopedTempDir;
using testing::ToHex;

const std::string kNotice =
    "After decoding, you should save object as file, and the object would not be displayed in "
    "the target box.If no filename is inputted, the default filename is Vortane.tmp.";

struct MethodCase {
  const char* name;
  Command command;
  std::string label;
  std::string input;
  std::string output;
};

class DecodeFileMethodTest : public MainWindowTest,
                             public ::testing::WithParamInterface<MethodCase> {};

TEST_P(DecodeFileMethodTest, CompleteRunWritesOutputAndSummary) {
  const MethodCase& c = GetParam();
  Start();
  Type("source stays", "old target");
  const int unsavedQuestions = 1;
  platform.answers = {false};
  dir.Write("in.b", c.input);
  platform.openFiles.push_back(dir.File("in.b"));
  platform.saveFiles.push_back(dir.File("out.b"));
  Run(c.command);

  EXPECT_EQ(platform.questions.size(), static_cast<std::size_t>(unsavedQuestions));
  EXPECT_EQ(ToHex(ScopedTempDir::Read(dir.File("out.b")).value_or("none")), ToHex(c.output));
  EXPECT_EQ(view.target.bytes, "Open filename=" + dir.File("in.b") + "\r\n\r\nOpen method=" +
                                   c.label + "\r\n\r\nObject filename=" + dir.File("out.b"));
  EXPECT_EQ(view.source.bytes, "source stays");
  ASSERT_EQ(platform.messages.size(), 1U);
  EXPECT_EQ(platform.messages[0], Ascii(kNotice));
  for (const auto* dialogs : {&platform.openDialogs, &platform.saveDialogs}) {
    ASSERT_EQ(dialogs->size(), 1U);
    EXPECT_EQ((*dialogs)[0].filterDescription, "All Files(*.*)");
    EXPECT_EQ((*dialogs)[0].filterPattern, "*.*");
    EXPECT_TRUE((*dialogs)[0].defaultExtension.empty());
  }
  EXPECT_EQ(platform.progress.begun, 1);
  EXPECT_EQ(platform.progress.ended, 1);
  EXPECT_EQ(platform.progress.total, c.input.size());
  EXPECT_TRUE(window->IsTargetUnsaved());
}

INSTANTIATE_TEST_SUITE_P(
    Methods, DecodeFileMethodTest,
    ::testing::Values(
        // The file rule decodes a last group of two characters without "=".
        MethodCase{"base64", Command::DecodeFileBase64, "Base 64", "QUJDRE", "ABCD"},
        MethodCase{"quoted_printable", Command::DecodeFileQuotedPrintable, "Quoted Printable",
                   "=B2=E2=B2\r\n=E2", Hex("B2E2 B2 0D0A E2")},
        MethodCase{"hz", Command::DecodeFileHz, "HZ code", "~~{2b", "~~{2b"},
        MethodCase{"utf7", Command::DecodeFileUtf7, "UTF-7", "A+-B", Hex("0041 002B 0042")},
        MethodCase{"utf8", Command::DecodeFileUtf8, "UTF-8", Hex("E4B8AD 0D0A"),
                   Hex("4E2D 000D 000A")},
        MethodCase{"empty_input", Command::DecodeFileBase64, "Base 64", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, DecodeFileSummaryInChineseWritesPathsInTheFrameCode) {
  const struct {
    int language;
    TextCode frame;
    std::string open;
    std::string method;
    std::string object;
    std::string dirName;  // the input's folder name in the frame's code
  } cases[] = {
      {0, TextCode::Gb, Hex("B4F2 BFAA CEC4 BCFE") + "=", Hex("B4F2 BFAA B7BD CABD") + "=",
       Hex("B4E6 B4A2 CEC4 BCFE") + "=", Hex("D6D0 CEC4")},
      {2, TextCode::Big5, Hex("A5B4 B67D A4E5 A5F3") + "=", Hex("A5B4 B67D A4E8 A6A1") + "=",
       Hex("A673 C078 A4E5 A5F3") + "=", Hex("A4A4 A4E5")},
  };
  for (const auto& c : cases) {
    testing::StartedWindow w(dir, testing::SettingsWithoutAutoPaste(c.language));
    w.view.target.displayCode = DisplayCode::Gb;  // the summary sets the code of its language

    std::filesystem::create_directories(dir.File("中文"));
    dir.Write("中文/in.txt", "QUJD");
    w.platform.openFiles.push_back(dir.File("中文/in.txt"));
    w.platform.saveFiles.push_back(dir.File("out.txt"));
    w.window.OnCommand(Command::DecodeFileBase64);

    EXPECT_EQ(w.view.target.displayCode, DisplayCodeOf(c.frame));
    const std::string expected = c.open + dir.path() + "/" + c.dirName + "/in.txt\r\n\r\n" +
                                 c.method + "Base 64\r\n\r\n" + c.object + dir.File("out.txt");
    EXPECT_EQ(ToHex(w.view.target.bytes), ToHex(expected)) << c.language;
    ASSERT_EQ(w.platform.messages.size(), 1U);
    EXPECT_EQ(w.platform.messages[0].code, c.language == 0 ? UiCode::Gb : UiCode::Big5);
  }
}

TEST_F(MainWindowTest, DecodeFileEnglishSummaryUsesTheTargetFrameCodeForPaths) {
  Start();
  view.target.displayCode = DisplayCode::Big5;
  std::filesystem::create_directories(dir.File("中文"));
  dir.Write("中文/in.txt", "QUJD");
  platform.openFiles.push_back(dir.File("中文/in.txt"));
  platform.saveFiles.push_back(dir.File("中文/out.txt"));
  Run(Command::DecodeFileBase64);
  EXPECT_EQ(view.target.displayCode, DisplayCode::Big5);
  const std::string big5Dir = dir.path() + "/" + Hex("A4A4 A4E5");
  EXPECT_EQ(ToHex(view.target.bytes), ToHex("Open filename=" + big5Dir +
                                            "/in.txt\r\n\r\nOpen method=Base 64\r\n\r\n"
                                            "Object filename=" +
                                            big5Dir + "/out.txt"));
}

TEST_F(MainWindowTest, DecodeFileCancelledOpenDialogLeavesFrames) {
  Start();
  Type("src", "tgt");
  Run(Command::DecodeFileHz);
  EXPECT_EQ(view.source.bytes, "src");
  EXPECT_EQ(view.target.bytes, "tgt");
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(platform.saveDialogs.empty());
}

TEST_F(MainWindowTest, DecodeFileCancelledSaveDialogWritesTheDefaultOutput) {
  Start();
  dir.Write("in.txt", "QUJD");
  platform.openFiles.push_back(dir.File("in.txt"));
  Run(Command::DecodeFileBase64);  // the save dialog is cancelled
  EXPECT_EQ(ScopedTempDir::Read(dir.File("Vortane.tmp")), "ABC");
  EXPECT_EQ(view.target.bytes,
            "Open filename=" + dir.File("in.txt") +
                "\r\n\r\nOpen method=Base 64\r\n\r\nObject filename=" + dir.File("Vortane.tmp"));
}

TEST_F(MainWindowTest, DecodeFileUnopenableInputSaysSoAndStops) {
  const struct {
    int language;
    UiCode code;
  } cases[] = {{1, UiCode::Ascii}, {0, UiCode::Gb}, {2, UiCode::Big5}};
  for (const auto& c : cases) {
    testing::StartedWindow w(dir, testing::SettingsWithoutAutoPaste(c.language));
    w.view.target.bytes = "tgt";
    const int sets = w.view.target.setCount;
    w.platform.openFiles.push_back(dir.File("missing.txt"));
    w.window.OnCommand(Command::DecodeFileUtf8);
    ASSERT_EQ(w.platform.messages.size(), 1U) << c.language;
    EXPECT_EQ(w.platform.messages[0].code, c.code);
    EXPECT_NE(
        w.platform.messages[0].bytes.find(dir.File("missing.txt") + ": No such file or directory"),
        std::string::npos);
    EXPECT_TRUE(w.platform.saveDialogs.empty());
    EXPECT_EQ(w.view.target.bytes, "tgt");
    EXPECT_EQ(w.view.target.setCount, sets);
  }
  EXPECT_EQ(ScopedTempDir::Read(dir.File("Vortane.tmp")), std::nullopt);
}

TEST_F(MainWindowTest, DecodeFileUnwritableOutputShowsWriteErrorAndHeaderOnly) {
  const struct {
    int language;
    std::string error;
  } cases[] = {
      {1, "Write protect error!"},
      {0, Hex("D0B4 B1A3 BBA4 B4ED CEF3") + "."},
      {2, Hex("BC67 AB4F C540 BFF9 BB7E") + "."},
  };
  for (const auto& c : cases) {
    testing::StartedWindow w(dir, testing::SettingsWithoutAutoPaste(c.language));
    dir.Write("in.txt", "QUJD");
    w.platform.openFiles.push_back(dir.File("in.txt"));
    w.platform.saveFiles.push_back(dir.File("no-dir/out.txt"));
    w.window.OnCommand(Command::DecodeFileBase64);
    ASSERT_EQ(w.platform.messages.size(), 2U);  // the notice, then the error
    EXPECT_EQ(ToHex(w.platform.messages[1].bytes), ToHex(c.error)) << c.language;
    EXPECT_EQ(w.view.target.bytes.find("\r\n\r\n", w.view.target.bytes.find("\r\n\r\n") + 4),
              std::string::npos)
        << "only the open header";
    EXPECT_TRUE(w.view.target.bytes.ends_with("Base 64"));
    EXPECT_EQ(w.platform.progress.begun, 0);
  }
}

TEST_F(MainWindowTest, DecodeFileRefusesToWriteOverItsInput) {
  Start();
  dir.Write("in.txt", "QUJD");
  platform.openFiles.push_back(dir.File("in.txt"));
  platform.saveFiles.push_back(dir.path() + "/./in.txt");
  Run(Command::DecodeFileBase64);
  EXPECT_EQ(ScopedTempDir::Read(dir.File("in.txt")), "QUJD");
  ASSERT_EQ(platform.messages.size(), 2U);
  EXPECT_EQ(platform.messages[1], Ascii("The output file " + dir.path() +
                                        "/./in.txt is the input file: it would be "
                                        "emptied before it is read. Choose another output file."));
  EXPECT_TRUE(view.target.bytes.ends_with("Open method=Base 64"));
}

TEST_F(MainWindowTest, DecodeFileCancelledProgressRemovesTheOutputAndSaysSo) {
  const struct {
    int language;
    std::string line;
  } cases[] = {
      {1, "Decoding cancelled: no output file was written."},
      {0, Hex("BDE2 C2EB D2D1 C8A1 CFFB") + ":" + Hex("C3BB D3D0 D0B4 CAE4 B3F6 CEC4 BCFE") + "."},
  };
  std::string big;
  for (int i = 0; i < 100000; ++i) {
    big += "QUJD";
  }
  dir.Write("big.txt", big);
  for (const auto& c : cases) {
    testing::StartedWindow w(dir, testing::SettingsWithoutAutoPaste(c.language));
    dir.Write("out.txt", "keep me");
    w.platform.openFiles.push_back(dir.File("big.txt"));
    w.platform.saveFiles.push_back(dir.File("out.txt"));
    w.platform.progress.cancelAtUpdate = 2;
    w.window.OnCommand(Command::DecodeFileBase64);
    EXPECT_EQ(w.platform.progress.updates.size(), 2U);
    EXPECT_EQ(w.platform.progress.updates[0], 65536U);
    EXPECT_EQ(w.platform.progress.total, big.size());
    EXPECT_EQ(w.platform.progress.ended, 1);
    EXPECT_EQ(ScopedTempDir::Read(dir.File("out.txt")), "keep me");
    EXPECT_TRUE(w.view.target.bytes.ends_with("Base 64\r\n\r\n" + c.line))
        << ToHex(w.view.target.bytes.substr(w.view.target.bytes.size() - 20));
    EXPECT_EQ(w.platform.messages.size(), 1U);  // the notice only
  }
  // No stray temporary file is left beside the output.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    ++files;
  }
  EXPECT_EQ(files, 3);  // Vortane.ini, big.txt, out.txt
}

TEST_F(MainWindowTest, DecodeFileReplacesAnExistingOutputAndLargeFilesStream) {
  Start();
  std::string big;
  for (int i = 0; i < 50000; ++i) {
    big += "QUJD\r\n";
  }
  dir.Write("big.txt", big);
  dir.Write("out.txt", "old");
  platform.openFiles.push_back(dir.File("big.txt"));
  platform.saveFiles.push_back(dir.File("out.txt"));
  Run(Command::DecodeFileBase64);
  const auto out = ScopedTempDir::Read(dir.File("out.txt"));
  ASSERT_TRUE(out.has_value());
  EXPECT_EQ(out->size(), 150000U);
  EXPECT_EQ(out->substr(0, 6), "ABCABC");
  EXPECT_GE(platform.progress.updates.size(), 5U);
  EXPECT_EQ(platform.progress.updates.back(), big.size());
}

TEST_F(MainWindowTest, DecodeFileAsksTheSaveQuestionFirst) {
  Start();
  Type("", "unsaved");
  platform.answers = {true};
  platform.saveFiles.push_back(dir.File("saved.txt"));
  Run(Command::DecodeFileQuotedPrintable);  // then the open dialog is cancelled
  EXPECT_EQ(platform.questions.size(), 1U);
  EXPECT_EQ(ScopedTempDir::Read(dir.File("saved.txt")), "unsaved");
  EXPECT_EQ(platform.openDialogs.size(), 1U);
  EXPECT_EQ(view.target.bytes, "unsaved");
}

}  // namespace
}  // namespace vortane
