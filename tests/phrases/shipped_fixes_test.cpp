#include "phrases/shipped_fixes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "phrase_test_support.h"
#include "phrases/opencc_engine.h"
#include "phrases/phrase_converter.h"

namespace vortane {
namespace {

using testing::SharedConverter;

// OpenCC's own conversion of each text, without the phrase lists.
std::vector<std::string> OpenccAlone(PhraseConfig config,
                                     const std::vector<std::string_view>& texts) {
  const OpenccLoad load = OpenccEngine::Load(DefaultOpenccDataDir() + "/" +
                                             std::string(PhraseConfigName(config)) + ".json");
  EXPECT_TRUE(load.engine) << load.error;
  std::vector<std::string> out(texts.size());
  for (std::size_t i = 0; i < texts.size() && load.engine; ++i) {
    EXPECT_TRUE(load.engine->Convert(texts[i], out[i]));
  }
  return out;
}

// Every fix gives its form in each conversion that uses it; a fix is needed
// (OpenCC alone writes something else) and a guard is not (OpenCC alone is
// right, the guard only keeps a shorter fix away).
TEST(ShippedFixes, EachFixGivesItsFormAndIsNeeded) {
  struct Target {
    PhraseConfig config;
    bool hongKong;
  };
  for (const Target target : {Target{PhraseConfig::S2tw, false}, Target{PhraseConfig::S2twp, false},
                              Target{PhraseConfig::S2hk, true}}) {
    const PhraseConverter& converter = SharedConverter(target.config);
    std::vector<std::string_view> froms;
    for (const ShippedFix& fix : ShippedFixes()) {
      froms.push_back(fix.from);
    }
    const std::vector<std::string> openccAlone = OpenccAlone(target.config, froms);
    for (std::size_t i = 0; i < froms.size(); ++i) {
      const ShippedFix& fix = ShippedFixes()[i];
      const std::string_view expected = target.hongKong ? fix.hongKong : fix.taiwan;
      EXPECT_EQ(converter.ConvertUtf8(fix.from), expected)
          << fix.from << " in " << PhraseConfigName(target.config);
      const std::string& alone = openccAlone[i];
      if (fix.guard) {
        EXPECT_EQ(alone, expected) << fix.from << " in " << PhraseConfigName(target.config);
      } else {
        EXPECT_NE(alone, expected) << fix.from << " in " << PhraseConfigName(target.config);
      }
    }
  }
}

TEST(ShippedFixes, SimplifiedFixesApplyToEveryConversionToSimplified) {
  for (const PhraseConfig config : PhraseConfigs()) {
    if (ConvertsToTraditional(config)) {
      continue;
    }
    for (const ShippedSimplifiedFix& fix : ShippedSimplifiedFixes()) {
      EXPECT_EQ(SharedConverter(config).ConvertUtf8(fix.from), fix.to)
          << fix.from << " in " << PhraseConfigName(config);
    }
  }
  // Needed: the Taiwan conversion alone writes the traditional variant.
  EXPECT_EQ(OpenccAlone(PhraseConfig::Tw2s, {"抬頭"}).front(), "擡头");
  EXPECT_EQ(SharedConverter(PhraseConfig::Tw2s).ConvertUtf8("抬頭"), "抬头");
}

TEST(ShippedFixes, FixesInTheirContext) {
  struct Case {
    PhraseConfig config;
    std::string_view input;
    std::string_view expected;
  };
  const Case cases[] = {
      {PhraseConfig::S2tw, "火箭被发射到八万里外", "火箭被發射到八萬里外"},
      {PhraseConfig::S2tw, "八万里面只有一个", "八萬裡面只有一個"},
      {PhraseConfig::S2tw, "范先生的面包干", "范先生的麵包乾"},
      {PhraseConfig::S2hk, "范先生的面包干", "范先生的麪包乾"},
      {PhraseConfig::S2twp, "范老师的软件", "范老師的軟體"},
      {PhraseConfig::Hk2s, "擡頭", "抬头"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SharedConverter(c.config).ConvertUtf8(c.input), c.expected) << c.input;
  }
}

TEST(ShippedFixes, FromPhrasesAreUnique) {
  std::set<std::string_view> seen;
  for (const ShippedFix& fix : ShippedFixes()) {
    EXPECT_TRUE(seen.insert(fix.from).second) << fix.from;
  }
  EXPECT_EQ(ShippedFixList(PhraseConfig::S2tw).size(), ShippedFixes().size());
  EXPECT_EQ(ShippedFixList(PhraseConfig::T2s).size(), ShippedSimplifiedFixes().size());
}

}  // namespace
}  // namespace vortane
