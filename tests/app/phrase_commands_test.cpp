// Decode > Big5->GB and GB->Big5 by phrases on the main window: the region
// and the phrase list come from the desktop state, the character rules of
// Big5->GB and GB->Big5 stay as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "converter/phrase_route.h"
#include "main_window_fixture.h"
#include "platform/desktop_state.h"
#include "texts/format_text.h"
#include "texts/phrases_texts.h"

namespace vortane {
namespace {

using testing::MainWindowTest;
using testing::ToHex;

std::string Gb(std::string_view utf8) { return EncodeUtf8As(utf8, TextCode::Gb); }
std::string Big5(std::string_view utf8) { return EncodeUtf8As(utf8, TextCode::Big5); }

class PhraseCommandTest : public MainWindowTest {
 public:
  PhraseCommandTest() : state(dir.path()) {}

  void StartWithState() {
    Start();
    window->UseDesktopState(state);
  }

  // Runs `command` on `source` typed into the source frame.
  void Convert(Command command, const std::string& source) {
    Type(source, "old");
    Run(command);
  }

  MemoryDesktopState state;
};

struct RegionCase {
  const char* name;
  const char* region;  // kept in the state; nullptr: none kept
  Command command;
  std::string source;
  std::string expected;
};

class PhraseRegionTest : public PhraseCommandTest,
                         public ::testing::WithParamInterface<RegionCase> {};

TEST_P(PhraseRegionTest, ConvertsInTheKeptRegion) {
  const RegionCase& c = GetParam();
  if (c.region != nullptr) {
    state.SetValue(kPhraseRegionKey, c.region);
  }
  StartWithState();
  view.source.displayCode = DisplayCode::Gb;
  Convert(c.command, c.source);
  EXPECT_EQ(ToHex(view.target.bytes), ToHex(c.expected));
  EXPECT_EQ(ToHex(view.source.bytes), ToHex(c.source));
  const DisplayCode resultCode =
      c.command == Command::GbToBig5ByPhrases ? DisplayCode::Big5 : DisplayCode::Gb;
  EXPECT_EQ(view.target.displayCode, resultCode);
  EXPECT_TRUE(platform.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PhraseRegionTest,
    ::testing::Values(RegionCase{"taiwan_by_default", nullptr, Command::GbToBig5ByPhrases,
                                 Gb("头发 干杯 软件\r\n"), Big5("頭髮 乾杯 軟件\r\n")},
                      RegionCase{"unknown_region_is_taiwan", "xx", Command::GbToBig5ByPhrases,
                                 Gb("软件"), Big5("軟件")},
                      RegionCase{"taiwan_vocabulary", "twp", Command::GbToBig5ByPhrases, Gb("软件"),
                                 Big5("軟體")},
                      // Hong Kong forms plain Big5 lacks are written in their Taiwan glyphs.
                      RegionCase{"hong_kong_in_taiwan_glyphs", "hk", Command::GbToBig5ByPhrases,
                                 Gb("说"), Big5("說")},
                      RegionCase{"big5_to_gb", "tw", Command::Big5ToGbByPhrases, Big5("頭髮 乾杯"),
                                 Gb("头发 干杯")},
                      RegionCase{"big5_to_gb_vocabulary", "twp", Command::Big5ToGbByPhrases,
                                 Big5("軟體"), Gb("软件")},
                      // Bytes no table reads pass by the character rule; the text stops at
                      // its first 0 byte as every frame result does.
                      RegionCase{"ascii_and_cut_at_nul", nullptr, Command::GbToBig5ByPhrases,
                                 std::string("a\tb\0c", 5), "a\tb"}),
    [](const auto& info) { return std::string(info.param.name); });

// The character rules keep their bytes: the one-to-many characters go the
// table's way there, and the phrase commands differ exactly on them.
TEST_F(PhraseCommandTest, CharacterRulesStayAsTheyWere) {
  StartWithState();
  Convert(Command::GbToBig5, Gb("头发"));
  EXPECT_EQ(ToHex(view.target.bytes), ToHex(Big5("頭發")));
  Convert(Command::GbToBig5ByPhrases, Gb("头发"));
  EXPECT_EQ(ToHex(view.target.bytes), ToHex(Big5("頭髮")));
}

TEST_F(PhraseCommandTest, UserPhraseListInTheSettingsFolderComesFirst) {
  dir.Write("phrases.txt", "软件\t軟體\n");
  StartWithState();
  Convert(Command::GbToBig5ByPhrases, Gb("软件 头发"));
  EXPECT_EQ(ToHex(view.target.bytes), ToHex(Big5("軟體 頭髮")));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PhraseCommandTest, SkippedListLinesAreReportedAndTheRestApplies) {
  dir.Write("phrases.txt", "no tab here\n软件\t軟體\n");
  StartWithState();
  Convert(Command::GbToBig5ByPhrases, Gb("软件"));
  EXPECT_EQ(ToHex(view.target.bytes), ToHex(Big5("軟體")));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], FormatText(phrases_text::kListLinesSkipped, Language::English,
                                             {dir.File("phrases.txt"), "1"}));
}

TEST_F(PhraseCommandTest, UnreadableListLeavesTheFramesAsTheyWere) {
  // A folder where the list should be cannot be read as one.
  std::filesystem::create_directory(dir.File("phrases.txt"));
  StartWithState();
  Convert(Command::GbToBig5ByPhrases, Gb("头发"));
  EXPECT_EQ(view.target.bytes, "old");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].bytes.find(dir.File("phrases.txt")), std::string::npos);
}

// A window given no state converts for Taiwan and reads no list.
TEST_F(PhraseCommandTest, WithoutAStateTaiwanAndNoList) {
  dir.Write("phrases.txt", "软件\t軟體\n");
  Start();
  Convert(Command::GbToBig5ByPhrases, Gb("软件"));
  EXPECT_EQ(ToHex(view.target.bytes), ToHex(Big5("軟件")));
}

}  // namespace
}  // namespace vortane
