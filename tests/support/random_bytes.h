// Random byte strings for property tests, weighted towards the bytes a rule
// treats specially.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <string_view>

namespace vortane::testing {

// `length` bytes, each drawn from `picks` or, in `anyShare` out of
// picks.size() + anyShare draws, any byte from `anyLow` to 0xFF.
std::string RandomBytesFrom(std::mt19937& rng, std::size_t length, std::string_view picks,
                            std::size_t anyShare = 0, int anyLow = 0);

// `length` bytes, each any byte.
inline std::string RandomBytes(std::mt19937& rng, std::size_t length) {
  return RandomBytesFrom(rng, length, {}, 1);
}

}  // namespace vortane::testing
