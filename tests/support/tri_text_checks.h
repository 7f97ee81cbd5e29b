// Checks every catalogue of interface texts shares: each text is ASCII in
// English and whole in GB and in Big5, and each carries the placeholders its
// callers fill, in all three languages.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "texts/tri_text.h"

namespace vortane::testing {

inline void ExpectWholeInEveryCode(const TriText& text) {
  for (const char c : text.english) {
    EXPECT_LT(static_cast<unsigned char>(c), 0x80) << text.english;
  }
  bool gbComplete = true;
  bool big5Complete = true;
  (void)EncodeUtf8As(text.gb, TextCode::Gb, &gbComplete);
  (void)EncodeUtf8As(text.big5, TextCode::Big5, &big5Complete);
  EXPECT_TRUE(gbComplete) << text.gb;
  EXPECT_TRUE(big5Complete) << text.big5;
}

// %1 to %count are in every language, and %(count+1) to %highest in none.
inline void ExpectPlaceholders(const TriText& text, int count, int highest) {
  for (const std::string_view language : {text.english, text.gb, text.big5}) {
    for (int n = 1; n <= highest; ++n) {
      const std::string mark = "%" + std::to_string(n);
      EXPECT_EQ(language.find(mark) != std::string_view::npos, n <= count)
          << language << " " << mark;
    }
  }
}

}  // namespace vortane::testing
