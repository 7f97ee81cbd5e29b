#include "texts/settings_texts.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

TEST(SettingsTexts, EveryTextConvertsCompletelyIntoItsCode) {
  for (const TriText& text : texts::SettingsTexts()) {
    bool gbComplete = true;
    bool big5Complete = true;
    (void)EncodeUtf8As(text.gb, TextCode::Gb, &gbComplete);
    (void)EncodeUtf8As(text.big5, TextCode::Big5, &big5Complete);
    EXPECT_TRUE(gbComplete) << text.gb;
    EXPECT_TRUE(big5Complete) << text.big5;
  }
  bool complete = true;
  (void)EncodeUtf8As(texts::kGbRadioUtf8, TextCode::Gb, &complete);
  (void)EncodeUtf8As(texts::kBig5RadioUtf8, TextCode::Big5, &complete);
  EXPECT_TRUE(complete);
}

TEST(SettingsTexts, RadioCaptionsAndLabelsAreExact) {
  EXPECT_EQ(ToHex(EncodeUtf8As(texts::kGbRadioUtf8, TextCode::Gb)),
            ToHex(Hex("D6D0 CEC4 BDE7 C3E6 28 47 42 29")));
  EXPECT_EQ(ToHex(EncodeUtf8As(texts::kBig5RadioUtf8, TextCode::Big5)),
            ToHex(Hex("A4A4 A4E5 ACC9 ADB1 28 42 49 47 35 29")));
  // The settings dialog reads English for a value outside 0..2.
  EXPECT_EQ(Choose(texts::kMarkLabel, InterfaceLanguage::FromNumber(5).ForLabels()).bytes,
            "Mark Character");
  EXPECT_EQ(ToHex(Choose(texts::kMarkLabel, InterfaceLanguage::FromNumber(0).ForLabels()).bytes),
            ToHex(Hex("B1EA D6BE D7D6 B7FB")));
  EXPECT_EQ(ToHex(Choose(texts::kMarkLabel, InterfaceLanguage::FromNumber(2).ForLabels()).bytes),
            ToHex(Hex("BCD0 A7D3 A672 B2C5")));
}

}  // namespace
}  // namespace vortane
