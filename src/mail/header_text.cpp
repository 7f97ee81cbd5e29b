#include "mail/header_text.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "charsets/charset_text.h"
#include "charsets/label_map.h"
#include "mail/encoded_words.h"
#include "mail/header_fields.h"
#include "mail/text_reading.h"

namespace vortane {
namespace {

bool HasHighBytes(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// An encoded run with the code its label reads as.
struct Run {
  bool encoded = false;
  std::optional<Charset> charset;
  std::string bytes;
};

}  // namespace

std::string DecodeHeaderText(std::string_view rawValue, const CharsetGuesser& guess,
                             bool hzMessage) {
  const std::string unfolded = UnfoldHeaderValue(rawValue);
  std::vector<Run> runs;
  for (HeaderPiece& piece : SplitEncodedWords(unfolded)) {
    const std::optional<Charset> charset =
        piece.encoded ? CharsetForLabel(piece.charsetLabel) : std::nullopt;
    // Two runs next to each other were two encoded-words with only blanks
    // between them; labels that differ but name one code still join.
    if (piece.encoded && charset && !runs.empty() && runs.back().encoded &&
        runs.back().charset == charset) {
      runs.back().bytes += piece.bytes;
      continue;
    }
    runs.push_back({piece.encoded, charset, std::move(piece.bytes)});
  }

  // Raw 8-bit text is read in one charset for the whole field.
  std::string rawBytes;
  for (const Run& run : runs) {
    if (!run.encoded && HasHighBytes(run.bytes)) {
      rawBytes += run.bytes;
    }
  }
  std::optional<Charset> rawCharset;
  if (!rawBytes.empty()) {
    rawCharset = Guess(guess, rawBytes, kGuessCandidates);
  }

  std::string text;
  for (const Run& run : runs) {
    if (run.encoded) {
      text += ReadTextBytes(run.bytes, run.charset, guess).utf8;
    } else if (hzMessage && run.bytes.find("~{") != std::string::npos) {
      text += DecodeToUtf8(Charset::Hz, run.bytes).utf8;
    } else if (rawCharset && HasHighBytes(run.bytes)) {
      text += DecodeToUtf8(*rawCharset, run.bytes).utf8;
    } else {
      text += run.bytes;
    }
  }
  return text;
}

}  // namespace vortane
