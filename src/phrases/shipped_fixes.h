// Fixes shipped with the program for words OpenCC's dictionaries convert
// wrongly where the right form is certain. They are matched like the user's
// phrase list (the user's entries win).
#pragma once

#include <span>
#include <string_view>

#include "phrases/phrase_config.h"
#include "phrases/phrase_list.h"

namespace vortane {

// One fix to traditional characters, in UTF-8: the simplified phrase and its
// Taiwan and Hong Kong forms.
struct ShippedFix {
  std::string_view from;
  std::string_view taiwan;    // s2tw, s2twp
  std::string_view hongKong;  // s2hk
  // A guard: OpenCC alone writes this longer phrase right, and the entry keeps
  // a shorter fix (八万里) from taking its start (八万里面, "within 80,000").
  bool guard = false;
};

// One fix to simplified characters, in UTF-8, for every conversion to
// simplified characters.
struct ShippedSimplifiedFix {
  std::string_view from;
  std::string_view to;
};

// Every shipped fix, in the order of the source.
[[nodiscard]] std::span<const ShippedFix> ShippedFixes();
[[nodiscard]] std::span<const ShippedSimplifiedFix> ShippedSimplifiedFixes();

// The fixes for `config` as a phrase list: the Taiwan forms for s2tw and
// s2twp, the Hong Kong forms for s2hk, the simplified fixes for the others.
[[nodiscard]] PhraseList ShippedFixList(PhraseConfig config);

}  // namespace vortane
