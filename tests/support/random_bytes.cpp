#include "support/random_bytes.h"

namespace vortane::testing {

std::string RandomBytesFrom(std::mt19937& rng, std::size_t length, std::string_view picks,
                            std::size_t anyShare, int anyLow) {
  std::uniform_int_distribution<std::size_t> pick(0, picks.size() + anyShare - 1);
  std::uniform_int_distribution<int> any(anyLow, 0xFF);
  std::string bytes;
  bytes.reserve(length);
  for (std::size_t i = 0; i < length; ++i) {
    const std::size_t k = pick(rng);
    bytes.push_back(k < picks.size() ? picks[k] : static_cast<char>(any(rng)));
  }
  return bytes;
}

}  // namespace vortane::testing
