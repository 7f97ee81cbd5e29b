#include "texts/phrases_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "support/tri_text_checks.h"
#include "texts/format_text.h"

namespace vortane {
namespace {

TEST(PhrasesTexts, EveryTextConvertsCompletelyIntoItsCode) {
  for (const TriText* text : phrases_text::PhrasesTexts()) {
    testing::ExpectWholeInEveryCode(*text);
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
    testing::ExpectPlaceholders(*c.text, c.count, 3);
  }
}

}  // namespace
}  // namespace vortane
