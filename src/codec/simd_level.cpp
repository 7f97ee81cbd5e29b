#include "codec/simd_level.h"

namespace vortane {

namespace {

SimdLevel Probe() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
      __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt")) {
    return SimdLevel::Avx2;
  }
  return SimdLevel::Sse2;
#else
  return SimdLevel::Plain;
#endif
}

}  // namespace

SimdLevel DetectSimdLevel() {
  static const SimdLevel level = Probe();
  return level;
}

std::vector<SimdLevel> SupportedSimdLevels() {
  std::vector<SimdLevel> levels{SimdLevel::Plain};
  const SimdLevel best = DetectSimdLevel();
  if (best >= SimdLevel::Sse2) {
    levels.push_back(SimdLevel::Sse2);
  }
  if (best >= SimdLevel::Avx2) {
    levels.push_back(SimdLevel::Avx2);
  }
  return levels;
}

const char* SimdLevelName(SimdLevel level) {
  switch (level) {
    case SimdLevel::Plain:
      return "plain";
    case SimdLevel::Sse2:
      return "sse2";
    case SimdLevel::Avx2:
      return "avx2";
  }
  return "plain";
}

}  // namespace vortane
