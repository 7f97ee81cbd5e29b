// File > Open and File > Save As with an encoding, and frames in today's
// display codes, on the fake platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "app/encoding_choices.h"
#include "app/main_window_fixture.h"
#include "framecodes/open_encoding.h"
#include "framecodes/save_encoding.h"
#include "texts/codes_texts.h"
#include "texts/format_text.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::MainWindowTest;
using testing::ScopedTempDir;
using testing::ToHex;

// 朱镕基 𠮷 你嘅文件: a GBK name, a character beyond the BMP and Cantonese.
const std::string kUtf8 = Hex("E69CB1 E99595 E59FBA 20 F0A0AEB7 20 E4BDA0 E59885 E69687 E4BBB6");
const std::string kUtf16Le = Hex("3167 5595 FA57 2000 42D8B7DF 2000 604F 0556 8765 F64E");
const std::string kUtf16Be = Hex("6731 9555 57FA 0020 D842DFB7 0020 4F60 5605 6587 4EF6");
const std::string kGb18030 = Hex("D6EC E946 BBF9 20 9534B235 20 C4E3 86FE CEC4 BCFE");
// 朱基 文件 in Big5-HKSCS.
const std::string kBig5HkscsZhuJi = Hex("A6B6 B0F2 20 A4E5 A5F3");
const std::string kUtf8ZhuJi = Hex("E69CB1 E59FBA 20 E69687 E4BBB6");

std::size_t IndexOfOpen(OpenEncoding encoding) {
  return static_cast<std::size_t>(std::ranges::find(kOpenEncodings, encoding) -
                                  kOpenEncodings.begin());
}

std::size_t IndexOfSave(SaveEncoding encoding) {
  return static_cast<std::size_t>(std::ranges::find(kSaveEncodings, encoding) -
                                  kSaveEncodings.begin());
}

TEST_F(MainWindowTest, OpenTurnsThePickedEncodingIntoUtf8ShownAsUtf8) {
  const struct {
    const char* name;
    std::string file;
    OpenEncoding encoding;
  } cases[] = {
      {"utf-8", kUtf8, OpenEncoding::Utf8},
      {"utf-8 with mark", Hex("EFBBBF") + kUtf8, OpenEncoding::Utf8},
      {"utf-16le with mark", Hex("FFFE") + kUtf16Le, OpenEncoding::Utf16Le},
      {"utf-16le", kUtf16Le, OpenEncoding::Utf16Le},
      {"utf-16be with mark", Hex("FEFF") + kUtf16Be, OpenEncoding::Utf16Be},
      {"gb18030", kGb18030, OpenEncoding::Gb18030},
  };
  for (const auto& c : cases) {
    platform.messages.clear();
    Start();
    dir.Write("in.txt", c.file);
    platform.openFiles.push_back(dir.File("in.txt"));
    platform.choices.push_back(IndexOfOpen(c.encoding));
    Run(Command::Open);
    EXPECT_EQ(ToHex(view.source.bytes), ToHex(kUtf8)) << c.name;
    EXPECT_EQ(view.source.displayCode, DisplayCode::Utf8) << c.name;
    EXPECT_TRUE(platform.messages.empty()) << c.name;
  }
  // Big5-HKSCS, on the characters it holds.
  dir.Write("in.txt", kBig5HkscsZhuJi);
  platform.openFiles.push_back(dir.File("in.txt"));
  platform.choices.push_back(IndexOfOpen(OpenEncoding::Big5Hkscs));
  Run(Command::Open);
  EXPECT_EQ(ToHex(view.source.bytes), ToHex(kUtf8ZhuJi));
}

TEST_F(MainWindowTest, OpenOffersTheMarkedEncodingFirstAndBytesOtherwise) {
  const struct {
    const char* name;
    std::string file;
    OpenEncoding offered;
  } cases[] = {
      {"no mark", kGb18030, OpenEncoding::Bytes},
      {"utf-8 mark", Hex("EFBBBF") + kUtf8, OpenEncoding::Utf8},
      {"utf-16le mark", Hex("FFFE") + kUtf16Le, OpenEncoding::Utf16Le},
      {"utf-16be mark", Hex("FEFF") + kUtf16Be, OpenEncoding::Utf16Be},
  };
  Start();
  for (const auto& c : cases) {
    platform.offeredChoices.clear();
    dir.Write("in.txt", c.file);
    platform.openFiles.push_back(dir.File("in.txt"));
    platform.choices.push_back(std::nullopt);  // cancelled: nothing changes
    view.source.bytes = "kept";
    Run(Command::Open);
    ASSERT_EQ(platform.offeredChoices.size(), 1U) << c.name;
    const testing::OfferedChoice& offered = platform.offeredChoices[0];
    EXPECT_EQ(offered.initial, IndexOfOpen(c.offered)) << c.name;
    EXPECT_EQ(offered.items, OpenEncodingItems(Language::English, c.offered == OpenEncoding::Bytes
                                                                      ? std::nullopt
                                                                      : std::optional(c.offered)))
        << c.name;
    EXPECT_EQ(offered.label, Ascii("Text encoding of " + dir.File("in.txt") + ":")) << c.name;
    EXPECT_EQ(view.source.bytes, "kept") << c.name;
  }
  ASSERT_EQ(platform.offeredChoices[0].items.size(), kOpenEncodings.size());
  EXPECT_EQ(platform.offeredChoices[0].items[IndexOfOpen(OpenEncoding::Utf16Be)],
            Ascii("UTF-16BE (byte-order mark found)"));
}

