// Helpers shared by the fuzz targets: taking choices off the front of the
// fuzzer's input, running stream functions in chunks, and failing loudly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "codec/byte_stream.h"
#include "codec/simd_level.h"

namespace vortane::fuzz {

// Stops the run with a message; libFuzzer saves the input as a crash.
[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, what);
  std::abort();
}

#define FUZZ_CHECK(condition)                                \
  do {                                                       \
    if (!(condition)) {                                      \
      ::vortane::fuzz::Fail(#condition, __FILE__, __LINE__); \
    }                                                        \
  } while (false)

// The fuzzer's bytes, with choices taken off the front and the rest as data.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  // The next byte, or 0 when none is left.
  std::uint8_t Byte() {
    if (rest_.empty()) {
      return 0;
    }
    const auto b = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return b;
  }

  // A 16-bit value from the next two bytes, high first.
  std::uint16_t Word() {
    const std::uint16_t high = Byte();
    return static_cast<std::uint16_t>(high << 8 | Byte());
  }

  // Everything not yet taken.
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

// Output of a stream function over `data` handed out `chunk` bytes per read.
template <class StreamFunction>
std::string RunChunked(StreamFunction fn, std::string_view data, std::size_t chunk) {
  StringReader in(data, chunk);
  StringWriter out;
  const StreamStatus status = fn(in, out);
  FUZZ_CHECK(status == StreamStatus::Ok);
  return out.bytes();
}

// Checks that `fn` gives the same output whether `data` arrives in one block
// or in chunks of `chunk` bytes, and returns that output.
template <class StreamFunction>
std::string ExpectChunkIndependent(StreamFunction fn, std::string_view data, std::size_t chunk) {
  const std::string whole = RunChunked(fn, data, data.size() + 1);
  const std::string chunked = RunChunked(fn, data, chunk);
  FUZZ_CHECK(whole == chunked);
  return whole;
}

// Checks that the decoder `make()` builds gives, at every vector level this
// processor runs, what it gives at the plain level, for `data` in chunks of
// `chunk` bytes; returns that output.
template <class MakeDecoder>
std::string ExpectLevelsAgree(MakeDecoder make, std::string_view data, std::size_t chunk) {
  std::string plain;
  for (const SimdLevel level : SupportedSimdLevels()) {
    auto decoder = make();
    decoder.simd = level;
    StringReader in(data, chunk);
    StringWriter out;
    FUZZ_CHECK(PumpStream(decoder, in, out) == StreamStatus::Ok);
    if (level == SimdLevel::Plain) {
      plain = out.bytes();
    }
    FUZZ_CHECK(out.bytes() == plain);
  }
  return plain;
}

// A chunk size from one choice byte: 1..64 for small values, larger ones
// spread up to a few kilobytes so block edges fall in the fast paths as well.
inline std::size_t ChunkSize(std::uint8_t choice) {
  if (choice < 192) {
    return choice % 64 + 1;
  }
  return static_cast<std::size_t>(choice - 191) * 67;
}

}  // namespace vortane::fuzz
