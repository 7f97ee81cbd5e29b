#include "converter/convert_route.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/random_bytes.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::RunStream;
using testing::ToHex;

constexpr BlankMode kAdd = BlankMode::AddBlank;
constexpr BlankMode kRemove = BlankMode::RemoveBlank;
constexpr BlankMode kKeep = BlankMode::KeepStill;

struct RouteResult {
  std::string bytes;
  ConvertCounts counts;
};

RouteResult Route(std::string_view input, const ConvertCode& from, const ConvertCode& to,
                  BlankMode mode, std::size_t blockSize = 65536) {
  StringReader reader(input, blockSize);
  StringWriter writer;
  const ConvertOutcome outcome = ConvertRouteStream(reader, writer, from, to, mode);
  EXPECT_EQ(outcome.status, StreamStatus::Ok);
  return {writer.bytes(), outcome.counts};
}

struct RouteCase {
  const char* name;
  ConvertCode from;
  ConvertCode to;
  BlankMode mode;
  const char* inputHex;
  const char* outputHex;
  std::size_t unreadable;
  std::size_t unwritable;
};

const RouteCase kRouteCases[] = {
    // The new sources.
    {"Utf8ToGb18030", Charset::Utf8, Charset::Gb18030, kKeep, "E69CB1 E99595 E59FBA F0A0AEB7",
     "D6EC E946 BBF9 9534B235", 0, 0},
    {"Utf16LittleByMark", Charset::Utf16, Charset::Utf8, kKeep, "FFFE 3167 4100", "E69CB1 41", 0,
     0},
    {"Utf16BigByMark", Charset::Utf16, Charset::Utf8, kKeep, "FEFF 6731 0041", "E69CB1 41", 0, 0},
    {"Utf16BigWithoutMark", Charset::Utf16, Charset::Utf8, kKeep, "6731 0041", "E69CB1 41", 0, 0},
    {"Big5HkscsToUtf8", Charset::Big5Hkscs, Charset::Utf8, kKeep, "A741 9DEF A4E5 A5F3",
     "E4BDA0 E59885 E69687 E4BBB6", 0, 0},
    {"Gb18030ToBig5", Charset::Gb18030, TextCode::Big5, kKeep, "D6D0 CEC4", "A4A4 A4E5", 0, 0},
    // The new results.
    {"GbToUtf16LeWithMark", TextCode::Gb, Charset::Utf16, kKeep, "D6D0 41", "FFFE 2D4E 4100", 0, 0},
    {"EmptySourceToUtf16GetsMark", Charset::Utf8, Charset::Utf16, kKeep, "", "FFFE", 0, 0},
    {"Big5ToBig5Hkscs", TextCode::Big5, Charset::Big5Hkscs, kKeep, "A4A4", "A4A4", 0, 0},
    // The Part's Unicode source keeps its meaning, with the little-endian mark mended.
    {"UnicodeBigEndianToUtf8", TextCode::Unicode, Charset::Utf8, kKeep, "0041 4E2D", "41 E4B8AD", 0,
     0},
    {"UnicodeLittleMarkToUtf8", TextCode::Unicode, Charset::Utf8, kKeep, "FFFE 4100 2D4E",
     "41 E4B8AD", 0, 0},
    // Characters the result code cannot hold, and bytes the source code cannot read.
    {"Utf8ToGbCountsUnwritable", Charset::Utf8, TextCode::Gb, kKeep, "E99595 41 F0A0AEB7",
     "3F 41 3F", 0, 2},
    {"Utf8ToBig5HkscsCountsUnwritable", Charset::Utf8, Charset::Big5Hkscs, kKeep, "E8BF99", "3F", 0,
     1},
    {"BrokenUtf8ToGb18030", Charset::Utf8, Charset::Gb18030, kKeep, "41 FF 42", "41 8431A437 42", 1,
     0},
    {"BrokenUtf8ToBig5HkscsCountedOnce", Charset::Utf8, Charset::Big5Hkscs, kKeep, "41 FF 42",
     "41 3F 42", 1, 0},
    {"BrokenUtf8ToBig5HkscsCountedOnceWithBlanks", Charset::Utf8, Charset::Big5Hkscs, kRemove,
     "41 FF 42", "41 3F 42", 1, 0},
    // The blank rule, in front of every character outside ASCII.
    {"AddBlankUtf8", Charset::Utf8, Charset::Utf8, kAdd, "41 E4B8AD E69687 20 20 42",
     "41 20E4B8AD 20E69687 20 20 42", 0, 0},
    {"AddBlankKeepsOneBlank", Charset::Utf8, Charset::Gb18030, kAdd, "41 20 E4B8AD", "41 20 D6D0",
     0, 0},
    {"RemoveBlankDropsTheLastOnly", Charset::Utf8, Charset::Utf8, kRemove, "41 20 20 E4B8AD 20",
     "41 20 E4B8AD 20", 0, 0},
    {"RemoveBlankUtf16Source", Charset::Utf16, Charset::Gb18030, kRemove, "FFFE 4100 2000 2D4E",
     "41 D6D0", 0, 0},
    {"TabIsNoBlank", Charset::Gb18030, Charset::Utf8, kAdd, "09 D6D0", "09 20E4B8AD", 0, 0},
    {"TrailingBlanksKept", Charset::Gb18030, Charset::Utf8, kRemove, "D6D0 20 20", "E4B8AD 20 20",
     0, 0},
    // Two of the program's own codes take the Part's engine: a code the table
    // lacks passes unchanged and nothing is counted.
    {"OwnCodesUnchangedWhenNotFound", TextCode::Gb, TextCode::Big5, kKeep, "D6D0 A1A0", "A4A4 A1A0",
     0, 0},
};

