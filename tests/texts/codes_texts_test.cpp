#include "texts/codes_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "support/tri_text_checks.h"
#include "texts/format_text.h"

namespace vortane {
namespace {

TEST(CodesTexts, EveryTextConvertsCompletelyIntoItsCode) {
  for (const TriText* text : codes_text::CodesTexts()) {
    testing::ExpectWholeInEveryCode(*text);
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
    testing::ExpectPlaceholders(*c.text, c.count, 4);
  }
}

}  // namespace
}  // namespace vortane
