// The program's three web pages, one per language. These are placeholders
// until the real addresses are settled; they are kept here and nowhere else.
#pragma once

#include <string_view>

namespace vortane {

inline constexpr std::string_view kHomepageGb = "https://vortane.example.org/gb/";
inline constexpr std::string_view kHomepageBig5 = "https://vortane.example.org/big5/";
inline constexpr std::string_view kHomepageEnglish = "https://vortane.example.org/en/";

}  // namespace vortane
