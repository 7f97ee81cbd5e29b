// Base64: the character classes, the frame rule and the file rule.
// First input byte: chunk size for the file rule; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "codec/base64.h"
#include "fuzz/fuzz_support.h"

using namespace vortane;
using namespace vortane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::size_t chunk = ChunkSize(input.Byte());
  const std::string_view text = input.Rest();

  for (const char c : text.substr(0, 64)) {
    const auto byte = static_cast<unsigned char>(c);
    const int value = Base64CharValue(byte);
    FUZZ_CHECK((ClassifyBase64Char(byte) == Base64CharKind::Alphabet) == (value >= 0));
    FUZZ_CHECK(value < 64);
  }

  const std::string frame = DecodeBase64Text(text);
  FUZZ_CHECK(4 * frame.size() <= 3 * text.size());

  const std::string file = ExpectChunkIndependent(DecodeBase64Stream, text, chunk);
  FUZZ_CHECK(ExpectLevelsAgree([] { return Base64StreamDecoder{}; }, text, chunk) == file);
  FUZZ_CHECK(4 * file.size() <= 3 * text.size());
  // The frame rule is the file rule that begins no group with fewer than four
  // bytes left, so its result is where the file rule's result starts.
  FUZZ_CHECK(file.compare(0, frame.size(), frame) == 0);
  return 0;
}
