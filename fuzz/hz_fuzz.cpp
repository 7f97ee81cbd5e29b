// HZ: the frame rule and the file rule. First input byte: chunk size; the
// rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "codec/hz.h"
#include "fuzz/fuzz_support.h"

using namespace vortane;
using namespace vortane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::size_t chunk = ChunkSize(input.Byte());
  const std::string_view text = input.Rest();

  const std::string frame = DecodeHzText(text);
  FUZZ_CHECK(frame.size() <= text.size());

  const std::string file = ExpectChunkIndependent(DecodeHzStream, text, chunk);
  FUZZ_CHECK(ExpectLevelsAgree([] { return HzStreamDecoder{}; }, text, chunk) == file);
  FUZZ_CHECK(file.size() <= text.size());

  // Without a tilde nothing switches to GB mode: both rules copy the text.
  if (text.find('~') == std::string_view::npos) {
    FUZZ_CHECK(frame == text);
    FUZZ_CHECK(file == text);
  }
  return 0;
}
