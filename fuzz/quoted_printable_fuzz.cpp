// Quoted-Printable: the frame rule with the double-byte repair on and off, and
// the file rule. First input byte: chunk size; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "codec/quoted_printable.h"
#include "fuzz/fuzz_support.h"

using namespace vortane;
using namespace vortane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::size_t chunk = ChunkSize(input.Byte());
  const std::string_view text = input.Rest();

  for (const bool recogniseDoubleBytes : {false, true}) {
    const std::string frame = DecodeQuotedPrintableText(text, recogniseDoubleBytes);
    FUZZ_CHECK(frame.size() <= text.size());
    if (text.find('=') == std::string_view::npos) {
      FUZZ_CHECK(frame == text);
    }
  }

  const std::string file = ExpectChunkIndependent(DecodeQuotedPrintableStream, text, chunk);
  FUZZ_CHECK(ExpectLevelsAgree([] { return QuotedPrintableStreamDecoder{}; }, text, chunk) == file);
  FUZZ_CHECK(file.size() <= text.size());
  if (text.find('=') == std::string_view::npos) {
    FUZZ_CHECK(file == text);
  }
  return 0;
}
