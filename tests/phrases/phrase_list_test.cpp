#include "phrases/phrase_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <ostream>
#include <string>
#include <vector>

#include "phrases/phrase_list_file.h"
#include "phrases/utf8_chars.h"
#include "support/temp_dir.h"

namespace vortane {
namespace {

// The entries as sorted "from>to" lines.
std::vector<std::string> Lines(const PhraseList& list) {
  std::vector<std::string> lines;
  for (const PhraseEntry& entry : list.Entries()) {
    lines.push_back(PointsToUtf8(entry.from) + ">" + PointsToUtf8(entry.to));
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

struct ParseCase {
  const char* name;
  std::string text;
  std::vector<std::string> entries;
  std::vector<std::size_t> badLines;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class PhraseListParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(PhraseListParsing, ReadsEntriesAndListsBadLines) {
  const ParseCase& c = GetParam();
  const PhraseListParse parse = ParsePhraseList(c.text);
  EXPECT_EQ(Lines(parse.list), c.entries);
  EXPECT_EQ(parse.badLines, c.badLines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PhraseListParsing,
    ::testing::Values(
        ParseCase{"Empty", "", {}, {}}, ParseCase{"OneLine", "干扰\t干擾\n", {"干扰>干擾"}, {}},
        ParseCase{"LastLineWithoutLineEnd", "a\tb\nc\td", {"a>b", "c>d"}, {}},
        ParseCase{
            "MarkAndCrLf", "\xEF\xBB\xBF头发\t頭髮\r\n面\t麵\r\n", {"头发>頭髮", "面>麵"}, {}},
        ParseCase{"CommentsAndEmptyLines", "# fixes\n\n\r\na\tb\n", {"a>b"}, {}},
        ParseCase{"BlanksBelongToThePhrase", "a b\t c\n", {"a b> c"}, {}},
        ParseCase{"LaterLineReplacesEarlier", "a\tb\na\tc\n", {"a>c"}, {}},
        ParseCase{"BadLinesAreSkipped",
                  "no tab\na\tb\tc\n\tb\na\t\nx\x01\ty\n\xFF\tz\nok\tfine\n",
                  {"ok>fine"},
                  {1, 2, 3, 4, 5, 6}},
        ParseCase{"MarkOnlyAtTheStart",
                  "a\tb\n\xEF\xBB\xBF"
                  "c\td\n",
                  {"a>b"},
                  {2}}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(PhraseList, LongestMatchAtAPosition) {
  PhraseList list;
  list.Set(U"范", U"1");
  list.Set(U"范先生", U"3");
  list.Set(U"范先", U"2");
  list.Set(U"", U"ignored");
  EXPECT_EQ(list.size(), 3u);
  const std::u32string text = U"老范先生范先";
  EXPECT_EQ(list.LongestMatchAt(text, 0), nullptr);
  ASSERT_NE(list.LongestMatchAt(text, 1), nullptr);
  EXPECT_EQ(list.LongestMatchAt(text, 1)->to, U"3");
  ASSERT_NE(list.LongestMatchAt(text, 4), nullptr);
  EXPECT_EQ(list.LongestMatchAt(text, 4)->to, U"2");
  EXPECT_EQ(list.LongestMatchAt(text, 6), nullptr);
  EXPECT_TRUE(list.InSomePhrase(U'生'));
  EXPECT_FALSE(list.InSomePhrase(U'老'));
}

TEST(PhraseList, SetAllReplacesSamePhrases) {
  PhraseList shipped;
  shipped.Set(U"面包干", U"麵包乾");
  shipped.Set(U"范先生", U"范先生");
  PhraseList user;
  user.Set(U"面包干", U"麵包干");
  shipped.SetAll(user);
  EXPECT_EQ(Lines(shipped), (std::vector<std::string>{"范先生>范先生", "面包干>麵包干"}));
}

TEST(PhraseListFile, LoadsOrReportsTheCause) {
  testing::ScopedTempDir dir;
  dir.Write("phrases.txt", "a\tb\nbad\n");
  const PhraseListFile ok = LoadPhraseList(dir.File("phrases.txt"));
  ASSERT_TRUE(ok.parse);
  EXPECT_EQ(ok.parse->list.size(), 1u);
  EXPECT_EQ(ok.parse->badLines, std::vector<std::size_t>{2});

  EXPECT_EQ(LoadPhraseList(dir.File("missing.txt")).error, ENOENT);
  EXPECT_EQ(LoadPhraseList(dir.path()).error, EISDIR);
  // An endless file stops at the limit instead of filling memory.
  const PhraseListFile endless = LoadPhraseList("/dev/zero");
  EXPECT_FALSE(endless.parse);
  EXPECT_EQ(endless.error, EFBIG);
}

}  // namespace
}  // namespace vortane
