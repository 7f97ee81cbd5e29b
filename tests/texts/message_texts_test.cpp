#include "texts/message_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "support/tri_text_checks.h"

namespace vortane {
namespace {

TEST(MessageTexts, EveryTextConvertsCompletelyIntoItsCode) {
  for (const TriText* text : message_text::MessageTexts()) {
    testing::ExpectWholeInEveryCode(*text);
  }
}

// Every placeholder a text's callers fill is there in all three languages.
TEST(MessageTexts, PlaceholdersInEveryLanguage) {
  using namespace message_text;
  const struct {
    const TriText* text;
    int count;
  } kCases[] = {{&kViewTitle, 1},           {&kNotText, 1},
                {&kSavedUnderOtherName, 1}, {&kCannotSaveAttachment, 2},
                {&kSourceCut, 1},           {&kSourceUnclean, 1},
                {&kWholeMessageDone, 2},    {&kSubject, 0}};
  for (const auto& c : kCases) {
    testing::ExpectPlaceholders(*c.text, c.count, 3);
  }
}

}  // namespace
}  // namespace vortane
