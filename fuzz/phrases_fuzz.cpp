// Conversion by phrases over any bytes. First input byte: the configuration
// (with or without a small phrase list); second: the pair of codes; third:
// chunk size; the rest is the source text. Checks: the same output in any
// chunking; between UTF-8 texts, the stream agrees with the whole-text
// conversion; from UTF-16 big-endian units into units, a text without
// surrogates keeps its number of characters when the configuration keeps
// lengths (a character may come out as a surrogate pair).
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz/fuzz_support.h"
#include "phrases/phrase_codes.h"
#include "phrases/phrase_converter.h"
#include "phrases/utf8_chars.h"

using namespace vortane;
using namespace vortane::fuzz;

namespace {

constexpr std::array<PhraseCode, 5> kCodes = {TextCode::Gb, TextCode::Big5, TextCode::Unicode,
                                              Charset::Utf8, Charset::Big5Hkscs};

// Converters are loaded once per process: loading takes a tenth of a second.
const PhraseConverter& Converter(std::size_t config, bool withList) {
  static std::array<std::unique_ptr<const PhraseConverter>, 14> loaded;
  auto& slot = loaded[config * 2 + (withList ? 1 : 0)];
  if (!slot) {
    PhraseList list;
    if (withList) {
      list.Set(U"头", U"頭頭");
      list.Set(U"a b", U"");
      list.Set(U"发\n", U"X");
    }
    PhraseConverterLoad load = PhraseConverter::Load(static_cast<PhraseConfig>(config), list);
    FUZZ_CHECK(load.converter != nullptr);
    slot = std::move(load.converter);
  }
  return *slot;
}

bool KeepsLengths(PhraseConfig config) {
  return config != PhraseConfig::S2twp && config != PhraseConfig::Tw2sp;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t configChoice = input.Byte();
  const std::size_t config = configChoice % 7;
  const bool withList = configChoice / 7 % 2 == 1;
  const std::uint8_t pair = input.Byte() % 25;
  const std::size_t chunk = ChunkSize(input.Byte());
  const std::string_view text = input.Rest();

  const PhraseConverter& converter = Converter(config, withList);
  const PhraseCode from = kCodes[pair % 5];
  const PhraseCode to = kCodes[pair / 5];
  const auto convert = [&](ByteReader& in, ByteWriter& out) {
    PhraseCodeDecoder decoder(converter, from, to);
    return PumpStream(decoder, in, out);
  };
  const std::string result = ExpectChunkIndependent(convert, text, chunk);
  FUZZ_CHECK(result == ConvertCodesByPhrases(text, from, to, converter).bytes);

  std::u32string points;
  const bool utf8 = Utf8ToPoints(text, points);
  if (utf8 && from == PhraseCode(Charset::Utf8) && to == PhraseCode(Charset::Utf8)) {
    FUZZ_CHECK(result == converter.ConvertUtf8(text));
  }
  if (from == PhraseCode(TextCode::Unicode) && to == PhraseCode(TextCode::Unicode) && !withList &&
      KeepsLengths(static_cast<PhraseConfig>(config))) {
    bool surrogates = false;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
      const unsigned high = static_cast<unsigned char>(text[i]);
      surrogates = surrogates || (high >= 0xD8 && high <= 0xDF);
    }
    std::size_t lowHalves = 0;
    for (std::size_t i = 0; i + 1 < result.size(); i += 2) {
      const unsigned high = static_cast<unsigned char>(result[i]);
      lowHalves += high >= 0xDC && high <= 0xDF;
    }
    if (!surrogates) {
      FUZZ_CHECK(result.size() - 2 * lowHalves == text.size());
    }
  }
  return 0;
}
