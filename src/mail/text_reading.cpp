#include "mail/text_reading.h"

#include <algorithm>
#include <vector>

#include "charsets/charset_text.h"

namespace vortane {
namespace {

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::size_t CountUtf8Characters(std::string_view utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

TextReading ReadTextBytes(std::string_view bytes, std::optional<Charset> declared,
                          const CharsetGuesser& guess) {
  TextReading reading;
  if (declared) {
    DecodedText decoded = DecodeToUtf8(*declared, bytes);
    if (!DeclaredCharsetFails(decoded.unreadable, CountUtf8Characters(decoded.utf8))) {
      reading.utf8 = std::move(decoded.utf8);
      reading.charset = *declared;
      reading.unreadable = decoded.unreadable;
      return reading;
    }
  } else if (IsAscii(bytes)) {
    reading.utf8 = std::string(bytes);
    reading.charset = Charset::Utf8;
    reading.guessed = true;
    return reading;
  }
  std::vector<Charset> candidates;
  if (declared) {
    candidates.push_back(*declared);
  }
  for (const Charset c : kGuessCandidates) {
    if (std::find(candidates.begin(), candidates.end(), c) == candidates.end()) {
      candidates.push_back(c);
    }
  }
  reading.charset = Guess(guess, bytes, candidates);
  DecodedText decoded = DecodeToUtf8(reading.charset, bytes);
  reading.utf8 = std::move(decoded.utf8);
  reading.unreadable = decoded.unreadable;
  reading.guessed = !declared || reading.charset != *declared;
  return reading;
}

}  // namespace vortane
