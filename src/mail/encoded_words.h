// RFC 2047 encoded-words in a header value, on the byte level: where they
// stand, their B or Q bytes, and which of them join into one run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vortane {

// One stretch of a header value: text as written, or a run of encoded-words.
struct HeaderPiece {
  bool encoded = false;
  std::string charsetLabel;  // of an encoded run, as written, language suffix removed
  std::string bytes;         // the text, or the run's decoded bytes joined
};

// Splits an unfolded header value into plain and encoded pieces. An
// encoded-word is "=?charset?B?text?=" or "=?charset?Q?text?=" (the charset
// may carry "*language"; the text holds no "?" or white space); it is taken
// wherever it stands, inside quotes and next to other text too. White space
// (blanks and tabs only) between two encoded-words is dropped; all other text
// is kept as it is. Adjacent encoded-words with the same label (ASCII case
// ignored) join into one run, their bytes put together before any charset is
// applied, so a character split across two words stays whole.
[[nodiscard]] std::vector<HeaderPiece> SplitEncodedWords(std::string_view unfoldedValue);

// The bytes of the text of a B ("base64") or Q encoded-word. B stops at the
// first byte outside the alphabet ("=" padding included) and keeps a partial
// last group; Q turns "_" into a blank and "=XX" into its byte and keeps any
// other "=" as it is.
[[nodiscard]] std::string DecodeEncodedWordText(char encoding, std::string_view text);

}  // namespace vortane
