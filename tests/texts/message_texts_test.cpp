#include "texts/message_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace vortane {
namespace {

TEST(MessageTexts, EveryTextConvertsCompletelyIntoItsCode) {
  for (const TriText* text : message_text::MessageTexts()) {
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
