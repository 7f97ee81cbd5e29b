// Header field values read as text: encoded-words, raw 8-bit bytes and HZ.
#pragma once

#include <string>
#include <string_view>

#include "mail/charset_guesser.h"

namespace vortane {

// The text (UTF-8) of a raw header value (folding kept, as HeaderField holds
// it). The value is unfolded; encoded-words are read where they stand, the
// white space between two of them dropped and all other white space kept;
// adjacent words whose labels read as one charset are joined as bytes before
// that charset reads them. An encoded-word's charset that is unknown or fails
// goes to `guess` (see ReadTextBytes). Raw 8-bit bytes outside encoded-words
// are read in one charset that `guess` chooses for all of them among UTF-8,
// GB18030 and Big5-HKSCS. When `hzMessage` (the message's charset is HZ),
// text outside encoded-words that holds "~{" is read by the HZ rule.
[[nodiscard]] std::string DecodeHeaderText(std::string_view rawValue, const CharsetGuesser& guess,
                                           bool hzMessage);

}  // namespace vortane
