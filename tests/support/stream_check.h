// Runs a stream function over in-memory input with reads cut into blocks of a
// given size, and checks that the output does not depend on the block size.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "codec/byte_stream.h"

namespace vortane::testing {

using StreamFunction = std::function<StreamStatus(ByteReader&, ByteWriter&)>;

// The block sizes every stream function is checked with.
inline constexpr std::size_t kCheckedBlockSizes[] = {1, 2, 3, 7, 65536};

// Output of `fn` over `input` read `blockSize` bytes at a time.
std::string RunStream(const StreamFunction& fn, std::string_view input,
                      std::size_t blockSize = 65536);

// Expects the same output from every size in kCheckedBlockSizes and returns it.
std::string ExpectBlockSizeIndependent(const StreamFunction& fn, std::string_view input);

// Bytes from a hex string such as "B2 E2 0D0A" (blanks ignored).
std::string Hex(std::string_view hex);

// Hex dump "B2 E2 0D" of bytes, for readable failure messages.
std::string ToHex(std::string_view bytes);

}  // namespace vortane::testing
