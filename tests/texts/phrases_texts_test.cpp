#include "texts/phrases_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "texts/format_text.h"

namespace vortane {
namespace {

TEST(PhrasesTexts, EveryTextConvertsCompletelyIntoItsCode) {
  for (const TriText* text : phrases_text::PhrasesTexts()) {
    EXPECT_TRUE(std::all_of(text->english.begin(), text->english.end(), [](char c) {
      return static_cast<unsigned char>(c) < 0x80;
    })) << text->english;
    bool gbComplete = true;
    bool big5Complete = true;
    (void)EncodeUtf8As(text->gb, TextCode::Gb, &gbComplete);
    (void)EncodeUtf8As(text->big5, TextCode::Big5, &big5Complete);
    EXPECT_TRUE(gbComplete) << text->gb;
    EXPECT_TRUE(big5Complete) << text->big5;
  }
}

// Every placeholder a text's callers fill is there in all three languages.
TEST(PhrasesTexts, PlaceholdersInEveryLanguage) {
  const struct {
    const TriText* text;
    int count;
  } kCases[] = {{&phrases_text::kOpenccFailed, 1},
                {&phrases_text::kListUnreadable, 2},
                {&phrases_text::kListLinesSkipped, 2},
                {&phrases_text::kConvertOkWithFallbacks, 1},
                {&phrases_text::kByPhrases, 0}};
  for (const auto& c : kCases) {
    for (const std::string_view language : {c.text->english, c.text->gb, c.text->big5}) {
      for (int n = 1; n <= 3; ++n) {
        const std::string mark = "%" + std::to_string(n);
        EXPECT_EQ(language.find(mark) != std::string_view::npos, n <= c.count)
            << language << " " << mark;
      }
    }
  }
}

}  // namespace
}  // namespace vortane
