// Checks that the fast paths of a stream decoder give the bytes of its plain
// path: the decoder built for every level this processor runs, fed in blocks
// of many sizes, those that cut its vectors included.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>

#include "codec/byte_stream.h"
#include "codec/simd_level.h"

namespace vortane::testing {

// A stream function whose decoder uses the given level.
using LeveledStream = std::function<StreamStatus(SimdLevel, ByteReader&, ByteWriter&)>;

// The block sizes of kCheckedBlockSizes and some that end blocks inside a
// 16- or 32-byte vector and the bytes it looks ahead at.
inline constexpr std::size_t kLevelBlockSizes[] = {1, 2, 3, 7, 17, 33, 35, 64, 100, 1000, 65536};

// Expects every supported level at every size of kLevelBlockSizes to write
// what the plain level writes reading the whole input at once; reports the
// first difference only. False when one differed.
bool ExpectLevelsAgree(const LeveledStream& fn, std::string_view input);

// Text made of `count` pieces, each chosen from `pieces` (a piece listed
// twice is drawn twice as often).
std::string RandomPieces(std::mt19937& rng, std::size_t count,
                         std::initializer_list<std::string_view> pieces);

}  // namespace vortane::testing
