// Small ASCII helpers for header syntax: case folding, blanks, trimming.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace vortane {

// `c` with A-Z turned into a-z; every other byte unchanged.
[[nodiscard]] constexpr char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// ASCII case-insensitive equality.
[[nodiscard]] inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

// Whether `text` begins with `prefix`, ASCII case ignored.
[[nodiscard]] inline bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// `text` with A-Z turned into a-z.
[[nodiscard]] inline std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
  return out;
}

// A blank in header syntax: space or tab.
[[nodiscard]] constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// White space in header syntax: blank, CR or LF.
[[nodiscard]] constexpr bool IsHeaderSpace(char c) { return IsBlank(c) || c == '\r' || c == '\n'; }

// `text` without leading and trailing white space (blanks, CR, LF).
[[nodiscard]] inline std::string_view TrimHeaderSpace(std::string_view text) {
  while (!text.empty() && IsHeaderSpace(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsHeaderSpace(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace vortane
