// The compiled tables must convert exactly as OpenCC's own converter does.
// The texts are made of the configuration's dictionary keys and values in a
// random order, so that every kind of entry meets its neighbours.
#include <gtest/gtest.h>

#include <opencc/Config.hpp>
#include <opencc/Conversion.hpp>
#include <opencc/ConversionChain.hpp>
#include <opencc/Converter.hpp>
#include <opencc/DictEntry.hpp>
#include <opencc/DictGroup.hpp>
#include <opencc/Lexicon.hpp>
#include <opencc/MaxMatchSegmentation.hpp>
#include <random>
#include <string>
#include <vector>

#include "phrases/opencc_engine.h"
#include "phrases/phrase_tables.h"
#include "phrases/utf8_chars.h"

namespace vortane {
namespace {

void CollectWords(const opencc::DictPtr& dict, std::vector<std::string>& words) {
  if (const auto group = std::dynamic_pointer_cast<opencc::DictGroup>(dict)) {
    for (const opencc::DictPtr& member : group->GetDicts()) {
      CollectWords(member, words);
    }
    return;
  }
  for (const auto& entry : *dict->GetLexicon()) {
    words.push_back(entry->Key());
    for (const std::string& value : entry->Values()) {
      words.push_back(value);
    }
  }
}

// Every word of the configuration's dictionaries, keys and values.
std::vector<std::string> WordsOf(const std::string& configPath) {
  opencc::Config config;
  const opencc::ConverterPtr converter = config.NewFromFile(configPath);
  std::vector<std::string> words;
  const auto segmentation =
      std::dynamic_pointer_cast<opencc::MaxMatchSegmentation>(converter->GetSegmentation());
  if (segmentation) {
    CollectWords(segmentation->GetDict(), words);
  }
  for (const opencc::ConversionPtr& conversion :
       converter->GetConversionChain()->GetConversions()) {
    CollectWords(conversion->GetDict(), words);
  }
  return words;
}

class OpenccTablesTest : public ::testing::TestWithParam<const char*> {};

TEST_P(OpenccTablesTest, ConvertLikeOpencc) {
  const std::string path = DefaultOpenccDataDir() + "/" + GetParam() + ".json";
  const OpenccTables tables = LoadOpenccTables(path);
  ASSERT_EQ(tables.error, "");
  const OpenccLoad opencc = OpenccEngine::Load(path);
  ASSERT_TRUE(opencc.engine) << opencc.error;

  std::vector<std::string> words = WordsOf(path);
  ASSERT_FALSE(words.empty());
  std::mt19937 rng(16);
  std::shuffle(words.begin(), words.end(), rng);
  // Lines of about 40 characters; a third of the words go in, so that the
  // test stays quick on the large dictionaries while the small ones still
  // give many lines.
  const std::size_t step = words.size() > 30000 ? 3 : 1;
  std::string line;
  std::size_t mismatches = 0;
  std::size_t lines = 0;
  for (std::size_t i = 0; i < words.size(); i += step) {
    line += words[i];
    if (line.size() < 120 && i + step < words.size()) {
      continue;
    }
    std::string expected;
    ASSERT_TRUE(opencc.engine->Convert(line, expected));
    std::u32string points;
    ASSERT_TRUE(Utf8ToPoints(line, points));
    std::u32string converted;
    tables.tables.Convert(points, converted);
    if (PointsToUtf8(converted) != expected && ++mismatches <= 5) {
      ADD_FAILURE() << line << "\n OpenCC: " << expected
                    << "\n tables: " << PointsToUtf8(converted);
    }
    ++lines;
    line.clear();
  }
  EXPECT_EQ(mismatches, 0u) << "of " << lines << " lines";
}

INSTANTIATE_TEST_SUITE_P(Configurations, OpenccTablesTest,
                         ::testing::Values("s2tw", "s2twp", "s2hk", "tw2s", "tw2sp", "hk2s", "t2s",
                                           "hk2t", "t2tw"));

TEST(OpenccTables, MissingConfigurationIsReported) {
  const OpenccTables tables = LoadOpenccTables("/nonexistent/s2tw.json");
  EXPECT_NE(tables.error.find("s2tw.json"), std::string::npos) << tables.error;
}

}  // namespace
}  // namespace vortane
