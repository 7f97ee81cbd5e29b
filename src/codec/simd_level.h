// Which vector instructions the stream decoders' fast paths use. Every level
// gives the same bytes; the plain level is the reference the others are
// tested against and the one other processors run.
#pragma once

#include <cstddef>
#include <vector>

namespace vortane {

enum class SimdLevel : unsigned char {
  Plain,  // portable C++ only
  Sse2,   // x86-64 baseline: 16-byte vectors
  Avx2    // 32-byte vectors (with BMI1, BMI2 and POPCNT), chosen at run time
};

// Bytes past the end of what it returns that a fast path may fill with
// scratch (whole vectors are stored even when only part of one is output):
// every MaxOutput leaves this much room.
inline constexpr std::size_t kSimdSlack = 64;

// The best level this processor runs: Avx2 when it has AVX2, BMI1, BMI2 and
// POPCNT, otherwise Sse2 on x86-64, otherwise Plain. Asked once per process.
[[nodiscard]] SimdLevel DetectSimdLevel();

// Every level this processor runs, Plain first (for tests that compare them).
[[nodiscard]] std::vector<SimdLevel> SupportedSimdLevels();

// "plain", "sse2" or "avx2", for test names and benchmark labels.
[[nodiscard]] const char* SimdLevelName(SimdLevel level);

}  // namespace vortane
