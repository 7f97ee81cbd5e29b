// The code converter's engine over every pair of codes and every blank mode.
// First input byte: the route (source code x result code x blank mode);
// second: chunk size; the rest is the source text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "converter/convert_stream.h"
#include "fuzz/fuzz_support.h"

using namespace vortane;
using namespace vortane::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t route = input.Byte() % 18;
  const std::size_t chunk = ChunkSize(input.Byte());
  const std::string_view text = input.Rest();

  const auto sourceCode = static_cast<TextCode>(route % 3);
  const auto resultCode = static_cast<TextCode>(route / 3 % 2);
  const auto blankMode = static_cast<BlankMode>(route / 6);

  const auto convert = [&](ByteReader& in, ByteWriter& out) {
    return ConvertStream(in, out, sourceCode, resultCode, blankMode);
  };
  const std::string result = ExpectChunkIndependent(convert, text, chunk);
  const auto make = [&] { return ConvertDecoder(sourceCode, resultCode, blankMode); };
  FUZZ_CHECK(ExpectLevelsAgree(make, text, chunk) == result);

  if (blankMode == BlankMode::KeepStill && sourceCode != TextCode::Unicode) {
    // Lookups replace two bytes by two; blanks are kept as they are.
    FUZZ_CHECK(result.size() == text.size());
    if (sourceCode == resultCode) {
      FUZZ_CHECK(result == text);
    }
  }
  if (blankMode == BlankMode::RemoveBlank && sourceCode != TextCode::Unicode) {
    FUZZ_CHECK(result.size() <= text.size());
  }
  if (sourceCode == TextCode::Unicode) {
    // Units of two bytes give one or two bytes, plus a blank under AddBlank.
    FUZZ_CHECK(2 * result.size() <= 3 * text.size() + 2);
  }
  return 0;
}
