#include "mail/charset_guesser.h"

#include "charsets/charset_text.h"

namespace vortane {

Charset GuessByFewestUnreadable(std::string_view bytes, std::span<const Charset> candidates) {
  Charset best = candidates.front();
  std::size_t fewest = static_cast<std::size_t>(-1);
  for (const Charset candidate : candidates) {
    const std::size_t unreadable = DecodeToUtf8(candidate, bytes).unreadable;
    if (unreadable == 0) {
      return candidate;
    }
    if (unreadable < fewest) {
      fewest = unreadable;
      best = candidate;
    }
  }
  return best;
}

}  // namespace vortane