TEST_F(MainWindowTest, OpenAsBytesKeepsTheFrameCodeAndTheBytes) {
  Start();
  view.source.displayCode = DisplayCode::Gb18030;
  dir.Write("in.txt", Hex("FFFE") + kUtf16Le);
  platform.openFiles.push_back(dir.File("in.txt"));
  platform.choices.push_back(IndexOfOpen(OpenEncoding::Bytes));
  Run(Command::Open);
  // The 0 bytes of UTF-16 cut the bytes as they always did.
  EXPECT_EQ(ToHex(view.source.bytes), ToHex(Hex("FFFE 3167 5595 FA57 20")));
  EXPECT_EQ(view.source.displayCode, DisplayCode::Gb18030);
  EXPECT_EQ(platform.messages.size(), 1U);  // the cut
}

TEST_F(MainWindowTest, OpenReportsUnreadableSequencesAndTheCutAfterTurningIntoUtf8) {
  Start(0);
  // A broken UTF-8 byte, then 40,000 three-byte characters: 120,000 bytes of
  // UTF-8 after the cut's limit of 65,535.
  std::string file = Hex("41 FF 42");
  for (int i = 0; i < 40000; ++i) {
    file += Hex("E69CB1");
  }
  dir.Write("in.txt", file);
  platform.openFiles.push_back(dir.File("in.txt"));
  platform.choices.push_back(IndexOfOpen(OpenEncoding::Utf8));
  Run(Command::Open);
  EXPECT_LE(view.source.bytes.size(), kOpenTextLimit);
  EXPECT_EQ(view.source.bytes.size() % 3, 2U);  // "A", U+FFFD, "B", whole characters
  EXPECT_EQ(view.source.bytes.substr(0, 5), Hex("41 EFBFBD 42"));
  ASSERT_EQ(platform.messages.size(), 2U);
  EXPECT_EQ(platform.messages[0].code, UiCode::Gb);  // the cut
  EXPECT_EQ(platform.messages[1], FormatText(codes_text::kOpenUnreadable, Language::Gb,
                                             {"1", dir.File("in.txt"), "UTF-8"}));
}

TEST_F(MainWindowTest, SaveAsWritesEachEncodingFromTheFrameDisplayCode) {
  const struct {
    const char* name;
    SaveEncoding encoding;
    std::string written;
  } cases[] = {
      {"bytes", SaveEncoding::Bytes, kUtf8},
      {"utf-8", SaveEncoding::Utf8, kUtf8},
      {"utf-16le", SaveEncoding::Utf16LeWithMark, Hex("FFFE") + kUtf16Le},
      {"gb18030", SaveEncoding::Gb18030, kGb18030},
  };
  Start();
  for (const auto& c : cases) {
    Type("", kUtf8);
    view.target.displayCode = DisplayCode::Utf8;
    platform.choices.push_back(IndexOfSave(c.encoding));
    platform.saveFiles.push_back(dir.File("out.txt"));
    Run(Command::SaveAs);
    EXPECT_EQ(ToHex(ScopedTempDir::Read(dir.File("out.txt")).value_or("")), ToHex(c.written))
        << c.name;
    EXPECT_TRUE(platform.questions.empty()) << c.name;
    EXPECT_FALSE(window->IsTargetUnsaved()) << c.name;
  }
  // GB 18030 text shown as GB18030, written as UTF-8.
  Type("", kGb18030);
  view.target.displayCode = DisplayCode::Gb18030;
  platform.choices.push_back(IndexOfSave(SaveEncoding::Utf8));
  platform.saveFiles.push_back(dir.File("out.txt"));
  Run(Command::SaveAs);
  EXPECT_EQ(ToHex(ScopedTempDir::Read(dir.File("out.txt")).value_or("")), ToHex(kUtf8));
}

