// The Big5Hkscs codec of the charsets library: see charset_fuzz.h for the input
// layout and the properties.
#include <cstddef>
#include <cstdint>

#include "fuzz/charset_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vortane::fuzz::CheckCharset(vortane::Charset::Big5Hkscs, data, size);
  return 0;
}
