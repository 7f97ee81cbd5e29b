// The UTF-16 codecs of the charsets library (little-endian, big-endian, by
// mark), and HZ and UTF-7 writing: see charset_fuzz.h for the input layout and
// the properties. The first input byte picks the code; the rest is as there.
#include <cstddef>
#include <cstdint>

#include "fuzz/charset_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using vortane::Charset;
  if (size == 0) {
    return 0;
  }
  constexpr Charset kCodes[] = {Charset::Utf16Le, Charset::Utf16Be, Charset::Utf16, Charset::Hz,
                                Charset::Utf7};
  vortane::fuzz::CheckCharset(kCodes[data[0] % 5], data + 1, size - 1);
  return 0;
}
