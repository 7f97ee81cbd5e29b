// The converter's option "by phrases": which codes it applies to, the region
// kept in the desktop state, the user's phrase list, and the report.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "converter/code_converter_dialog.h"
#include "support/fake_platform.h"
#include "support/stream_check.h"
#include "support/temp_dir.h"
#include "texts/converter_texts.h"
#include "texts/format_text.h"
#include "texts/phrases_texts.h"

namespace vortane {
namespace {

using testing::FakePlatform;
using testing::ToHex;
using TempDir = testing::ScopedTempDir;
using State = CodeConverterDialog::State;

std::string Gb(std::string_view utf8) { return EncodeUtf8As(utf8, TextCode::Gb); }
std::string Big5(std::string_view utf8) { return EncodeUtf8As(utf8, TextCode::Big5); }

// A converter dialog over files in a fresh folder, which is also the
// settings folder of its desktop state.
class ConverterPhrasesTest : public ::testing::Test {
 public:
  ConverterPhrasesTest()
      : state(dir.path()), dialog(platform, dir.path() + "/", Language::English) {}

  // Converts `source` from file to file and returns the result file's bytes.
  std::string ConvertFile(const std::string& source) {
    dir.Write("in.txt", source);
    State& s = dialog.state();
    s.sourceChoice = TextLocation::File;
    s.resultChoice = TextLocation::File;
    s.sourcePath = dir.File("in.txt");
    s.targetPath = dir.File("out.txt");
    dialog.OnConvert();
    return TempDir::Read(dir.File("out.txt")).value_or("<none>");
  }

  TempDir dir;
  MemoryDesktopState state;
  FakePlatform platform;
  CodeConverterDialog dialog;
};

TEST_F(ConverterPhrasesTest, AppliesWhereTheCodesHaveADirection) {
  const struct {
    TextCode source;
    TextCode result;
    bool applies;
  } kCases[] = {{TextCode::Gb, TextCode::Big5, true},    {TextCode::Big5, TextCode::Gb, true},
                {TextCode::Unicode, TextCode::Gb, true}, {TextCode::Unicode, TextCode::Big5, true},
                {TextCode::Gb, TextCode::Gb, false},     {TextCode::Big5, TextCode::Big5, false}};
  for (const auto& c : kCases) {
    dialog.state().sourceCode = c.source;
    dialog.state().resultCode = c.result;
    EXPECT_EQ(dialog.PhrasesApply(), c.applies)
        << static_cast<int>(c.source) << static_cast<int>(c.result);
  }
}

TEST_F(ConverterPhrasesTest, OffByDefaultAndTheCharacterRuleConverts) {
  dialog.UseDesktopState(state);
  EXPECT_FALSE(dialog.state().byPhrases);
  EXPECT_EQ(ToHex(ConvertFile(Gb("头发"))), ToHex(Big5("頭發")));
  EXPECT_EQ(platform.messages,
            std::vector<UiText>{Choose(converter_text::kConvertOk, Language::English)});
}

TEST_F(ConverterPhrasesTest, ConvertsByPhrasesInTheChosenRegionAndKeepsIt) {
  state.SetValue(kPhraseRegionKey, "twp");
  dialog.UseDesktopState(state);
  EXPECT_EQ(dialog.state().phraseRegion, PhraseRegion::TaiwanVocabulary);
  dialog.state().byPhrases = true;
  EXPECT_EQ(ToHex(ConvertFile(Gb("头发 软件"))), ToHex(Big5("頭髮 軟體")));
  dialog.state().phraseRegion = PhraseRegion::Taiwan;
  EXPECT_EQ(ToHex(ConvertFile(Gb("头发 软件"))), ToHex(Big5("頭髮 軟件")));
  EXPECT_EQ(state.Value(kPhraseRegionKey), "tw");
  dialog.state().sourceCode = TextCode::Big5;
  dialog.state().resultCode = TextCode::Gb;
  EXPECT_EQ(ToHex(ConvertFile(Big5("頭髮"))), ToHex(Gb("头发")));
}

TEST_F(ConverterPhrasesTest, IgnoredForCodesWithoutADirection) {
  dialog.state().byPhrases = true;
  dialog.state().resultCode = TextCode::Gb;
  EXPECT_EQ(ToHex(ConvertFile(Gb("头发"))), ToHex(Gb("头发")));
}

TEST_F(ConverterPhrasesTest, UserListFromTheSettingsFolder) {
  dir.Write("phrases.txt", "软件\t軟體\n");
  dialog.UseDesktopState(state);
  dialog.state().byPhrases = true;
  EXPECT_EQ(ToHex(ConvertFile(Gb("软件"))), ToHex(Big5("軟體")));
}

TEST_F(ConverterPhrasesTest, UnreadableListStopsBeforeAnyFileIsWritten) {
  std::filesystem::create_directory(dir.File("phrases.txt"));
  dialog.UseDesktopState(state);
  dialog.state().byPhrases = true;
  EXPECT_EQ(ConvertFile(Gb("软件")), "<none>");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].bytes.find(dir.File("phrases.txt")), std::string::npos);
}

TEST_F(ConverterPhrasesTest, ReportsCharactersConvertedOneByOne) {
  dialog.state().byPhrases = true;
  // A lone lead byte at the end goes by the character rule.
  (void)ConvertFile(Gb("头发") + "\xB0");
  EXPECT_EQ(platform.messages, std::vector<UiText>{FormatText(phrases_text::kConvertOkWithFallbacks,
                                                              Language::English, {"1"})});
}

TEST(ConverterPhrasesCaptions, RegionsInEveryLanguage) {
  FakePlatform platform;
  for (const Language language : {Language::English, Language::Gb, Language::Big5}) {
    const CodeConverterDialog dialog(platform, "/tmp/", InterfaceLanguage(language));
    const auto c = dialog.captions();
    EXPECT_EQ(c.byPhrases, Choose(phrases_text::kByPhrases, language));
    EXPECT_EQ(c.regions[2], Choose(phrases_text::kRegionHongKong, language));
  }
}

}  // namespace
}  // namespace vortane
