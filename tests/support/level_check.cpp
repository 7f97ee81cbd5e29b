#include "support/level_check.h"

#include <vector>

#include "support/stream_check.h"

namespace vortane::testing {

bool ExpectLevelsAgree(const LeveledStream& fn, std::string_view input) {
  const auto at = [&fn](SimdLevel level) {
    return [&fn, level](ByteReader& in, ByteWriter& out) { return fn(level, in, out); };
  };
  const std::string reference = RunStream(at(SimdLevel::Plain), input, 65536);
  for (const SimdLevel level : SupportedSimdLevels()) {
    for (const std::size_t size : kLevelBlockSizes) {
      const std::string got = RunStream(at(level), input, size);
      if (got != reference) {
        ADD_FAILURE() << SimdLevelName(level) << " path, blocks of " << size << " bytes\n"
                      << "input:    " << ToHex(input) << "\nexpected: " << ToHex(reference)
                      << "\ngot:      " << ToHex(got);
        return false;
      }
    }
  }
  return true;
}

std::string RandomPieces(std::mt19937& rng, std::size_t count,
                         std::initializer_list<std::string_view> pieces) {
  const std::vector<std::string_view> choices(pieces);
  std::uniform_int_distribution<std::size_t> pick(0, choices.size() - 1);
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    text.append(choices[pick(rng)]);
  }
  return text;
}

}  // namespace vortane::testing
