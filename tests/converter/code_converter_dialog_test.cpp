#include "converter/code_converter_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/languages.h"
#include "support/stream_check.h"
#include "support/temp_dir.h"
#include "texts/codes_texts.h"
#include "texts/converter_texts.h"
#include "texts/format_text.h"
#include "texts/tri_text.h"

namespace vortane {
namespace {

namespace fs = std::filesystem;
using testing::FakePlatform;
using testing::Hex;
using testing::kLanguageBig5;
using testing::kLanguageEnglish;
using testing::kLanguageGb;
using testing::Lang;
using TempDir = testing::ScopedTempDir;
using testing::ToHex;
using State = CodeConverterDialog::State;

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) { return TempDir::Read(path).value_or(""); }

// Chooses a file on both sides, with these paths.
void ChooseFiles(State& s, std::string source, std::string target) {
  s.sourceChoice = TextLocation::File;
  s.resultChoice = TextLocation::File;
  s.sourcePath = std::move(source);
  s.targetPath = std::move(target);
}

// The messages of the Convert command as the user reads them.
const TriText kUnicodeRefused{"Can not convert Unicode text from clipboard!",
                              "不能将剪贴板上的Unicode文本转换!",
                              "不能將剪貼板上的Unicode文本轉換!"};
const TriText kOpenClipboardFailed{"Fail to open clipboard!", "打开剪贴板失败!", "打開剪貼板失敗!"};
const TriText kNoData{"No data in clipboard!", "剪贴板上没有文本!", "剪貼板上沒有文本!"};
const TriText kObtainFailed{"Fail to obtain text from clipboard!", "从剪贴板上取得文本失败!",
                            "從剪貼板上取得文本失敗!"};
const TriText kOpenError{"Open file error,can not convert!", "文件打开错误,无法转换!",
                         "文件打開錯誤,無法轉換!"};
const TriText kOk{"Convert Ok!", "转换成功!", "轉換成功!"};
const TriText kToClipboardFailed{"Fail to convert!", "打开剪贴板失败!", "打開剪貼板失敗!"};
const TriText kSameFile{"Source and target are the same file, can not convert!",
                        "来源和结果是同一个文件,无法转换!", "來源和結果是同一個文件,無法轉換!"};
const TriText kScratchFailed{"Fail to save clipboard text to temporary file!",
                             "剪贴板文本存入临时文件失败!", "剪貼板文本存入臨時文件失敗!"};
const TriText kReadBackFailed{"Fail to read converted text from temporary file!",
                              "从临时文件读取转换结果失败!", "從臨時文件讀取轉換結果失敗!"};
const TriText kReadError{"Read file error, convert failed!", "读文件错误,转换失败!",
                         "讀文件錯誤,轉換失敗!"};
const TriText kWriteError{"Write file error, convert failed!", "写文件错误,转换失败!",
                          "寫文件錯誤,轉換失敗!"};

constexpr int kLanguages[] = {kLanguageGb, kLanguageEnglish, kLanguageBig5};

UiText Expected(const TriText& text, int language) {
  return Choose(text, Lang(language).ForLabels());
}

// "中文" in GB and in Big5.
const std::string kGbWords = Hex("D6D0 CEC4");
const std::string kBig5Words = Hex("A4A4 A4E5");

// Forwards to a FakePlatform and runs a hook when a message is shown, while
// its box would be open.
class HookedPlatform final : public Platform {
 public:
  HookedPlatform(FakePlatform& inner, std::function<void(const UiText&)> hook)
      : inner_(inner), hook_(std::move(hook)) {}

