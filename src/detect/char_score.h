// How much one character says for or against a text being Chinese.
#pragma once

#include <cstdint>

namespace vortane {

// Scores are in hundredths of a nat: a character's score is the log of how
// much likelier it is in Chinese text than in a garbled reading.
inline constexpr int kPointsPerNat = 100;
// Controls, private use, non-characters and U+FFFD.
inline constexpr int kBrokenCharScore = -800;

// The score of one code point:
// - ASCII printable characters, tab, LF, CR and form feed: 0 (they say nothing);
// - ideographs: by how often they occur in Chinese text (a character as
//   common as one in 10,000 scores 0, the commonest about +5 nats); a rarer
//   one scores no less than -1 nat when it is of GB 2312's first level or
//   Big5's common set, -1.5 otherwise;
// - punctuation and symbols of Chinese text (CJK and general punctuation,
//   fullwidth forms, arrows, enclosed numbers, the middle dot ...): by
//   frequency between +0.1 and +2.5 nats;
// - other non-ASCII characters (Latin letters, kana, Greek, box drawing ...):
//   by frequency between -3 and -1 nats;
// - other controls, C1 controls, private use, non-characters, U+FFFD, and any
//   value past U+10FFFF: kBrokenCharScore.
[[nodiscard]] int CharScore(char32_t point);

// How often `point` occurs in Chinese text by the frequency table alone, in
// hundredths of a nat against 1 in 10,000 and without CharScore's bounds by
// class: the commonest about +5 nats, a character missing from the table
// about -7.6 (half the table's least weight).
[[nodiscard]] int FrequencyScore(char32_t point);

// True for the ideographs that Big5-HKSCS adds to Big5: the Hong Kong set of
// written Cantonese and local names.
[[nodiscard]] bool IsHongKongAddition(char32_t point);

// CharScore of a character read in Big5-HKSCS: a Hong Kong addition scores at
// least as a common ideograph does (the frequency table's text is Mandarin, so
// its lack of them says nothing about their use in Hong Kong text); others as
// CharScore.
[[nodiscard]] int HongKongScore(char32_t point);

// True for the CJK ideographs (unified, extension A and beyond, compatibility).
[[nodiscard]] bool IsIdeograph(char32_t point);

}  // namespace vortane
