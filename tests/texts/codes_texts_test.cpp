#include "texts/codes_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "texts/format_text.h"

namespace vortane {
namespace {

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

TEST(CodesTexts, EveryTextConvertsCompletelyIntoItsCode) {
  for (const TriText* text : codes_text::CodesTexts()) {
    EXPECT_TRUE(IsAscii(text->english)) << text->english;
    bool gbComplete = true;
    bool big5Complete = true;
    (void)EncodeUtf8As(text->gb, TextCode::Gb, &gbComplete);
    (void)EncodeUtf8As(text->big5, TextCode::Big5, &big5Complete);
    EXPECT_TRUE(gbComplete) << text->gb;
    EXPECT_TRUE(big5Complete) << text->big5;
  }
}

// Every placeholder a text's callers fill is there in all three languages.
TEST(CodesTexts, PlaceholdersInEveryLanguage) {
  const struct {
    const TriText* text;
    int count;
  } kCases[] = {{&codes_text::kOpenEncodingLabel, 1},
                {&codes_text::kOpenUnreadable, 3},
                {&codes_text::kSaveLossQuestion, 4},
                {&codes_text::kConvertedWithLosses, 2}};
  for (const auto& c : kCases) {
    for (const std::string_view language : {c.text->english, c.text->gb, c.text->big5}) {
      for (int n = 1; n <= 4; ++n) {
        const std::string mark = "%" + std::to_string(n);
        EXPECT_EQ(language.find(mark) != std::string_view::npos, n <= c.count)
            << language << " " << mark;
      }
    }
  }
}

}  // namespace
}  // namespace vortane
