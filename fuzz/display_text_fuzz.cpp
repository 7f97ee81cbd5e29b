// The frames' display mapping (bytes to shown text and back gives the bytes),
// and the plain and clipboard conversions on any input. First input byte: the
// code; the rest is the bytes (and, two at a time, the Unicode text).
#include <cstddef>
#include <cstdint>
#include <string>

#include "cjk/display_text.h"
#include "fuzz/fuzz_support.h"

using namespace vortane;
using namespace vortane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t choice = input.Byte();
  const TextCode code = choice % 2 == 0 ? TextCode::Gb : TextCode::Big5;
  const std::string_view bytes = input.Rest();

  const std::u16string shown = BytesToDisplayText(bytes, code);
  FUZZ_CHECK(shown.size() <= bytes.size());
  FUZZ_CHECK(DisplayTextToBytes(shown, code) == bytes);

  std::u16string unicode;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unicode.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << 8 |
                                            static_cast<unsigned char>(bytes[i + 1])));
  }
  // Typed or pasted text: anything goes, and what comes back shows the same.
  const std::string typed = DisplayTextToBytes(unicode, code);
  FUZZ_CHECK(DisplayTextToBytes(BytesToDisplayText(typed, code), code) == typed);

  const std::u16string decoded = DecodeText(bytes, code);
  FUZZ_CHECK(decoded.size() <= bytes.size());
  bool complete = true;
  const std::string encoded = EncodeText(unicode, code, &complete);
  FUZZ_CHECK(encoded.size() <= 2 * unicode.size());
  const std::u16string clip = ClipboardTextFromBytes(bytes, code);
  FUZZ_CHECK(clip.size() <= decoded.size());
  const std::string fromClip = BytesFromClipboardText(unicode, code);
  FUZZ_CHECK(fromClip.size() <= 2 * unicode.size() + unicode.size());
  return 0;
}
