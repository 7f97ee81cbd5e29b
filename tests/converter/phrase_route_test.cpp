#include "converter/phrase_route.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/stream_check.h"
#include "support/temp_dir.h"
#include "texts/tri_text.h"

namespace vortane {
namespace {

using testing::ToHex;
using Dir = PhraseDirection;

std::string Gb(std::string_view utf8) { return EncodeUtf8As(utf8, TextCode::Gb); }
std::string Big5(std::string_view utf8) { return EncodeUtf8As(utf8, TextCode::Big5); }

TEST(PhraseDirection, ByTheScriptOfEachCode) {
  const struct {
    ConvertCode source;
    ConvertCode result;
    std::optional<Dir> expected;
  } kCases[] = {
      {TextCode::Gb, TextCode::Big5, Dir::ToTraditional},
      {TextCode::Big5, TextCode::Gb, Dir::ToSimplified},
      {TextCode::Gb, TextCode::Gb, std::nullopt},
      {TextCode::Big5, TextCode::Big5, std::nullopt},
      {TextCode::Unicode, TextCode::Big5, Dir::ToTraditional},
      {TextCode::Unicode, TextCode::Gb, Dir::ToSimplified},
      {TextCode::Gb, Charset::Utf8, Dir::ToTraditional},
      {TextCode::Gb, Charset::Utf16, Dir::ToTraditional},
      {Charset::Gb18030, Charset::Big5Hkscs, Dir::ToTraditional},
      {Charset::Hz, TextCode::Big5, Dir::ToTraditional},
      {TextCode::Big5, Charset::Utf8, Dir::ToSimplified},
      {Charset::Big5Hkscs, Charset::Gb18030, Dir::ToSimplified},
      {Charset::Utf8, Charset::Utf16, std::nullopt},
      {Charset::Gb18030, TextCode::Gb, std::nullopt},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(PhraseDirectionFor(c.source, c.result), c.expected)
        << c.source.index() << " " << c.result.index();
  }
}

TEST(PhraseDirection, ConfigurationOfEachRegion) {
  EXPECT_EQ(PhraseConfigFor(Dir::ToTraditional, PhraseRegion::Taiwan), PhraseConfig::S2tw);
  EXPECT_EQ(PhraseConfigFor(Dir::ToTraditional, PhraseRegion::TaiwanVocabulary),
            PhraseConfig::S2twp);
  EXPECT_EQ(PhraseConfigFor(Dir::ToTraditional, PhraseRegion::HongKong), PhraseConfig::S2hk);
  EXPECT_EQ(PhraseConfigFor(Dir::ToSimplified, PhraseRegion::Taiwan), PhraseConfig::Tw2s);
  EXPECT_EQ(PhraseConfigFor(Dir::ToSimplified, PhraseRegion::TaiwanVocabulary),
            PhraseConfig::Tw2sp);
  EXPECT_EQ(PhraseConfigFor(Dir::ToSimplified, PhraseRegion::HongKong), PhraseConfig::Hk2s);
}

TEST(PhraseRegionState, KeptByShortNameAndTaiwanOtherwise) {
  MemoryDesktopState state;
  EXPECT_EQ(LoadPhraseRegion(state), PhraseRegion::Taiwan);
  for (const PhraseRegion region :
       {PhraseRegion::HongKong, PhraseRegion::TaiwanVocabulary, PhraseRegion::Taiwan}) {
    SavePhraseRegion(state, region);
    EXPECT_EQ(LoadPhraseRegion(state), region);
  }
  SavePhraseRegion(state, PhraseRegion::HongKong);
  EXPECT_EQ(state.Value(kPhraseRegionKey), "hk");
  for (const char* bad : {"", "HK", "s2hk", "tw "}) {
    state.SetValue(kPhraseRegionKey, bad);
    EXPECT_EQ(LoadPhraseRegion(state), PhraseRegion::Taiwan) << bad;
  }
}

TEST(PhraseRegionState, ListInTheSettingsFolder) {
  EXPECT_EQ(PhraseListPath(MemoryDesktopState("/home/a/.config/vortane")),
            "/home/a/.config/vortane/phrases.txt");
  EXPECT_EQ(PhraseListPath(MemoryDesktopState("/cfg/")), "/cfg/phrases.txt");
  EXPECT_EQ(PhraseListPath(MemoryDesktopState()), "");
}

TEST(PhraseSetup, MissingListIsNoListAndAFolderIsAFailure) {
  testing::ScopedTempDir dir;
  for (const std::string& path : {std::string(), dir.File("phrases.txt")}) {
    const PhraseSetup setup = LoadPhraseSetup(PhraseConfig::S2tw, path);
    ASSERT_NE(setup.converter, nullptr) << setup.error;
    EXPECT_EQ(setup.converter->ConvertUtf8("头发"), "頭髮");
  }
  std::filesystem::create_directory(dir.File("phrases.txt"));
  const PhraseSetup failed = LoadPhraseSetup(PhraseConfig::S2tw, dir.File("phrases.txt"));
  EXPECT_EQ(failed.converter, nullptr);
  EXPECT_NE(failed.listError, 0);
}

TEST(PhraseSetup, ListEntriesFirstAndSkippedLinesCounted) {
  testing::ScopedTempDir dir;
  dir.Write("phrases.txt", "头发\t頭髮絲\nbad line\n\n软件\t軟體\nalso bad\n");
  const PhraseSetup setup = LoadPhraseSetup(PhraseConfig::S2tw, dir.File("phrases.txt"));
  ASSERT_NE(setup.converter, nullptr) << setup.error;
  EXPECT_EQ(setup.converter->ConvertUtf8("头发和软件"), "頭髮絲和軟體");
  EXPECT_EQ(setup.skippedLines.size(), 2u);
}

// The stream converts the same for any block size, applies the blank rule to
// GB and Big5 results only, and counts what went by the character rule.
TEST(PhraseRouteStream, BlankRuleAndCounts) {
  const PhraseSetup tw = LoadPhraseSetup(PhraseConfig::S2tw, "");
  const PhraseSetup toSimplified = LoadPhraseSetup(PhraseConfig::Tw2s, "");
  ASSERT_NE(tw.converter, nullptr);
  ASSERT_NE(toSimplified.converter, nullptr);
  const struct {
    const char* name;
    const PhraseConverter* converter;
    ConvertCode source;
    ConvertCode result;
    BlankMode blanks;
    std::string input;
    std::string expected;
  } kCases[] = {
      {"keep", tw.converter.get(), TextCode::Gb, TextCode::Big5, BlankMode::KeepStill,
       Gb("a 头发 干杯"), Big5("a 頭髮 乾杯")},
      {"add_blank", tw.converter.get(), TextCode::Gb, TextCode::Big5, BlankMode::AddBlank,
       Gb("a头发"), "a " + Big5("頭") + " " + Big5("髮")},
      {"remove_blank", tw.converter.get(), TextCode::Gb, TextCode::Big5, BlankMode::RemoveBlank,
       Gb("a 头发"), "a" + Big5("頭髮")},
      {"to_simplified", toSimplified.converter.get(), TextCode::Big5, TextCode::Gb,
       BlankMode::KeepStill, Big5("頭髮"), Gb("头发")},
      // A Unicode result takes no blank rule.
      {"utf8_result", tw.converter.get(), TextCode::Gb, Charset::Utf8, BlankMode::AddBlank,
       Gb("a头发"), "a頭髮"},
  };
  for (const auto& c : kCases) {
    const std::string out = testing::ExpectBlockSizeIndependent(
        [&](ByteReader& in, ByteWriter& out) {
          return ConvertStreamByPhrases(in, out, *c.converter, c.source, c.result, c.blanks).status;
        },
        c.input);
    EXPECT_EQ(ToHex(out), ToHex(c.expected)) << c.name;
  }
}

TEST(PhraseRouteStream, CountsCharacterRuleFallbacks) {
  const PhraseSetup tw = LoadPhraseSetup(PhraseConfig::S2tw, "");
  ASSERT_NE(tw.converter, nullptr);
  // A lone lead byte at the end goes by the character rule.
  const std::string input = Gb("头发") + "\xB0";  // the reader keeps a view of it
  StringReader in(input);
  StringWriter out;
  const PhraseOutcome outcome = ConvertStreamByPhrases(in, out, *tw.converter, TextCode::Gb,
                                                       TextCode::Big5, BlankMode::KeepStill);
  EXPECT_EQ(outcome.status, StreamStatus::Ok);
  EXPECT_EQ(outcome.fallbacks, 1u);
}

}  // namespace
}  // namespace vortane
