// Failures injected into the main window's start-up and commands on the fake
// platform: settings files that are garbage, empty, huge or cannot be written;
// a temporary directory that does not exist; a clipboard that cannot be opened
// or holds no text. Each ends with its message (or none), keeps the files it
// found, and leaves the window usable.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "app/command_table.h"
#include "converter/code_converter_dialog.h"
#include "main_window_fixture.h"
#include "texts/converter_texts.h"
#include "texts/main_window_texts.h"
#include "texts/settings_texts.h"

namespace vortane {
namespace {

using testing::MainWindowTest;
using testing::ScopedTempDir;

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    c = static_cast<char>(random());
  }
  return bytes;
}

constexpr std::size_t kHuge = 10 * 1024 * 1024;

std::string ValidFile(int wrap) {
  AppSettings s;
  s.tempDirectory = "/var/tmp/";
  s.autoPaste = 0;
  s.wordWrapNumber = wrap;
  s.markCharacter = "#";
  return FormatSettingsFile(s);
}

TEST_F(MainWindowTest, BadSettingsFilesStartWithWhatTheyHoldAndStayAsTheyWere) {
  const struct {
    const char* what;
    std::string file;
    int wrap;          // wordWrapNumber after start-up
    std::string mark;  // markCharacter after start-up
  } cases[] = {
      {"garbage", RandomBytes(4096, 1), 70, ">"},
      {"empty", "", 70, ">"},
      {"huge garbage", RandomBytes(kHuge, 2), 70, ">"},
      {"huge line of blanks", "[Mail Vortane]" + std::string(kHuge, ' '), 70, ">"},
      {"valid, then huge garbage", ValidFile(33) + RandomBytes(kHuge, 3), 33, "#"},
      {"valid up to a bad number",
       "[Mail Vortane]\nTemp Directory=/t/\nAuto paste=0\n"
       "Recognise double bytes=1\nWord wrap number=x40\n",
       70, ">"},
      {"NUL bytes inside", std::string("[Mail Vortane]\0\0\0", 17) + RandomBytes(100, 4), 70, ">"},
  };
  for (const auto& c : cases) {
    platform = testing::FakePlatform();
    platform.tempDirectory = dir.path() + "/";
    StartWithFile(c.file);
    EXPECT_TRUE(platform.messages.empty()) << c.what;
    EXPECT_EQ(window->settings().wordWrapNumber, c.wrap) << c.what;
    EXPECT_EQ(window->settings().markCharacter, c.mark) << c.what;
    EXPECT_TRUE(ScopedTempDir::Read(dir.File("Vortane.ini")) == c.file)
        << c.what << ": a file that exists is read, never rewritten at start-up";
    // The window works: a command after start-up still runs.
    Type("QUJD", "");
    Run(Command::DecodeBase64);
    EXPECT_EQ(view.target.bytes, "ABC") << c.what;
  }
}

// A settings file that never ends (a link to /dev/zero) is read only as far
// as a settings file can reach: start-up ends with the defaults instead of
// filling memory.
TEST_F(MainWindowTest, EndlessSettingsFileIsReadOnlyAsFarAsSettingsGo) {
  std::filesystem::create_symlink("/dev/zero", dir.File("Vortane.ini"));
  StartAsIs();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(window->settings().wordWrapNumber, 70);
  EXPECT_EQ(window->settings().tempDirectory, platform.tempDirectory);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("Vortane.ini")));
}

// A settings path that can neither be read nor written: a directory, or a
// path under a regular file (root can write anywhere else).
TEST_F(MainWindowTest, UnwritableSettingsFileSaysSoAtStartAndAtOk) {
  dir.Write("plain", "not a directory");
  std::filesystem::create_directory(dir.File("folder.ini"));
  for (const std::string& path : {dir.File("plain/Vortane.ini"), dir.File("folder.ini")}) {
    testing::FakePlatform p;
    testing::FakeMainWindowView v(p);
    p.tempDirectory = dir.path() + "/";
    TextTransformDialog w(p, v, {path, dir.File("Vortane.tmp")});
    w.Initialise();
    ASSERT_EQ(p.messages.size(), 1U) << path;
    EXPECT_EQ(p.messages[0], Choose(texts::kSettingsWriteError, Language::English)) << path;
    EXPECT_EQ(w.settings().wordWrapNumber, 70);
    EXPECT_EQ(w.settings().interfaceLanguage, Language::English);

    // OK in the dialog: the error in the new language, the dialog closes, and
    // the new settings hold for the run.
    bool closed = false;
    v.onSettingsDialog = [&closed](SettingsDialog& d) {
      auto values = d.CurrentValues();
      values.languageIndex = testing::kLanguageGb;
      values.wordWrapNumber = "40";
      closed = d.OnOk(values).closeDialog;
      return closed;
    };
    w.OnCommand(Command::Setting);
    EXPECT_TRUE(closed) << path;
    ASSERT_EQ(p.messages.size(), 2U) << path;
    EXPECT_EQ(p.messages[1], Choose(texts::kSettingsWriteError, Language::Gb)) << path;
    EXPECT_EQ(w.settings().wordWrapNumber, 40);
    EXPECT_EQ(v.menus.back(), MenuResource::ChineseGb);
  }
  EXPECT_EQ(ScopedTempDir::Read(dir.File("plain")), "not a directory");
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.ini")));
}

// Temporary directories the scratch files cannot be written into.
std::vector<std::string> BadTempDirectories(const ScopedTempDir& dir) {
  dir.Write("plain", "x");
  return {dir.File("no-such-dir/"), dir.File("plain/"), dir.File("no/such/dir/")};
}

