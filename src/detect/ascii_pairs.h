// How likely an ASCII byte is after another, in Chinese text and in English
// text: the two models that setting the eighth bit weighs a text against.
#pragma once

namespace vortane {

// The tokens besides the printable ASCII bytes 0x21..0x7E: a blank (space,
// tab, line ends, controls), an ideograph, and a punctuation mark or symbol
// of Chinese text (quotation marks, brackets, fullwidth forms ...).
inline constexpr unsigned char kBlankToken = 0x20;
inline constexpr unsigned char kIdeographToken = 0x7F;
inline constexpr unsigned char kPunctuationToken = 0x80;

// The score (hundredths of a nat) of token `next` right after token `before`
// in Chinese text (ASCII in Chinese mail: "<文件>", "%s", "(_O)"): for an
// ASCII or blank `next` against a byte at random (1 in 94), for
// kIdeographToken and kPunctuationToken the chance that such a character
// comes next (its own frequency is to be added). Tokens are
// kBlankToken..kPunctuationToken.
[[nodiscard]] int ChineseTextStep(unsigned char before, unsigned char next);

// As ChineseTextStep, in English text (words, options, formats).
[[nodiscard]] int EnglishTextStep(unsigned char before, unsigned char next);

}  // namespace vortane
