#include "texts/repair_texts.h"

#include <gtest/gtest.h>

#include "support/tri_text_checks.h"

namespace vortane {
namespace {

TEST(RepairTexts, EveryTextConvertsCompletelyIntoItsCode) {
  for (const TriText* text : repair_text::RepairTexts()) {
    testing::ExpectWholeInEveryCode(*text);
  }
}

}  // namespace
}  // namespace vortane
