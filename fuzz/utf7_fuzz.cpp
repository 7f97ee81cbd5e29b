// UTF-7: units in memory and as a stream, units to GB or Big5 text, and the
// two together. First input byte: chunk size; second: the result code; the
// rest is the text (and, read as units, the input of UnitsToText).
#include <cstddef>
#include <cstdint>
#include <string>

#include "cjk/utf7.h"
#include "fuzz/fuzz_support.h"

using namespace vortane;
using namespace vortane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::size_t chunk = ChunkSize(input.Byte());
  const TextCode code = input.Byte() % 2 == 0 ? TextCode::Gb : TextCode::Big5;
  const std::string_view text = input.Rest();

  const std::string units = Utf7ToUnits(text);
  FUZZ_CHECK(units.size() <= 2 * text.size());
  const std::string file = ExpectChunkIndependent(DecodeUtf7Stream, text, chunk);
  FUZZ_CHECK(ExpectLevelsAgree([] { return Utf7Decoder{}; }, text, chunk) == file);
  FUZZ_CHECK(file == units);

  const std::string decoded = UnitsToText(units, code);
  FUZZ_CHECK(decoded.size() <= units.size());
  FUZZ_CHECK(DecodeUtf7Text(text, code) == decoded);

  // Any byte string is a unit stream too, an odd one included.
  const std::string fromRaw = UnitsToText(text, code);
  FUZZ_CHECK(fromRaw.size() <= text.size());
  return 0;
}
