// The glue of the frame commands: what each pulls, computes and pushes, and
// the display code it leaves on the frames.
#include <gtest/gtest.h>

#include <optional>

#include "main_window_fixture.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::MainWindowTest;
using testing::ScopedTempDir;
using testing::ToHex;

struct FrameCase {
  const char* name;
  Command command;
  std::string source;
  std::string target;
  ByteRange selection;  // of the target frame
  std::string expectedSource;
  std::string expectedTarget;
  std::optional<DisplayCode> targetCode;  // nullopt: left as it was (Gb at start)
};

class FrameCommandTest : public MainWindowTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(FrameCommandTest, PullsComputesAndPushes) {
  const FrameCase& c = GetParam();
  Start();
  // Typed after start-up: only a pull can pick these up.
  Type(c.source, c.target);
  view.target.selection = c.selection;
  view.target.displayCode = DisplayCode::Gb;
  view.source.displayCode = DisplayCode::Gb;
  Run(c.command);
  EXPECT_EQ(ToHex(view.source.bytes), ToHex(c.expectedSource));
  EXPECT_EQ(ToHex(view.target.bytes), ToHex(c.expectedTarget));
  EXPECT_EQ(view.target.displayCode, c.targetCode.value_or(DisplayCode::Gb));
  EXPECT_TRUE(window->IsTargetUnsaved());
  EXPECT_TRUE(platform.messages.empty());
}

