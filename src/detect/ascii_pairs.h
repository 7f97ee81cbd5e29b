// How likely an ASCII byte is after another, in Chinese text and in English
// text: the two models that setting the eighth bit weighs a text against.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

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

// The score (hundredths of a nat) of a punctuation mark or symbol of GB 2312
// among the punctuation of Chinese text, against 1 in 10,000 as an
// ideograph's frequency score is: "，" and "“" about +6 to +8 nats, a mark
// Chinese text seldom uses about -2.7. No value for other characters.
[[nodiscard]] std::optional<int> PunctuationScore(char32_t point);

// How much likelier (hundredths of a nat) GB 2312 character `next` is right
// after `before` in Chinese text than on its own: above 0 for characters that
// often follow each other ("文件"), below for a pair never seen together
// after a character seen often. Characters are indexes (row - 1) * 94 +
// (column - 1) below 8836; 0 for a `before` never seen.
[[nodiscard]] int PairAfterPair(std::uint16_t before, std::uint16_t next);

// How much likelier (hundredths of a nat) an ideograph is right after a
// single blank in Chinese text when token `before` comes before the blank
// than after such a blank at all: well below 0 after an ideograph (Chinese
// text seldom parts two characters by a blank: "DL 信封" is no "奶 信封"),
// above 0 after a letter or digit. 0 for a blank `before`.
[[nodiscard]] int IdeographAfterBlank(unsigned char before);

// How much likelier (hundredths of a nat) an ideograph is right after ASCII
// sign `sign` when an ideograph comes right before the sign than after the
// sign at all: well above 0 for "-" and "/" ("卢巴-卢拉语", "是/否"), below
// for '"'. 0 for letters, digits and signs seldom seen after an ideograph.
[[nodiscard]] int IdeographAfterSign(unsigned char sign);

// What the catalogues say of `word`, a run of ASCII letters or of digits:
// whether some word they hold starts so, in any case (digits alone: always),
// and how often it is such a run of Chinese text (ln of its share among them,
// hundredths of a nat): "ID" and "URL" about -5.5 nats, a word seen twice
// -10; digits alone by their length (each digit one in ten); a word seen
// only in small letters ("Debug") by a quarter of those; no score for a word
// never seen.
struct AsciiWord {
  bool starts = false;
  std::optional<int> score;
};
[[nodiscard]] AsciiWord LookUpAsciiWord(std::string_view word);

}  // namespace vortane
