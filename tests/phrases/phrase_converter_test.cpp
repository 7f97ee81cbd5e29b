#include "phrases/phrase_converter.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "phrase_test_support.h"
#include "phrases/opencc_engine.h"
#include "phrases/utf8_chars.h"

namespace vortane {
namespace {

using testing::SharedConverter;

std::u32string Points(std::string_view utf8) {
  std::u32string points;
  EXPECT_TRUE(Utf8ToPoints(utf8, points));
  return points;
}

PhraseList ListOf(std::initializer_list<std::pair<std::string_view, std::string_view>> entries) {
  PhraseList list;
  for (const auto& [from, to] : entries) {
    list.Set(Points(from), Points(to));
  }
  return list;
}

std::unique_ptr<const PhraseConverter> LoadWith(PhraseConfig config, const PhraseList& list) {
  PhraseConverterLoad load = PhraseConverter::Load(config, list);
  EXPECT_TRUE(load.converter) << load.error;
  return std::move(load.converter);
}

struct UserListCase {
  const char* name;
  PhraseConfig config;
  std::vector<std::pair<std::string_view, std::string_view>> entries;
  std::string_view input;
  std::string_view expected;
};

void PrintTo(const UserListCase& c, std::ostream* os) { *os << c.name; }

class UserList : public ::testing::TestWithParam<UserListCase> {};

TEST_P(UserList, IsMatchedBeforeOpencc) {
  const UserListCase& c = GetParam();
  PhraseList list;
  for (const auto& [from, to] : c.entries) {
    list.Set(Points(from), Points(to));
  }
  const auto converter = LoadWith(c.config, list);
  ASSERT_TRUE(converter);
  EXPECT_EQ(converter->ConvertUtf8(c.input), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserList,
    ::testing::Values(
        // OpenCC would convert the replacement again: 干 alone becomes 幹.
        UserListCase{"ReplacementBypassesOpencc",
                     PhraseConfig::S2tw,
                     {{"干扰", "干擾"}},
                     "干扰干",
                     "干擾幹"},
        UserListCase{"UserEntryReplacesShippedFix",
                     PhraseConfig::S2tw,
                     {{"面包干", "麵包干"}},
                     "面包干",
                     "麵包干"},
        UserListCase{"LongestMatchWins",
                     PhraseConfig::S2tw,
                     {{"范", "范"}, {"范先生们", "范先生們"}},
                     "范先生们和范围",
                     "范先生們和范圍"},
        UserListCase{"EarlierMatchWinsOverLongerLaterOne",
                     PhraseConfig::S2tw,
                     {{"头发", "頭髮"}, {"发展中", "X"}},
                     "头发展中",
                     "頭髮展中"},
        UserListCase{
            "UsedInConversionsToSimplified", PhraseConfig::Tw2s, {{"乾", "乾"}}, "乾淨", "乾净"},
        UserListCase{"ListMayChangeTheLength",
                     PhraseConfig::S2tw,
                     {{"U盘", "隨身碟"}},
                     "U盘和头发",
                     "隨身碟和頭髮"},
        UserListCase{"PhraseWithABlank", PhraseConfig::S2tw, {{"发 头", "X"}}, "发 头", "X"}),
    [](const ::testing::TestParamInfo<UserListCase>& info) {
      return std::string(info.param.name);
    });

TEST(PhraseConverter, BadBytesAndZeroBytesPassUnchanged) {
  const PhraseConverter& tw = SharedConverter(PhraseConfig::S2tw);
  using namespace std::string_literals;
  EXPECT_EQ(tw.ConvertUtf8("头\xFF发\0头发\xE5\xA4"s), "頭\xFF發\0頭髮\xE5\xA4"s);
  EXPECT_EQ(tw.ConvertUtf8(""), "");
  EXPECT_EQ(tw.ConvertUtf8("plain ASCII, 42\r\n"), "plain ASCII, 42\r\n");
}

// A long text is converted in pieces; the pieces must not change the result.
TEST(PhraseConverter, PiecesGiveWhatOpenccGivesLineByLine) {
  const OpenccLoad opencc = OpenccEngine::Load(DefaultOpenccDataDir() + "/s2twp.json");
  ASSERT_TRUE(opencc.engine) << opencc.error;
  const std::string line = "一只猫的头发和U盘，放松。干杯 复杂\n";
  std::string text;
  std::string expected;
  std::string converted;
  ASSERT_TRUE(opencc.engine->Convert(line, converted));
  while (text.size() < 3 * kPieceLimit) {
    text += line;
    expected += converted;
  }
  EXPECT_EQ(SharedConverter(PhraseConfig::S2twp).ConvertUtf8(text), expected);
}

TEST(PhraseConverter, TextIsNeverCutInsideAListPhrase) {
  // The blank that ends the first piece is inside the user's phrase.
  const auto converter = LoadWith(PhraseConfig::S2tw, ListOf({{"发 头", "X"}}));
  ASSERT_TRUE(converter);
  EXPECT_FALSE(converter->MayCutAfter(U' '));
  EXPECT_TRUE(converter->MayCutAfter(U'\n'));
  EXPECT_FALSE(converter->MayCutAfter(U'发'));
  const std::string before(kPieceTarget - 2, 'x');
  EXPECT_EQ(converter->ConvertUtf8(before + "发 头"), before + "X");
}

TEST(PhraseConverter, TextWithoutCutPointsIsConvertedInLimitedPieces) {
  std::string text;
  std::string expected;
  for (std::size_t i = 0; i < kPieceLimit + 10; ++i) {
    text += "发";
    expected += "發";
  }
  EXPECT_EQ(SharedConverter(PhraseConfig::S2tw).ConvertUtf8(text), expected);
}

TEST(PhraseConverter, SourcesFollowTheCharacters) {
  const PhraseConverter& twp = SharedConverter(PhraseConfig::S2twp);
  std::u32string out;
  std::vector<std::uint32_t> sources;
  // 软件 keeps its length (軟體); U盘 becomes three characters (隨身碟).
  twp.ConvertPiece(Points("软件 U盘钎"), out, &sources, [](char32_t p) { return p != U'釺'; });
  EXPECT_EQ(PointsToUtf8(out), "軟體 隨身碟釺");
  const std::vector<std::uint32_t> expected = {0, 1, 2, kNoSource, kNoSource, kNoSource, 5};
  EXPECT_EQ(sources, expected);
}

TEST(PhraseConverter, TaiwanGlyphsOfHongKongForms) {
  const PhraseConverter& hk = SharedConverter(PhraseConfig::S2hk);
  EXPECT_EQ(hk.TaiwanGlyph(U'户'), U'戶');
  EXPECT_EQ(hk.TaiwanGlyph(U'説'), U'說');
  EXPECT_EQ(hk.TaiwanGlyph(U'裏'), U'裡');
  EXPECT_EQ(hk.TaiwanGlyph(U'a'), std::nullopt);
  EXPECT_EQ(hk.TaiwanGlyph(U'頭'), std::nullopt);
  EXPECT_EQ(SharedConverter(PhraseConfig::S2tw).TaiwanGlyph(U'户'), std::nullopt);
}

TEST(PhraseConverter, MissingDataIsReportedNotThrown) {
  const PhraseConverterLoad load =
      PhraseConverter::Load(PhraseConfig::S2tw, PhraseList(), "/nonexistent/opencc");
  EXPECT_FALSE(load.converter);
  EXPECT_NE(load.error.find("s2tw.json"), std::string::npos) << load.error;
}

TEST(PhraseConverter, EveryConfigurationLoads) {
  for (const PhraseConfig config : PhraseConfigs()) {
    EXPECT_EQ(SharedConverter(config).config(), config);
  }
  EXPECT_EQ(SharedConverter(PhraseConfig::S2hk).ConvertUtf8("着急的户口"), "着急的户口");
  EXPECT_EQ(SharedConverter(PhraseConfig::S2tw).ConvertUtf8("着急的户口"), "著急的戶口");
  EXPECT_EQ(SharedConverter(PhraseConfig::Tw2sp).ConvertUtf8("軟體"), "软件");
  EXPECT_EQ(SharedConverter(PhraseConfig::T2s).ConvertUtf8("頭髮"), "头发");
}

}  // namespace
}  // namespace vortane
