#include "detect/ascii_pairs.h"

#include <cstddef>

#include "detect/ascii_pairs_data.h"

namespace vortane {
namespace {

constexpr std::size_t kTokens = kPunctuationToken - kBlankToken + 1;

std::size_t Cell(unsigned char before, unsigned char next) {
  return static_cast<std::size_t>(before - kBlankToken) * kTokens +
         static_cast<std::size_t>(next - kBlankToken);
}

}  // namespace

int ChineseTextStep(unsigned char before, unsigned char next) {
  return ascii_pairs_data::kChineseText[Cell(before, next)];
}

int EnglishTextStep(unsigned char before, unsigned char next) {
  return ascii_pairs_data::kEnglishText[Cell(before, next)];
}

}  // namespace vortane