TEST(ConvertRoute, EveryRoute) {
  for (const RouteCase& c : kRouteCases) {
    SCOPED_TRACE(c.name);
    for (const std::size_t block : {std::size_t{1}, std::size_t{3}, std::size_t{65536}}) {
      const RouteResult result = Route(Hex(c.inputHex), c.from, c.to, c.mode, block);
      EXPECT_EQ(ToHex(result.bytes), ToHex(Hex(c.outputHex))) << "block " << block;
      EXPECT_EQ(result.counts.unreadable, c.unreadable) << "block " << block;
      EXPECT_EQ(result.counts.unwritable, c.unwritable) << "block " << block;
    }
  }
}

TEST(ConvertRoute, OwnCodesAreThePartsEngine) {
  std::mt19937 random(12);
  for (int round = 0; round < 200; ++round) {
    const std::string input = testing::RandomBytes(random, 50);
    for (const BlankMode mode : {kAdd, kRemove, kKeep}) {
      for (const TextCode from : {TextCode::Gb, TextCode::Big5, TextCode::Unicode}) {
        const TextCode to = round % 2 == 0 ? TextCode::Gb : TextCode::Big5;
        const std::string engine = RunStream(
            [&](ByteReader& in, ByteWriter& out) { return ConvertStream(in, out, from, to, mode); },
            input);
        ASSERT_EQ(ToHex(Route(input, from, to, mode).bytes), ToHex(engine));
      }
    }
  }
}

// Without the blank rule a route is the re-encoding the command line does.
TEST(ConvertRoute, KeepStillIsTheRecodingOfTheCommandLine) {
  std::mt19937 random(34);
  for (const auto& source : kConverterSourceCodes) {
    for (const auto& result : kConverterResultCodes) {
      if (IsOwnCodeRoute(source.code, result.code)) {
        continue;
      }
      const std::string input = testing::RandomBytes(random, 300);
      RecodeDecoder recode(source.code, result.code);
      std::string expected;
      recode.Feed(input, expected);
      recode.Finish(expected);
      const RouteResult route = Route(input, source.code, result.code, kKeep, 7);
      ASSERT_EQ(ToHex(route.bytes), ToHex(expected)) << source.name << " -> " << result.name;
      ASSERT_EQ(route.counts.unreadable, recode.Unreadable());
      ASSERT_EQ(route.counts.unwritable, recode.Unwritable());
      // The blank rule only moves blanks, so the counts stay.
      const RouteResult spaced = Route(input, source.code, result.code, kAdd, 5);
      ASSERT_EQ(spaced.counts.unreadable, recode.Unreadable()) << source.name << result.name;
      ASSERT_EQ(spaced.counts.unwritable, recode.Unwritable()) << source.name << result.name;
    }
  }
}

TEST(ConvertRoute, ListsNameTheCommandLinesCodes) {
  EXPECT_EQ(kConverterSourceCodes.size(), 7u);
  EXPECT_EQ(kConverterResultCodes.size(), 6u);
  EXPECT_EQ(ConvertCodeName(kConverterSourceCodes[4].code), "utf-16");
  EXPECT_EQ(ConvertCodeName(kConverterResultCodes[3].code), "utf-16");
  EXPECT_EQ(ConvertCodeName(kConverterSourceCodes[2].code), "unicode");
}

}  // namespace
}  // namespace vortane
