// Bytes read as text: by the declared charset when it reads them well enough,
// otherwise by the charset the guesser chooses.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "charsets/charset.h"
#include "mail/charset_guesser.h"

namespace vortane {

// Whether a declared charset fails on a text: more than 1 in 100 of the
// characters read came from unreadable byte sequences. A few bad bytes in a
// long text (a stray symbol in a Big5 letter) keep the declared charset; a
// wrong declaration (UTF-8 labelled gb2312) fails on far more than that.
[[nodiscard]] constexpr bool DeclaredCharsetFails(std::size_t unreadable, std::size_t characters) {
  return unreadable * 100 > characters;
}

struct TextReading {
  std::string utf8;
  Charset charset = Charset::Utf8;  // the code the text was read with
  std::size_t unreadable = 0;       // sequences that became U+FFFD
  bool guessed = false;             // the declared charset was missing, unknown or failed
};

// Reads `bytes` as `declared` (nullopt: missing or unknown). When that is
// missing or fails (DeclaredCharsetFails), `guess` chooses among the declared
// charset (first, when there is one) and kGuessCandidates. Bytes that are all
// ASCII need no guess when nothing is declared: they read as UTF-8.
[[nodiscard]] TextReading ReadTextBytes(std::string_view bytes, std::optional<Charset> declared,
                                        const CharsetGuesser& guess);

// Number of characters in UTF-8 text (bytes that do not continue a sequence).
[[nodiscard]] std::size_t CountUtf8Characters(std::string_view utf8);

}  // namespace vortane
