#include "texts/repair_texts.h"

#include <gtest/gtest.h>

namespace vortane {
namespace {

TEST(RepairTexts, EveryTextConvertsCompletelyIntoItsCode) {
  for (const TriText* text : repair_text::RepairTexts()) {
    bool gbComplete = true;
    bool big5Complete = true;
    (void)EncodeUtf8As(text->gb, TextCode::Gb, &gbComplete);
    (void)EncodeUtf8As(text->big5, TextCode::Big5, &big5Complete);
    EXPECT_TRUE(gbComplete) << text->gb;
    EXPECT_TRUE(big5Complete) << text->big5;
    for (const char c : text->english) {
      EXPECT_LT(static_cast<unsigned char>(c), 0x80) << text->english;
    }
  }
}

}  // namespace
}  // namespace vortane
