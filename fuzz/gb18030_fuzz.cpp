// The Gb18030 codec of the charsets library: see charset_fuzz.h for the input
// layout and the properties.
#include <cstddef>
#include <cstdint>

#include "fuzz/charset_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vortane::fuzz::CheckCharset(vortane::Charset::Gb18030, data, size);
  return 0;
}
