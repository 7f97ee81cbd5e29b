// UTF-8: the frame rule into GB and into Big5, in memory and as a stream, and
// the file rule into units.
// First input byte: chunk size; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "cjk/utf8.h"
#include "fuzz/fuzz_support.h"

using namespace vortane;
using namespace vortane::fuzz;

namespace {

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::size_t chunk = ChunkSize(input.Byte());
  const std::string_view text = input.Rest();
  const bool ascii = IsAscii(text);

  for (const TextCode code : {TextCode::Gb, TextCode::Big5}) {
    const std::string frame = DecodeUtf8Text(text, code);
    // Every whole form writes at most as many bytes as it reads; one cut off
    // by the end of the text reads its missing bytes as 0 and may write up to
    // four bytes for one.
    FUZZ_CHECK(frame.size() <= text.size() + 3);
    if (ascii) {
      FUZZ_CHECK(frame == text);
    }
    // The frame rule over a stream gives the same bytes in any chunking.
    const auto frameStream = [code](ByteReader& in, ByteWriter& out) {
      return DecodeUtf8TextStream(in, out, code);
    };
    FUZZ_CHECK(ExpectChunkIndependent(frameStream, text, chunk) == frame);
    FUZZ_CHECK(ExpectLevelsAgree([code] { return Utf8TextDecoder(code); }, text, chunk) == frame);
  }

  const std::string file = ExpectChunkIndependent(DecodeUtf8Stream, text, chunk);
  FUZZ_CHECK(ExpectLevelsAgree([] { return Utf8StreamDecoder{}; }, text, chunk) == file);
  FUZZ_CHECK(file.size() <= 2 * text.size() + 5);
  if (ascii) {
    FUZZ_CHECK(file.size() == 2 * text.size());
  }
  return 0;
}