  void ShowMessage(const UiText& text) override {
    inner_.ShowMessage(text);
    hook_(text);
  }
  bool AskYesNo(const UiText& q, const UiText& c) override { return inner_.AskYesNo(q, c); }
  std::optional<std::string> ChooseOpenFile(const FileDialogOptions& s) override {
    return inner_.ChooseOpenFile(s);
  }
  std::optional<std::string> ChooseSaveFile(const FileDialogOptions& s) override {
    return inner_.ChooseSaveFile(s);
  }
  ClipboardText ReadClipboard(TextCode code) override { return inner_.ReadClipboard(code); }
  bool WriteClipboard(std::string_view b, TextCode code) override {
    return inner_.WriteClipboard(b, code);
  }
  ScreenSize GetScreenSize() override { return inner_.GetScreenSize(); }
  std::string TempDirectory() override { return inner_.TempDirectory(); }
  bool OpenUrl(const std::string& url) override { return inner_.OpenUrl(url); }
  bool OpenFile(const std::string& path) override { return inner_.OpenFile(path); }
  std::unique_ptr<ProgressMonitor> BeginProgress(const UiText& l, std::uint64_t t) override {
    return inner_.BeginProgress(l, t);
  }
  std::optional<std::size_t> ChooseItem(const UiText& t, const UiText& l,
                                        const std::vector<UiText>& items,
                                        std::size_t initial) override {
    return inner_.ChooseItem(t, l, items, initial);
  }
  ClipboardText ReadFrameClipboard(DisplayCode code) override {
    return inner_.ReadFrameClipboard(code);
  }
  bool WriteFrameClipboard(std::string_view b, DisplayCode code) override {
    return inner_.WriteFrameClipboard(b, code);
  }

