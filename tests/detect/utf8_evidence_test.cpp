#include "detect/utf8_evidence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "detect/char_score.h"

namespace vortane {
namespace {

// What a character inside a word earns: the word points and what it scored
// against.
std::int64_t InWord(char32_t point) {
  return kUtf8WordLetterPoints - std::min<std::int64_t>(CharScore(point), 0);
}

TEST(Utf8Evidence, WordsOfAnAlphabetSpeakForTheirUtf8) {
  const struct {
    const char* text;
    std::int64_t points;
  } cases[] = {
      // A Latin letter between ASCII letters, then one beside a word or alone.
      {"d\u00E9j\u00E0 vu", InWord(U'\u00E9') + kUtf8LetterPoints},
      {"w\u00A0tym", InWord(U'\u00A0')},
      {"\u00AB oui \u00BB", 2 * kUtf8LetterPoints},
      {"C'\u00E8 un", kUtf8LetterPoints},
      // Two together with a no-break space among them (French), then two
      // others: only beside an ASCII letter, and only a little.
      {"\u00AB\u00A0oui", InWord(U'\u00AB') + InWord(U'\u00A0')},
      {"\u00E9\u00E8oui", kUtf8LetterPoints},
      // Big5 shown as Latin-1: a lead byte before an ASCII trail byte.
      {"\u00A4@\u00A4@", 2 * kUtf8LetterPoints},
      // Words of other alphabets.
      {"\u0424\u0430\u0439", InWord(U'\u0424') + InWord(U'\u0430') + InWord(U'\u0439')},
      {"\u03A4\u03BF", InWord(U'\u03A4') + InWord(U'\u03BF')},
      {"\uD30C\uC77C", InWord(U'\uD30C') + InWord(U'\uC77C')},
      // Chinese shown as Latin-1 and stored as UTF-8: runs of Latin-1, which
      // earn only at an end beside an ASCII letter.
      {"\u00E4\u00B8\u00AD\u00E6\u0096\u0087", 0},
      {"x\u00E4\u00B8\u00ADy", 2 * kUtf8LetterPoints},
      // A Big5 character shown as GBK: a lone Cyrillic or Greek letter.
      {"\u0438 love", 0},
      {"\u0438\u03B1 x", 0},
      // Letters beside ideographs or kana: a wrong display of Chinese.
      {"\u6211\u0424\u0430\u0439\u043B", 0},
      {"\u3042\u0424\u0430", 0},
      // Chinese itself: ideographs earn nothing, nor its punctuation beside them.
      {"\u4E2D\u6587\u3002", 0},
      {"", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8Evidence(c.text), c.points) << c.text;
  }
}

}  // namespace
}  // namespace vortane
