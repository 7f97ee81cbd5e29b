#include "mail/charset_guesser.h"

#include "detect/readings.h"

namespace vortane {

Charset GuessByReading(std::string_view bytes, std::span<const Charset> candidates) {
  return BestCodeFor(bytes, candidates).value_or(candidates.front());
}

Charset Guess(const CharsetGuesser& guess, std::string_view bytes,
              std::span<const Charset> candidates) {
  return guess ? guess(bytes, candidates) : GuessByReading(bytes, candidates);
}

}  // namespace vortane
