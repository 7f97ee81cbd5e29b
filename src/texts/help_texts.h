// Captions of the help dialog: its title, the four tab labels and the four
// page titles. The help dialog picks them with InterfaceLanguage::ForMessages.
#pragma once

#include <array>
#include <string_view>

#include "texts/tri_text.h"

namespace vortane::help_text {

inline constexpr int kPageCount = 4;

extern const TriText kTitle;
// Tab labels, in tab order.
extern const std::array<TriText, kPageCount> kTabs;
// Titles of the pages, in tab order.
extern const std::array<TriText, kPageCount> kPageTitles;
// The close button reads the same in every language.
inline constexpr std::string_view kClose = "Close";

}  // namespace vortane::help_text
