// Texts of the about dialog that follow the interface language (picked with
// InterfaceLanguage::ForMessages). The introduction pages, one per language
// whatever the interface language, live with the dialog in help/.
#pragma once

#include "texts/tri_text.h"

namespace vortane::about_text {

extern const TriText kTitle;
extern const TriText kVersion;
// A few lines about the program ending with which area of the icon opens
// which introduction page. Lines are separated by CR LF.
extern const TriText kShortText;

}  // namespace vortane::about_text