const std::string kUtf8Zhong = Hex("E4B8AD E69687");

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameCommandTest,
    ::testing::Values(FrameCase{"base64",
                                Command::DecodeBase64,
                                "QUJD\r\nREVG",
                                "old",
                                {},
                                "QUJD\r\nREVG",
                                "ABCDEF",
                                std::nullopt},
                      FrameCase{"base64_cut_at_decoded_nul",
                                Command::DecodeBase64,
                                "QUIAQUI=",
                                "",
                                {},
                                "QUIAQUI=",
                                "AB",
                                std::nullopt},
                      // The display code follows the decoded text's best reading.
                      FrameCase{"base64_of_big5_shows_as_big5_hkscs",
                                Command::DecodeBase64,
                                "pKSk5bT6uNU=",
                                "",
                                {},
                                "pKSk5bT6uNU=",
                                Hex("A4A4 A4E5 B4FA B8D5"),
                                DisplayCode::Big5Hkscs},
                      FrameCase{"quoted_printable_of_big5_shows_as_big5_hkscs",
                                Command::DecodeQuotedPrintable,
                                "=A4=A4=A4=E5=B4=FA=B8=D5",
                                "",
                                {},
                                "=A4=A4=A4=E5=B4=FA=B8=D5",
                                Hex("A4A4 A4E5 B4FA B8D5"),
                                DisplayCode::Big5Hkscs},
                      FrameCase{"quoted_printable_mends_split_character",
                                Command::DecodeQuotedPrintable,
                                "=B2=E2=B2\r\n=E2",
                                "",
                                {},
                                "=B2=E2=B2\r\n=E2",
                                Hex("B2E2 0D0A B2E2"),
                                DisplayCode::Gb18030},
                      FrameCase{"hz",
                                Command::DecodeHz,
                                "ab~{2bJT~}cd",
                                "",
                                {},
                                "ab~{2bJT~}cd",
                                "ab" + Hex("B2E2 CAD4") + "cd",
                                DisplayCode::Gb},
                      FrameCase{"utf8_gb",
                                Command::Utf8Gb,
                                kUtf8Zhong,
                                "",
                                {},
                                kUtf8Zhong,
                                Hex("D6D0 CEC4"),
                                DisplayCode::Gb},
                      FrameCase{"utf8_big5",
                                Command::Utf8Big5,
                                kUtf8Zhong,
                                "",
                                {},
                                kUtf8Zhong,
                                Hex("A4A4 A4E5"),
                                DisplayCode::Big5},
                      FrameCase{"utf8_cut_at_nul",
                                Command::Utf8Gb,
                                Hex("F09F9880 41"),
                                "",
                                {},
                                Hex("F09F9880 41"),
                                Hex("01F6"),
                                DisplayCode::Gb},
                      // The whole result is kept: the last character is not dropped.
                      FrameCase{"utf7_gb",
                                Command::Utf7Gb,
                                "Hi +ZeVnLIqe-!",
                                "",
                                {},
                                "Hi +ZeVnLIqe-!",
                                "Hi " + Hex("C8D5 B1BE 8A9E") + "!",
                                DisplayCode::Gb},
                      FrameCase{"utf7_big5",
                                Command::Utf7Big5,
                                "+ZeVnLIqe-",
                                "",
                                {},
                                "+ZeVnLIqe-",
                                Hex("A4E9 A5BB BB79"),
                                DisplayCode::Big5},
                      FrameCase{"big5_to_gb",
                                Command::Big5ToGb,
                                Hex("A7 41 A6 6E"),
                                "",
                                {},
                                Hex("A7 41 A6 6E"),
                                Hex("C4E3 BAC3"),
                                DisplayCode::Gb},
                      FrameCase{"gb_to_big5",
                                Command::GbToBig5,
                                Hex("D6D0 B9FA") + "x",
                                "",
                                {},
                                Hex("D6D0 B9FA") + "x",
                                Hex("A4A4 B0EA") + "x",
                                DisplayCode::Big5},
                      FrameCase{"seven_to_eight_bit_selection",
                                Command::RestoreHighBits,
                                "src",
                                "ab2bJTcd",
                                {2, 6},
                                "src",
                                "ab" + Hex("B2E2 CAD4") + "cd",
                                std::nullopt},
                      FrameCase{"seven_to_eight_bit_empty_selection",
                                Command::RestoreHighBits,
                                "",
                                "ab",
                                {1, 1},
                                "",
                                "ab",
                                std::nullopt},
                      FrameCase{"seven_to_eight_bit_cut_at_new_nul",
                                Command::RestoreHighBits,
                                "",
                                "a\x80z",
                                {1, 2},
                                "",
                                "a",
                                std::nullopt},
                      FrameCase{"word_wrap",
                                Command::WordWrap,
                                "src",
                                std::string(75, 'w'),
                                {},
                                "src",
                                std::string(70, 'w') + "\r\n" + std::string(5, 'w'),
                                std::nullopt},
                      FrameCase{"add_mark",
                                Command::AddMark,
                                "src",
                                "ab\r\n\r\ncd",
                                {},
                                "src",
                                ">ab\r\n>\r\n>cd",
                                std::nullopt},
                      FrameCase{"remove_mark",
                                Command::RemoveMark,
                                "src",
                                ">>ab\r\n> cd\r\nef",
                                {},
                                "src",
                                ">ab\r\n cd\r\nef",
                                std::nullopt},
                      FrameCase{"target_from_source",
                                Command::TargetFromSource,
                                "src",
                                "tgt",
                                {},
                                "src",
                                "src",
                                std::nullopt},
                      FrameCase{"source_from_target",
                                Command::SourceFromTarget,
                                "src",
                                "tgt",
                                {},
                                "tgt",
                                "tgt",
                                std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// A command writes only the frame it changes: the other keeps its text, its
// caret and selection (and, on the desktop, its scroll position and undo).
TEST_F(MainWindowTest, CommandsWriteOnlyTheFrameTheyChange) {
  const struct {
    Command command;
    bool writesSource;
    bool writesTarget;
  } cases[] = {
      {Command::DecodeBase64, false, true},
      {Command::DecodeQuotedPrintable, false, true},
      {Command::DecodeHz, false, true},
      {Command::Utf8Gb, false, true},
      {Command::Utf7Big5, false, true},
      {Command::Big5ToGb, false, true},
      {Command::GbToBig5, false, true},
      {Command::RestoreHighBits, false, true},
      {Command::WordWrap, false, true},
      {Command::AddMark, false, true},
      {Command::RemoveMark, false, true},
      {Command::TargetFromSource, false, true},
      {Command::SourceFromTarget, true, false},
      {Command::PasteToSource, false, false},
      {Command::CopySelectedTarget, false, false},
      {Command::Close, true, true},
      {Command::SaveAs, false, false},
      {Command::Exit, false, false},
  };
  Start();
  for (const auto& c : cases) {
    const std::string_view name = FindCommand(c.command)->name;
    Type("c291cmNl", "target text");
    view.source.Select(2, 5);
    view.target.Select(1, 3);
    const int sourceSets = view.source.setCount;
    const int targetSets = view.target.setCount;
    Run(c.command);
    EXPECT_EQ(view.source.setCount - sourceSets, c.writesSource ? 1 : 0) << name;
    EXPECT_EQ(view.target.setCount - targetSets, c.writesTarget ? 1 : 0) << name;
    if (!c.writesSource && c.command != Command::PasteToSource) {
      EXPECT_EQ(view.source.bytes, "c291cmNl") << name;
      EXPECT_EQ(view.source.selection.start, 2U) << name;
      EXPECT_EQ(view.source.selection.end, 5U) << name;
    }
    if (!c.writesTarget) {
      EXPECT_EQ(view.target.bytes, "target text") << name;
      EXPECT_EQ(view.target.selection.end, 3U) << name;
    }
  }
}

// Every command that puts new text into the target frame arms the quit and
// save prompts again, and so does typing in it; the decode-file summary and
// the commands that leave the target alone do not.
TEST_F(MainWindowTest, NewTargetTextArmsThePromptsAgain) {
  const struct {
    Command command;
    bool arms;
  } cases[] = {
      {Command::DecodeBase64, true},
      {Command::DecodeQuotedPrintable, true},
      {Command::DecodeHz, true},
      {Command::Utf8Gb, true},
      {Command::Utf7Big5, true},
      {Command::Big5ToGb, true},
      {Command::GbToBig5, true},
      {Command::RestoreHighBits, true},
      {Command::WordWrap, true},
      {Command::AddMark, true},
      {Command::RemoveMark, true},
      {Command::TargetFromSource, true},
      {Command::SourceFromTarget, false},
      {Command::PasteToSource, false},
      {Command::CopySelectedTarget, false},
      {Command::Setting, false},
  };
  Start();
  for (const auto& c : cases) {
    const std::string_view name = FindCommand(c.command)->name;
    Type("QUJD", "target");
    platform.saveFiles.push_back(dir.File("saved.txt"));
    Run(Command::SaveAs);
    ASSERT_FALSE(window->IsTargetUnsaved()) << name;
    Run(c.command);
    EXPECT_EQ(window->IsTargetUnsaved(), c.arms) << name;
  }
}

TEST_F(MainWindowTest, TypingInTheTargetArmsThePromptsAgain) {
  Start();
  Type("", "target");
  platform.saveFiles.push_back(dir.File("saved.txt"));
  Run(Command::SaveAs);
  ASSERT_FALSE(window->IsTargetUnsaved());
  view.target.bytes = "target edited";
  window->OnTargetEdited();
  EXPECT_TRUE(window->IsTargetUnsaved());
  Run(Command::Exit);
  ASSERT_EQ(platform.questions.size(), 1U);
  EXPECT_FALSE(view.closed);
}

TEST_F(MainWindowTest, OpenWritesOnlyTheSourceFrame) {
  Start();
  dir.Write("in.txt", "opened");
  Type("old", "target text");
  view.target.Select(1, 3);
  const int targetSets = view.target.setCount;
  platform.openFiles.push_back(dir.File("in.txt"));
  Run(Command::Open);
  EXPECT_EQ(view.source.bytes, "opened");
  EXPECT_EQ(view.target.setCount, targetSets);
  EXPECT_EQ(view.target.selection.end, 3U);
}

TEST_F(MainWindowTest, FrameDecodingsHaveNoSizeBound) {
  Start();
  std::string source;
  for (int i = 0; i < 30000; ++i) {
    source += "QUJD";
  }
  Type(source, "");
  Run(Command::DecodeBase64);
  EXPECT_EQ(view.target.bytes.size(), 90000U);
}

TEST_F(MainWindowTest, SettingsChangeTheLineCommands) {
  AppSettings s;
  s.autoPaste = 0;
  s.wordWrapNumber = 4;
  s.recogniseDoubleBytes = 0;
  s.markCharacter = "#";
  StartWithFile(FormatSettingsFile(s));
  Type("", "abc" + Hex("B2E2"));
  Run(Command::WordWrap);
  EXPECT_EQ(ToHex(view.target.bytes), ToHex("abc" + Hex("B2 0D0A E2")));
  Type("", "x");
  Run(Command::AddMark);
  EXPECT_EQ(view.target.bytes, "#x");
}

TEST_F(MainWindowTest, CopiesBetweenFramesCarryTheDisplayCode) {
  Start();
  Type(kUtf8Zhong, "");
  Run(Command::Utf8Big5);
  ASSERT_EQ(view.target.displayCode, DisplayCode::Big5);
  Run(Command::SourceFromTarget);
  EXPECT_EQ(view.source.displayCode, DisplayCode::Big5);
  EXPECT_EQ(view.source.bytes, Hex("A4A4 A4E5"));
  // Back the other way: the GB source code goes to the target frame.
  view.source.displayCode = DisplayCode::Gb;
  Run(Command::TargetFromSource);
  EXPECT_EQ(view.target.displayCode, DisplayCode::Gb);
}

TEST_F(MainWindowTest, SourceToTargetAndBackKeepsTheSourceText) {
  Start();
  Type("source", "target");
  Run(Command::TargetFromSource);
  Run(Command::SourceFromTarget);
  EXPECT_EQ(view.source.bytes, "source");
  EXPECT_EQ(view.target.bytes, "source");
}

TEST_F(MainWindowTest, CopySelectedTargetPutsTheSelectionOnTheClipboard) {
  Start();
  Type("", "one two");
  view.target.displayCode = DisplayCode::Big5;
  view.target.Select(4, 7);
  Run(Command::CopySelectedTarget);
  EXPECT_EQ(platform.clipboard.bytes, "two");
  EXPECT_EQ(platform.clipboard.code, TextCode::Big5);
  // Nothing selected: the clipboard stays.
  view.target.Select(2, 2);
  Run(Command::CopySelectedTarget);
  EXPECT_EQ(platform.clipboard.bytes, "two");
  EXPECT_EQ(platform.clipboard.writes, 1);
}

TEST_F(MainWindowTest, PasteToSourceInsertsAtTheCaretAndTheNextCommandSeesIt) {
  Start();
  Type("abcd", "t");
  view.source.Select(2, 3);
  platform.clipboard.Set("XY");
  Run(Command::PasteToSource);
  EXPECT_EQ(view.source.bytes, "abXYd");
  EXPECT_EQ(view.target.bytes, "t");
  Run(Command::TargetFromSource);
  EXPECT_EQ(view.target.bytes, "abXYd");
}

TEST_F(MainWindowTest, Utf7WritesItsScratchFileInTheTempDirectory) {
  // A directory setting without its trailing "/" still gets the file inside.
  AppSettings s;
  s.autoPaste = 0;
  s.tempDirectory = dir.path();
  StartWithFile(FormatSettingsFile(s));
  Type("A+ZeVnLIqe-", "");
  Run(Command::Utf7Gb);
  EXPECT_EQ(ToHex(ScopedTempDir::Read(dir.File("~utf_7.tmp")).value_or("none")),
            ToHex(Hex("0041 65E5 672C 8A9E")));
}

TEST_F(MainWindowTest, Utf7WithoutTempDirectoryShowsTheEnglishMessageInEveryLanguage) {
  for (int language : {0, 1, 2}) {
    AppSettings s = testing::SettingsWithoutAutoPaste(language);
    s.tempDirectory = dir.File("no-such-dir/");
    testing::StartedWindow w(dir, s);
    w.view.source.bytes = "+ZeVn-";
    w.view.target.bytes = "before";
    const int sets = w.view.target.setCount;
    w.window.OnCommand(language == 2 ? Command::Utf7Big5 : Command::Utf7Gb);
    ASSERT_EQ(w.platform.messages.size(), 1U);
    EXPECT_EQ(w.platform.messages[0], Ascii("Write Temp file ERROR!Check your TEMP Path"));
    EXPECT_EQ(w.view.target.bytes, "before");
    EXPECT_EQ(w.view.target.setCount, sets);
    // The UTF-8 commands do not need the directory.
    w.window.OnCommand(Command::Utf8Gb);
    EXPECT_EQ(w.platform.messages.size(), 1U);
  }
}

}  // namespace
}  // namespace vortane
