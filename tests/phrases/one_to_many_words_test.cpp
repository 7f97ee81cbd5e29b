// Words whose simplified characters stand for more than one traditional
// character: the character table must pick one form for each, conversion by
// phrases picks by the word. Each word is written GB -> Big5 both ways and
// compared with its Taiwan form.
#include <gtest/gtest.h>

#include <array>
#include <iostream>
#include <string_view>

#include "cjk/gb_big5.h"
#include "phrase_test_support.h"
#include "phrases/opencc_engine.h"
#include "phrases/phrase_codes.h"
#include "phrases/phrase_config.h"

namespace vortane {
namespace {

using testing::Encode;
using testing::SharedConverter;
using testing::Show;

struct Word {
  std::string_view simplified;
  std::string_view taiwan;
};

// 64 words in pairs or groups that share a one-to-many character and need
// different traditional forms of it.
constexpr std::array<Word, 64> kWords = {{
    {"头发", "頭髮"}, {"发展", "發展"}, {"干杯", "乾杯"}, {"干部", "幹部"},
    {"干扰", "干擾"}, {"干净", "乾淨"}, {"皇后", "皇后"}, {"以后", "以後"},
    {"公里", "公里"}, {"里面", "裡面"}, {"台风", "颱風"}, {"复杂", "複雜"},
    {"恢复", "恢復"}, {"答复", "答覆"}, {"时钟", "時鐘"}, {"钟情", "鍾情"},
    {"关系", "關係"}, {"系统", "系統"}, {"联系", "聯繫"}, {"一只猫", "一隻貓"},
    {"只有", "只有"}, {"放松", "放鬆"}, {"松树", "松樹"}, {"面条", "麵條"},
    {"面对", "面對"}, {"范围", "範圍"}, {"日历", "日曆"}, {"历史", "歷史"},
    {"冲突", "衝突"}, {"冲洗", "沖洗"}, {"战斗", "戰鬥"}, {"北斗", "北斗"},
    {"稻谷", "稻穀"}, {"山谷", "山谷"}, {"几乎", "幾乎"}, {"茶几", "茶几"},
    {"标准", "標準"}, {"批准", "批准"}, {"制造", "製造"}, {"制度", "制度"},
    {"手表", "手錶"}, {"表示", "表示"}, {"尽管", "儘管"}, {"尽力", "盡力"},
    {"词汇", "詞彙"}, {"汇款", "匯款"}, {"收获", "收穫"}, {"获得", "獲得"},
    {"书签", "書籤"}, {"签名", "簽名"}, {"胡须", "鬍鬚"}, {"必须", "必須"},
    {"分布", "分佈"}, {"布料", "布料"}, {"叮当", "叮噹"}, {"当然", "當然"},
    {"家伙", "傢伙"}, {"伙伴", "夥伴"}, {"借口", "藉口"}, {"舍不得", "捨不得"},
    {"宿舍", "宿舍"}, {"游泳", "游泳"}, {"旅游", "旅遊"}, {"范先生", "范先生"},
}};

// How many words the character table writes right; a change here means the
// table changed, which the character rules must not.
constexpr int kCharacterTableRight = 29;

TEST(OneToManyWords, ByPhrasesWithTaiwanGlyphsEveryWordIsRight) {
  const PhraseConverter& tw = SharedConverter(PhraseConfig::S2tw);
  const OpenccLoad opencc = OpenccEngine::Load(DefaultOpenccDataDir() + "/s2tw.json");
  ASSERT_TRUE(opencc.engine) << opencc.error;
  int phrasesRight = 0;
  int openccRight = 0;
  int tableRight = 0;
  for (const Word& word : kWords) {
    const std::string gb = Encode(word.simplified, TextCode::Gb);
    const std::string expected = Encode(word.taiwan, TextCode::Big5);
    const PhraseCodeText byPhrases = ConvertCodesByPhrases(gb, TextCode::Gb, TextCode::Big5, tw);
    EXPECT_EQ(Show(byPhrases.bytes, TextCode::Big5), word.taiwan) << word.simplified;
    EXPECT_EQ(byPhrases.fallbacks, 0u) << word.simplified;
    phrasesRight += byPhrases.bytes == expected;
    tableRight += ConvertGbToBig5Text(gb) == expected;
    std::string alone;
    ASSERT_TRUE(opencc.engine->Convert(word.simplified, alone));
    openccRight += alone == word.taiwan;
  }
  std::cout << "one-to-many words right of " << kWords.size() << ": by phrases (tw) "
            << phrasesRight << ", OpenCC alone " << openccRight << ", character table "
            << tableRight << "\n";
  EXPECT_EQ(phrasesRight, 64);
  EXPECT_GE(openccRight, 63);
  EXPECT_EQ(tableRight, kCharacterTableRight);
}

}  // namespace
}  // namespace vortane
