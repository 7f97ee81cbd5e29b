#include "texts/interface_language.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace vortane {
namespace {

// The number a settings file holds, and the language each kind of place
// reads from it.
TEST(InterfaceLanguage, EveryNumberReadsTheWayEachPlaceNeeds) {
  const struct {
    int number;
    std::optional<Language> exact;
    Language messages;  // messages, menu, title, help and about
    Language labels;    // settings dialog labels, converter
  } cases[] = {
      {0, Language::Gb, Language::Gb, Language::Gb},
      {1, Language::English, Language::English, Language::English},
      {2, Language::Big5, Language::Big5, Language::Big5},
      {-1, std::nullopt, Language::Big5, Language::English},
      {3, std::nullopt, Language::Big5, Language::English},
      {7, std::nullopt, Language::Big5, Language::English},
      {INT_MIN, std::nullopt, Language::Big5, Language::English},
      {INT_MAX, std::nullopt, Language::Big5, Language::English},
  };
  for (const auto& c : cases) {
    const InterfaceLanguage language = InterfaceLanguage::FromNumber(c.number);
    EXPECT_EQ(language.Number(), c.number);
    EXPECT_EQ(language.Exact(), c.exact) << c.number;
    EXPECT_EQ(language.ForMessages(), c.messages) << c.number;
    EXPECT_EQ(language.ForLabels(), c.labels) << c.number;
  }
}

TEST(InterfaceLanguage, DefaultIsEnglishAndLanguagesKeepTheirNumbers) {
  EXPECT_EQ(InterfaceLanguage(), InterfaceLanguage(Language::English));
  EXPECT_EQ(InterfaceLanguage(Language::Gb).Number(), 0);
  EXPECT_EQ(InterfaceLanguage(Language::English).Number(), 1);
  EXPECT_EQ(InterfaceLanguage(Language::Big5).Number(), 2);
  EXPECT_EQ(InterfaceLanguage::FromNumber(2), Language::Big5);
  EXPECT_FALSE(InterfaceLanguage::FromNumber(7) == InterfaceLanguage::FromNumber(8));
}

}  // namespace
}  // namespace vortane