 private:
  FakePlatform& inner_;
  std::function<void(const UiText&)> hook_;
};

TEST(CodeConverterDialog, OpensWithClipboardToClipboardGbToBig5KeepStill) {
  FakePlatform platform;
  CodeConverterDialog dialog(platform, "/tmp/", Language::English);
  const State& s = dialog.state();
  EXPECT_EQ(s.sourceChoice, TextLocation::Clipboard);
  EXPECT_EQ(s.resultChoice, TextLocation::Clipboard);
  EXPECT_EQ(s.sourcePath, "");
  EXPECT_EQ(s.targetPath, "");
  EXPECT_EQ(s.blankMode, BlankMode::KeepStill);
  EXPECT_EQ(s.sourceCode, ConvertCode{TextCode::Gb});
  EXPECT_EQ(s.resultCode, ConvertCode{TextCode::Big5});
}

TEST(CodeConverterDialog, ScratchFilesJoinTheDirectoryWithOneSeparator) {
  FakePlatform platform;
  const struct {
    const char* directory;
    const char* expected;
  } cases[] = {
      {"/tmp/", "/tmp/~Convert.tmp"},
      {"/tmp", "/tmp/~Convert.tmp"},
      {"scratch/", "scratch/~Convert.tmp"},
      {"", "~Convert.tmp"},  // the working directory
  };
  for (const auto& c : cases) {
    CodeConverterDialog dialog(platform, c.directory, Language::English);
    EXPECT_EQ(dialog.ScratchPath(kConvertSourceScratch), c.expected) << c.directory;
  }
}

TEST(CodeConverterDialog, CaptionsFollowTheGbBig5FirstRule) {
  FakePlatform platform;
  const struct {
    int language;
    TriText title;
    TriText convert;
    TriText removeBlank;
    UiCode code;
  } cases[] = {
      {kLanguageGb,
       {"", "汉字内码转换器", ""},
       {"", "转换(&C)", ""},
       {"", "汉字前删除空格", ""},
       UiCode::Gb},
      {kLanguageBig5,
       {"", "", "漢字內碼轉換器"},
       {"", "", "轉換(&C)"},
       {"", "", "漢字前刪除空格"},
       UiCode::Big5},
      {kLanguageEnglish,
       {"Chinese Code Converter", "", ""},
       {"&Convert", "", ""},
       {"Remove a blank before Chinese character", "", ""},
       UiCode::Ascii},
      // A hand-edited value outside 0..2 gives English here (Big5 elsewhere).
      {7,
       {"Chinese Code Converter", "", ""},
       {"&Convert", "", ""},
       {"Remove a blank before Chinese character", "", ""},
       UiCode::Ascii},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    const auto captions = CodeConverterDialog(platform, "/tmp/", Lang(c.language)).captions();
    EXPECT_EQ(captions.title, Expected(c.title, c.language));
    EXPECT_EQ(captions.convert, Expected(c.convert, c.language));
    EXPECT_EQ(captions.removeBlank, Expected(c.removeBlank, c.language));
    EXPECT_EQ(captions.title.code, c.code);
  }
}

TEST(CodeConverterDialog, EveryChineseCaptionIsWhollyInItsCode) {
  FakePlatform platform;
  for (const int language : {kLanguageGb, kLanguageBig5}) {
    const auto c = CodeConverterDialog(platform, "/tmp/", Lang(language)).captions();
    for (const UiText* text :
         {&c.title, &c.browse, &c.convert, &c.exit, &c.convertMethod, &c.sourceText, &c.targetText,
          &c.blankDealing, &c.addBlank, &c.removeBlank, &c.keepStill, &c.clipboard, &c.file,
          &c.codeSelect, &c.sourceTextCode, &c.targetTextCode}) {
      EXPECT_FALSE(text->bytes.empty());
      EXPECT_EQ(text->bytes.find('?'), std::string::npos) << ToHex(text->bytes);
    }
  }
}

TEST(CodeConverterDialog, BrowseWithClipboardChosenShowsNoDialog) {
  FakePlatform platform;
  platform.openFiles.push_back("/somewhere/a.txt");
  platform.saveFiles.push_back("/somewhere/b.txt");
  CodeConverterDialog dialog(platform, "/tmp/", Language::English);
  dialog.OnSourceBrowse();
  dialog.OnTargetBrowse();
  EXPECT_TRUE(platform.openDialogs.empty());
  EXPECT_TRUE(platform.saveDialogs.empty());
  EXPECT_EQ(dialog.state().sourcePath, "");
  EXPECT_EQ(dialog.state().targetPath, "");
}

TEST(CodeConverterDialog, BrowseSetsOnlyItsOwnPath) {
  FakePlatform platform;
  CodeConverterDialog dialog(platform, "/tmp/", Language::English);
  State& s = dialog.state();
  ChooseFiles(s, "typed-source", "typed-target");

  platform.openFiles.push_back("/chosen/source.txt");
  dialog.OnSourceBrowse();
  EXPECT_EQ(s.sourcePath, "/chosen/source.txt");
  EXPECT_EQ(s.targetPath, "typed-target");
  ASSERT_EQ(platform.openDialogs.size(), 1u);
  EXPECT_EQ(platform.openDialogs[0].filterPattern, "");
  EXPECT_EQ(platform.openDialogs[0].defaultExtension, "");
  EXPECT_EQ(platform.openDialogs[0].initialName, "");

  platform.saveFiles.push_back("/chosen/target.txt");
  dialog.OnTargetBrowse();
  EXPECT_EQ(s.targetPath, "/chosen/target.txt");
  EXPECT_EQ(s.sourcePath, "/chosen/source.txt");
  ASSERT_EQ(platform.saveDialogs.size(), 1u);
  EXPECT_TRUE(platform.saveDialogs[0].overwritePrompt);

  // Cancel keeps the paths.
  dialog.OnSourceBrowse();
  dialog.OnTargetBrowse();
  EXPECT_EQ(s.sourcePath, "/chosen/source.txt");
  EXPECT_EQ(s.targetPath, "/chosen/target.txt");
}

// One Convert run: the state it starts from, what it shows, and a check of
// what it leaves behind.
struct ConvertCase {
  const char* name;
  std::function<void(const TempDir&, FakePlatform&, State&)> arrange;
  std::vector<TriText> messages;
  std::function<void(const TempDir&, const FakePlatform&)> check;
};

void RunConvertCases(const std::vector<ConvertCase>& cases) {
  for (const ConvertCase& c : cases) {
    for (const int language : kLanguages) {
      SCOPED_TRACE(std::string(c.name) + ", language " + std::to_string(language));
      TempDir dir;
      FakePlatform platform;
      CodeConverterDialog dialog(platform, dir.path() + "/", Lang(language));
      c.arrange(dir, platform, dialog.state());
      const State before = dialog.state();
      dialog.OnConvert();
      std::vector<UiText> expected;
      for (const TriText& m : c.messages) {
        expected.push_back(Expected(m, language));
      }
      EXPECT_EQ(platform.messages, expected);
      // A conversion never changes the choices.
      EXPECT_EQ(dialog.state().sourcePath, before.sourcePath);
      EXPECT_EQ(dialog.state().targetPath, before.targetPath);
      if (c.check) {
        c.check(dir, platform);
      }
    }
  }
}

TEST(CodeConverterDialog, ClipboardSourceFlows) {
  RunConvertCases({
      {"Unicode source refused before the clipboard is read",
       [](const TempDir&, FakePlatform& p, State& s) {
         p.clipboard.Set("text");
         s.sourceCode = TextCode::Unicode;
       },
       {kUnicodeRefused},
       [](const TempDir& d, const FakePlatform& p) {
         EXPECT_TRUE(p.clipboardReads.empty());
         EXPECT_EQ(p.clipboard.writes, 0);
         EXPECT_FALSE(fs::exists(d.File("~Convert.tmp")));
         EXPECT_FALSE(fs::exists(d.File("~ConvertO.tmp")));
       }},
      {"clipboard cannot be opened",
       [](const TempDir&, FakePlatform& p, State&) {
         p.clipboard.Set("text");
         p.clipboard.readFailure = ClipboardStatus::CannotOpen;
       },
       {kOpenClipboardFailed},
       [](const TempDir& d, const FakePlatform&) {
         EXPECT_FALSE(fs::exists(d.File("~Convert.tmp")));
       }},
      {"clipboard holds no text",
       [](const TempDir&, FakePlatform&, State&) {},
       {kNoData},
       [](const TempDir& d, const FakePlatform& p) {
         EXPECT_FALSE(fs::exists(d.File("~Convert.tmp")));
         EXPECT_EQ(p.clipboard.writes, 0);
       }},
      {"clipboard text cannot be taken",
       [](const TempDir&, FakePlatform& p, State&) {
         p.clipboard.Set("text");
         p.clipboard.readFailure = ClipboardStatus::CannotLock;
       },
       {kObtainFailed},
       nullptr},
      {"clipboard to clipboard, GB to Big5",
       [](const TempDir&, FakePlatform& p, State&) { p.clipboard.Set("A " + kGbWords); },
       {kOk},
       [](const TempDir& d, const FakePlatform& p) {
         ASSERT_EQ(p.clipboardReads, std::vector<TextCode>{TextCode::Gb});
         EXPECT_EQ(ToHex(p.clipboard.bytes), ToHex("A " + kBig5Words));
         EXPECT_EQ(p.clipboard.code, TextCode::Big5);
         EXPECT_EQ(ReadFile(d.File("~Convert.tmp")), "A " + kGbWords);
         EXPECT_EQ(ReadFile(d.File("~ConvertO.tmp")), "A " + kBig5Words);
       }},
      {"clipboard read in the source code, Big5 to GB with AddBlank",
       [](const TempDir&, FakePlatform& p, State& s) {
         p.clipboard.Set("A" + kBig5Words, TextCode::Big5);
         s.sourceCode = TextCode::Big5;
         s.resultCode = TextCode::Gb;
         s.blankMode = BlankMode::AddBlank;
       },
       {kOk},
       [](const TempDir&, const FakePlatform& p) {
         EXPECT_EQ(p.clipboardReads, std::vector<TextCode>{TextCode::Big5});
         EXPECT_EQ(ToHex(p.clipboard.bytes), ToHex("A " + Hex("D6D0 20CEC4")));
         EXPECT_EQ(p.clipboard.code, TextCode::Gb);
       }},
      {"an empty clipboard text converts to an empty text",
       [](const TempDir&, FakePlatform& p, State&) { p.clipboard.Set(""); },
       {kOk},
       [](const TempDir&, const FakePlatform& p) {
         EXPECT_EQ(p.clipboard.writes, 1);
         EXPECT_TRUE(p.clipboard.hasText);
         EXPECT_EQ(p.clipboard.bytes, "");
       }},
      {"clipboard text into a file",
       [](const TempDir& d, FakePlatform& p, State& s) {
         p.clipboard.Set(kGbWords + "\r\n");
         s.resultChoice = TextLocation::File;
         s.targetPath = d.File("out.txt");
       },
       {kOk},
       [](const TempDir& d, const FakePlatform& p) {
         EXPECT_EQ(ToHex(ReadFile(d.File("out.txt"))), ToHex(kBig5Words + "\r\n"));
         EXPECT_EQ(p.clipboard.writes, 0);
         EXPECT_FALSE(fs::exists(d.File("~ConvertO.tmp")));
       }},
      {"the source scratch file cannot be created",
       [](const TempDir& d, FakePlatform& p, State&) {
         p.clipboard.Set("text");
         fs::create_directory(d.File("~Convert.tmp"));  // a directory stands in its place
       },
       {kScratchFailed},
       [](const TempDir&, const FakePlatform& p) { EXPECT_EQ(p.clipboard.writes, 0); }},
      {"the result cannot be put on the clipboard",
       [](const TempDir&, FakePlatform& p, State&) {
         p.clipboard.Set("abc");
         p.clipboard.writeFails = true;
       },
       {kOk, kToClipboardFailed},
       [](const TempDir& d, const FakePlatform& p) {
         EXPECT_EQ(p.clipboard.bytes, "abc");
         EXPECT_EQ(ReadFile(d.File("~ConvertO.tmp")), "abc");
       }},
  });
}

TEST(CodeConverterDialog, FileSourceFlows) {
  RunConvertCases({
      {"empty source path",
       [](const TempDir&, FakePlatform&, State& s) { s.sourceChoice = TextLocation::File; },
       {kOpenError},
       nullptr},
      {"missing source file leaves the existing target as it was",
       [](const TempDir& d, FakePlatform&, State& s) {
         ChooseFiles(s, d.File("missing.txt"), d.File("target.txt"));
         WriteFile(s.targetPath, "keep me");
       },
       {kOpenError},
       [](const TempDir& d, const FakePlatform&) {
         EXPECT_EQ(ReadFile(d.File("target.txt")), "keep me");
       }},
      {"result in a missing directory",
       [](const TempDir& d, FakePlatform&, State& s) {
         ChooseFiles(s, d.File("in.txt"), d.File("no-such-dir/out.txt"));
         WriteFile(s.sourcePath, "abc");
       },
       {kOpenError},
       nullptr},
      {"empty target path",
       [](const TempDir& d, FakePlatform&, State& s) {
         ChooseFiles(s, d.File("in.txt"), "");
         WriteFile(s.sourcePath, "abc");
       },
       {kOpenError},
       nullptr},
      {"file to file replaces the target",
       [](const TempDir& d, FakePlatform&, State& s) {
         ChooseFiles(s, d.File("in.txt"), d.File("out.txt"));
         s.resultCode = TextCode::Gb;
         s.blankMode = BlankMode::RemoveBlank;
         WriteFile(s.sourcePath, "A " + kGbWords + "  B");
         WriteFile(s.targetPath, "a much longer old content that must go");
       },
       {kOk},
       [](const TempDir& d, const FakePlatform& p) {
         EXPECT_EQ(ToHex(ReadFile(d.File("out.txt"))), ToHex("A" + kGbWords + "  B"));
         EXPECT_TRUE(p.clipboardReads.empty());
       }},
      {"big-endian Unicode file to the clipboard as GB",
       [](const TempDir& d, FakePlatform& p, State& s) {
         p.clipboard.Set("old");
         s.sourceChoice = TextLocation::File;
         s.sourcePath = d.File("unicode.txt");
         s.sourceCode = TextCode::Unicode;
         s.resultCode = TextCode::Gb;
         WriteFile(s.sourcePath, Hex("0041 4E2D 000D 000A"));
       },
       {kOk},
       [](const TempDir&, const FakePlatform& p) {
         EXPECT_EQ(ToHex(p.clipboard.bytes), ToHex(Hex("41 D6D0 0D0A")));
         EXPECT_EQ(p.clipboard.code, TextCode::Gb);
       }},
      {"a NUL from U+0000 reaches the clipboard whole",
       [](const TempDir& d, FakePlatform&, State& s) {
         s.sourceChoice = TextLocation::File;
         s.sourcePath = d.File("unicode.txt");
         s.sourceCode = TextCode::Unicode;
         WriteFile(s.sourcePath, Hex("0041 0000 0042"));
       },
       {kOk},
       [](const TempDir&, const FakePlatform& p) {
         EXPECT_EQ(ToHex(p.clipboard.bytes), "41 00 42");
       }},
  });
}

TEST(CodeConverterDialog, SameFileAsSourceAndTargetIsRefusedUntouched) {
  RunConvertCases({
      {"the same path",
       [](const TempDir& d, FakePlatform&, State& s) {
         ChooseFiles(s, d.File("both.txt"), d.File("both.txt"));
         s.blankMode = BlankMode::AddBlank;
         WriteFile(s.sourcePath, "A" + kGbWords);
       },
       {kSameFile},
       [](const TempDir& d, const FakePlatform&) {
         EXPECT_EQ(ReadFile(d.File("both.txt")), "A" + kGbWords);
       }},
      {"another name for the same file",
       [](const TempDir& d, FakePlatform&, State& s) {
         ChooseFiles(s, d.File("both.txt"), d.File("link.txt"));
         WriteFile(s.sourcePath, kGbWords);
         fs::create_hard_link(s.sourcePath, s.targetPath);
       },
       {kSameFile},
       [](const TempDir& d, const FakePlatform&) {
         EXPECT_EQ(ReadFile(d.File("both.txt")), kGbWords);
       }},
      {"a source file that is the result scratch file",
       [](const TempDir& d, FakePlatform& p, State& s) {
         p.clipboard.Set("old");
         s.sourceChoice = TextLocation::File;
         s.sourcePath = d.path() + "/./~ConvertO.tmp";
         WriteFile(s.sourcePath, kGbWords);
       },
       {kSameFile},
       [](const TempDir& d, const FakePlatform& p) {
         EXPECT_EQ(ReadFile(d.File("~ConvertO.tmp")), kGbWords);
         EXPECT_EQ(p.clipboard.bytes, "old");
       }},
  });
}

TEST(CodeConverterDialog, StreamErrorsAreReportedAndKeepTheTarget) {
  RunConvertCases({
      {"writing the result fails",
       [](const TempDir& d, FakePlatform&, State& s) {
         ChooseFiles(s, d.File("in.txt"), "/dev/full");
         WriteFile(s.sourcePath, "abc");
       },
       {kWriteError},
       nullptr},
      {"reading the source fails",
       [](const TempDir& d, FakePlatform&, State& s) {
         // Reading a process's memory at address 0 fails with an I/O error.
         ChooseFiles(s, "/proc/self/mem", d.File("out.txt"));
         WriteFile(s.targetPath, "old result");
       },
       {kReadError},
       [](const TempDir& d, const FakePlatform&) {
         EXPECT_EQ(ReadFile(d.File("out.txt")), "old result");
         // No half-written file is left beside it.
         EXPECT_EQ(std::distance(fs::directory_iterator(d.path()), fs::directory_iterator()), 1);
       }},
  });
}

TEST(CodeConverterDialog, ResultScratchFileGoneBeforeReadBackIsReported) {
  for (const int language : kLanguages) {
    SCOPED_TRACE(language);
    TempDir dir;
    FakePlatform fake;
    fake.clipboard.Set("abc");
    // While the "Convert Ok!" box is open the scratch file disappears.
    HookedPlatform platform(fake, [&](const UiText&) {
      std::error_code ignored;
      fs::remove(dir.File("~ConvertO.tmp"), ignored);
    });
    CodeConverterDialog dialog(platform, dir.path(), Lang(language));
    dialog.OnConvert();
    EXPECT_EQ(fake.messages,
              (std::vector<UiText>{Expected(kOk, language), Expected(kReadBackFailed, language)}));
    EXPECT_EQ(fake.clipboard.writes, 0);
    EXPECT_EQ(fake.clipboard.bytes, "abc");
  }
}

TEST(CodeConverterDialog, EveryMessageIsWhollyInItsCode) {
  namespace text = converter_text;
  for (const TriText* m :
       {&text::kUnicodeFromClipboard, &text::kCannotOpenClipboard, &text::kNoClipboardText,
        &text::kCannotObtainText, &text::kOpenFileError, &text::kConvertOk,
        &text::kResultToClipboardFailed, &text::kSameFile, &text::kCannotWriteScratch,
        &text::kCannotReadResult, &text::kReadError, &text::kWriteError}) {
    bool complete = true;
    (void)EncodeUtf8As(m->gb, TextCode::Gb, &complete);
    (void)EncodeUtf8As(m->big5, TextCode::Big5, &complete);
    EXPECT_TRUE(complete) << m->english;
  }
}

// 朱镕基 𠮷 你嘅文件 in today's codes.
const std::string kTodayUtf8 =
    Hex("E69CB1 E99595 E59FBA 20 F0A0AEB7 20 E4BDA0 E59885 E69687 E4BBB6");
const std::string kTodayUtf16Le = Hex("3167 5595 FA57 2000 42D8B7DF 2000 604F 0556 8765 F64E");
const std::string kTodayGb18030 = Hex("D6EC E946 BBF9 20 9534B235 20 C4E3 86FE CEC4 BCFE");

TEST(CodeConverterDialog, RoutesBetweenTodaysCodes) {
  RunConvertCases({
      {"UTF-16 file with a little-endian mark to UTF-8",
       [](const TempDir& d, FakePlatform&, State& s) {
         ChooseFiles(s, d.File("in.txt"), d.File("out.txt"));
         s.sourceCode = Charset::Utf16;
         s.resultCode = Charset::Utf8;
         WriteFile(s.sourcePath, Hex("FFFE") + kTodayUtf16Le);
       },
       {kOk},
       [](const TempDir& d, const FakePlatform&) {
         EXPECT_EQ(ToHex(ReadFile(d.File("out.txt"))), ToHex(kTodayUtf8));
       }},
      {"UTF-16 file without a mark reads big-endian",
       [](const TempDir& d, FakePlatform&, State& s) {
         ChooseFiles(s, d.File("in.txt"), d.File("out.txt"));
         s.sourceCode = Charset::Utf16;
         s.resultCode = Charset::Gb18030;
         WriteFile(s.sourcePath, Hex("6731 9555 57FA"));
       },
       {kOk},
       [](const TempDir& d, const FakePlatform&) {
         EXPECT_EQ(ToHex(ReadFile(d.File("out.txt"))), ToHex(Hex("D6EC E946 BBF9")));
       }},
      {"UTF-8 file to UTF-16LE with a mark",
       [](const TempDir& d, FakePlatform&, State& s) {
         ChooseFiles(s, d.File("in.txt"), d.File("out.txt"));
         s.sourceCode = Charset::Utf8;
         s.resultCode = Charset::Utf16;
         WriteFile(s.sourcePath, kTodayUtf8);
       },
       {kOk},
       [](const TempDir& d, const FakePlatform&) {
         EXPECT_EQ(ToHex(ReadFile(d.File("out.txt"))), ToHex(Hex("FFFE") + kTodayUtf16Le));
       }},
      {"Big5 file of the program's table to UTF-8",
       [](const TempDir& d, FakePlatform&, State& s) {
         ChooseFiles(s, d.File("in.txt"), d.File("out.txt"));
         s.sourceCode = TextCode::Big5;
         s.resultCode = Charset::Utf8;
         WriteFile(s.sourcePath, Hex("A4A4 A4E5"));
       },
       {kOk},
       [](const TempDir& d, const FakePlatform&) {
         EXPECT_EQ(ToHex(ReadFile(d.File("out.txt"))), ToHex(Hex("E4B8AD E69687")));
       }},
      {"UTF-8 clipboard text to the clipboard as GB18030, with its raw bytes",
       [](const TempDir&, FakePlatform& p, State& s) {
         p.clipboard.SetIn(kTodayUtf8, DisplayCode::Utf8);
         s.sourceCode = Charset::Utf8;
         s.resultCode = Charset::Gb18030;
       },
       {kOk},
       [](const TempDir&, const FakePlatform& p) {
         EXPECT_EQ(p.frameClipboardReads, std::vector<DisplayCode>{DisplayCode::Utf8});
         EXPECT_TRUE(p.clipboardReads.empty());
         EXPECT_EQ(ToHex(p.clipboard.bytes), ToHex(kTodayGb18030));
         EXPECT_EQ(p.clipboard.displayCode, DisplayCode::Gb18030);
       }},
      {"a UTF-16 result goes to the clipboard as its text",
       [](const TempDir& d, FakePlatform& p, State& s) {
         p.clipboard.Set("old");
         s.sourceChoice = TextLocation::File;
         s.sourcePath = d.File("in.txt");
         s.sourceCode = Charset::Gb18030;
         s.resultCode = Charset::Utf16;
         WriteFile(s.sourcePath, kTodayGb18030);
       },
       {kOk},
       [](const TempDir&, const FakePlatform& p) {
         EXPECT_EQ(ToHex(p.clipboard.bytes), ToHex(kTodayUtf8));
         EXPECT_EQ(p.clipboard.displayCode, DisplayCode::Utf8);
       }},
      {"UTF-16 refused from the clipboard like Unicode",
       [](const TempDir&, FakePlatform& p, State& s) {
         p.clipboard.Set("text");
         s.sourceCode = Charset::Utf16;
       },
       {kUnicodeRefused},
       [](const TempDir&, const FakePlatform& p) {
         EXPECT_TRUE(p.frameClipboardReads.empty());
         EXPECT_EQ(p.clipboard.writes, 0);
       }},
  });
}

TEST(CodeConverterDialog, WhatDidNotConvertIsCountedInsteadOfConvertOk) {
  for (const int language : kLanguages) {
    TempDir dir;
    FakePlatform platform;
    CodeConverterDialog dialog(platform, dir.path() + "/", Lang(language));
    State& s = dialog.state();
    ChooseFiles(s, dir.File("in.txt"), dir.File("out.txt"));
    s.sourceCode = Charset::Utf8;
    s.resultCode = Charset::Big5Hkscs;
    // 镕 and 𠮷 have no Big5-HKSCS code; FF is no UTF-8.
    WriteFile(s.sourcePath, kTodayUtf8 + Hex("FF"));
    dialog.OnConvert();
    ASSERT_EQ(platform.messages.size(), 1U) << language;
    EXPECT_EQ(platform.messages[0],
              FormatText(codes_text::kConvertedWithLosses, Lang(language).ForLabels(), {"2", "1"}))
        << language;
    EXPECT_EQ(ToHex(ReadFile(dir.File("out.txt"))),
              ToHex(Hex("A6B6 3F B0F2 20 3F 20 A741 9DEF A4E5 A5F3 3F")));
  }
}

}  // namespace
}  // namespace vortane