TEST_F(MainWindowTest, Utf7WithAnUnusableTempDirectoryChangesNeitherFrame) {
  for (const std::string& temp : BadTempDirectories(dir)) {
    platform = testing::FakePlatform();
    platform.tempDirectory = temp;
    StartAsIs();  // no settings file yet: created, with this directory
    platform.messages.clear();
    Type("+ZeVn-", "before");
    Run(Command::Utf7Gb);
    ASSERT_EQ(platform.messages.size(), 1U) << temp;
    EXPECT_EQ(platform.messages[0], Ascii(texts::kTempFileError)) << temp;
    EXPECT_EQ(view.source.bytes, "+ZeVn-");
    EXPECT_EQ(view.target.bytes, "before");
    std::filesystem::remove(dir.File("Vortane.ini"));
  }
}

// The converter dialog, run from the main window with the given state.
void RunConverter(MainWindowTest& t, const CodeConverterDialog::State& state) {
  t.view.onCodeConverter = [&state](CodeConverterDialog& d) {
    d.state() = state;
    d.OnConvert();
  };
  t.Run(Command::CodeConverter);
}

TEST_F(MainWindowTest, ConverterWithAnUnusableTempDirectoryTouchesNoFile) {
  dir.Write("source.gb", "\xD6\xD0");
  dir.Write("result.big5", "old result");
  for (const std::string& temp : BadTempDirectories(dir)) {
    platform = testing::FakePlatform();
    platform.tempDirectory = temp;
    StartAsIs();
    platform.messages.clear();
    platform.clipboard.Set("\xD6\xD0");

    CodeConverterDialog::State clipboardToFile;
    clipboardToFile.resultChoice = TextLocation::File;
    clipboardToFile.targetPath = dir.File("result.big5");
    RunConverter(*this, clipboardToFile);

    CodeConverterDialog::State fileToClipboard;
    fileToClipboard.sourceChoice = TextLocation::File;
    fileToClipboard.sourcePath = dir.File("source.gb");
    RunConverter(*this, fileToClipboard);

    ASSERT_EQ(platform.messages.size(), 2U) << temp;
    EXPECT_EQ(platform.messages[0], Choose(converter_text::kCannotWriteScratch, Language::English))
        << temp;
    EXPECT_EQ(platform.messages[1], Choose(converter_text::kOpenFileError, Language::English))
        << temp;
    EXPECT_EQ(platform.clipboard.bytes, "\xD6\xD0") << temp;
    EXPECT_EQ(platform.clipboard.writes, 0);
    EXPECT_EQ(ScopedTempDir::Read(dir.File("result.big5")), "old result");
    std::filesystem::remove(dir.File("Vortane.ini"));
  }
}

TEST_F(MainWindowTest, ClipboardThatFailsLeavesFramesAndFiles) {
  const struct {
    const char* what;
    bool hasText;
    ClipboardStatus failure;
    const TriText* converterMessage;
  } cases[] = {
      {"cannot open", true, ClipboardStatus::CannotOpen, &converter_text::kCannotOpenClipboard},
      {"no text", false, ClipboardStatus::Ok, &converter_text::kNoClipboardText},
      {"cannot lock", true, ClipboardStatus::CannotLock, &converter_text::kCannotObtainText},
  };
  dir.Write("result.big5", "old result");
  for (const auto& c : cases) {
    platform = testing::FakePlatform();
    platform.tempDirectory = dir.path() + "/";
    platform.clipboard.hasText = c.hasText;
    platform.clipboard.bytes = c.hasText ? "text" : "";
    platform.clipboard.readFailure = c.failure;
    view.source.bytes.clear();
    view.target.bytes.clear();
    // Auto paste at start-up, then Paste to source: nothing arrives, no message.
    AppSettings s;
    s.tempDirectory = platform.tempDirectory;
    StartWithFile(FormatSettingsFile(s));
    Type("kept", "also kept");
    Run(Command::PasteToSource);
    EXPECT_EQ(view.source.bytes, "kept") << c.what;
    EXPECT_EQ(view.target.bytes, "also kept") << c.what;
    EXPECT_TRUE(platform.messages.empty()) << c.what;

    // The converter says which, and writes no file.
    CodeConverterDialog::State clipboardToFile;
    clipboardToFile.resultChoice = TextLocation::File;
    clipboardToFile.targetPath = dir.File("result.big5");
    RunConverter(*this, clipboardToFile);
    ASSERT_EQ(platform.messages.size(), 1U) << c.what;
    EXPECT_EQ(platform.messages[0], Choose(*c.converterMessage, Language::English)) << c.what;
    EXPECT_EQ(ScopedTempDir::Read(dir.File("result.big5")), "old result") << c.what;
  }
}

TEST_F(MainWindowTest, ClipboardThatRefusesTheResultKeepsItInTheScratchFile) {
  Start();
  dir.Write("source.gb", "\xD6\xD0");
  platform.clipboard.Set("previous");
  platform.clipboard.writeFails = true;
  CodeConverterDialog::State fileToClipboard;
  fileToClipboard.sourceChoice = TextLocation::File;
  fileToClipboard.sourcePath = dir.File("source.gb");
  RunConverter(*this, fileToClipboard);
  ASSERT_EQ(platform.messages.size(), 2U);
  EXPECT_EQ(platform.messages[0], Choose(converter_text::kConvertOk, Language::English));
  EXPECT_EQ(platform.messages[1],
            Choose(converter_text::kResultToClipboardFailed, Language::English));
  EXPECT_EQ(platform.clipboard.bytes, "previous");
  EXPECT_EQ(ScopedTempDir::Read(dir.File("~ConvertO.tmp")), "\xA4\xA4");
}

}  // namespace
}  // namespace vortane