TEST_F(MainWindowTest, SaveAsCountsLossesBeforeWritingAndMayBeCancelled) {
  Start();
  for (const bool yes : {false, true}) {
    dir.Write("out.txt", "old");
    Type("", kUtf8);
    view.target.displayCode = DisplayCode::Utf8;
    platform.questions.clear();
    platform.saveDialogs.clear();
    platform.answers = {yes};
    platform.choices.push_back(IndexOfSave(SaveEncoding::Big5Hkscs));
    platform.saveFiles.push_back(dir.File("out.txt"));
    Run(Command::SaveAs);
    ASSERT_EQ(platform.questions.size(), 1U) << yes;
    // 镕 and 𠮷 have no Big5-HKSCS code.
    EXPECT_EQ(platform.questions[0].question,
              Ascii("In Big5-HKSCS, 2 characters cannot be written and will become \"?\", and 0 "
                    "bytes that UTF-8 cannot read will become replacement characters. Save "
                    "anyway?"));
    EXPECT_EQ(platform.questions[0].caption, Ascii("Characters lost"));
    // The question comes before the file is chosen; No chooses none.
    EXPECT_EQ(platform.saveDialogs.size(), yes ? 1U : 0U);
    EXPECT_EQ(ScopedTempDir::Read(dir.File("out.txt")),
              yes ? Hex("A6B6 3F B0F2 20 3F 20 A741 9DEF A4E5 A5F3") : "old");
    EXPECT_EQ(window->IsTargetUnsaved(), !yes);
    platform.saveFiles.clear();
  }
  // Bytes the display code cannot read are counted too.
  platform.questions.clear();
  Type("", Hex("41 FF 42"));
  platform.answers = {false};
  platform.choices.push_back(IndexOfSave(SaveEncoding::Utf16LeWithMark));
  Run(Command::SaveAs);
  ASSERT_EQ(platform.questions.size(), 1U);
  EXPECT_NE(platform.questions[0].question.bytes.find("0 characters"), std::string::npos);
  EXPECT_NE(platform.questions[0].question.bytes.find("1 bytes that UTF-8"), std::string::npos);
}

TEST_F(MainWindowTest, SaveAsEncodingCancelledWritesNothing) {
  Start(2);
  Type("", "text");
  platform.choices.push_back(std::nullopt);
  Run(Command::SaveAs);
  EXPECT_TRUE(platform.saveDialogs.empty());
  EXPECT_TRUE(window->IsTargetUnsaved());
  ASSERT_EQ(platform.offeredChoices.size(), 1U);
  EXPECT_EQ(platform.offeredChoices[0].initial, IndexOfSave(SaveEncoding::Bytes));
  EXPECT_EQ(platform.offeredChoices[0].items, SaveEncodingItems(Language::Big5));
  EXPECT_EQ(platform.offeredChoices[0].title.code, UiCode::Big5);
}

TEST_F(MainWindowTest, PasteFollowsTheFrameDisplayCode) {
  const struct {
    DisplayCode code;
    std::string pasted;
  } cases[] = {
      {DisplayCode::Utf8, kUtf8},
      {DisplayCode::Gb18030, kGb18030},
      {DisplayCode::Big5Hkscs, Hex("A6B6 3F B0F2 20 3F 20 A741 9DEF A4E5 A5F3")},
      {DisplayCode::Gb, Hex("D6EC 3F BBF9 20 3F 20 C4E3 3F CEC4 BCFE")},
  };
  Start();
  for (const auto& c : cases) {
    // Text another program copied, here from a UTF-8 frame.
    platform.clipboard.SetIn(kUtf8, DisplayCode::Utf8);
    view.source.bytes.clear();
    view.source.selection = {};
    view.source.displayCode = c.code;
    Run(Command::PasteToSource);
    EXPECT_EQ(ToHex(view.source.bytes), ToHex(c.pasted)) << DisplayCodeName(c.code);
  }
}

TEST_F(MainWindowTest, DecodeFileSummaryPathsFollowATodaysFrameCode) {
  Start();
  dir.Write("\xE6\x96\x87.b64", "QQ==");  // 文.b64
  platform.openFiles.push_back(dir.File("\xE6\x96\x87.b64"));
  platform.saveFiles.push_back(dir.File("out.txt"));
  view.target.displayCode = DisplayCode::Gb18030;
  Run(Command::DecodeFileBase64);
  EXPECT_NE(view.target.bytes.find(dir.File("\xCE\xC4.b64")), std::string::npos)
      << view.target.bytes;
}

}  // namespace
}  // namespace vortane
