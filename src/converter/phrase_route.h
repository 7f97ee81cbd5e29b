// Conversion by phrases for the desktop: which way a pair of codes converts,
// the region setting, loading OpenCC's configuration with the user's phrase
// list, and the stream that converts with the blank rule and counts.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "charsets/recode_stream.h"
#include "codec/byte_stream.h"
#include "converter/convert_stream.h"
#include "phrases/phrase_codes.h"
#include "phrases/phrase_config.h"
#include "phrases/phrase_converter.h"
#include "platform/desktop_state.h"

namespace vortane {

// Which way a conversion by phrases goes.
enum class PhraseDirection { ToTraditional, ToSimplified };

// The direction for a pair of codes, by the script each code is written in:
// from GB or GB 18030 to traditional when the result is Big5, Big5-HKSCS or
// a Unicode code; from Big5 or Big5-HKSCS to simplified when the result is
// GB, GB 18030 or a Unicode code; from a Unicode code towards the script of a
// Chinese result code. nullopt for two codes of one script, or two Unicode
// codes (no script to go by).
[[nodiscard]] std::optional<PhraseDirection> PhraseDirectionFor(const ConvertCode& source,
                                                                const ConvertCode& result);

// The configuration of a direction and a region (s2tw, s2twp, s2hk; tw2s,
// tw2sp, hk2s).
[[nodiscard]] PhraseConfig PhraseConfigFor(PhraseDirection direction, PhraseRegion region);

// The region kept in the desktop state under kPhraseRegionKey ("tw", "twp",
// "hk"); Taiwan when none is kept or the value is unknown.
inline constexpr std::string_view kPhraseRegionKey = "phrases/region";
[[nodiscard]] PhraseRegion LoadPhraseRegion(const DesktopState& state);
void SavePhraseRegion(DesktopState& state, PhraseRegion region);

// The user's phrase list: "phrases.txt" in the settings folder; empty when
// the state has no settings folder.
[[nodiscard]] std::string PhraseListPath(const DesktopState& state);

// A converter ready to use, or why not.
struct PhraseSetup {
  std::shared_ptr<const PhraseConverter> converter;
  // Set when the converter could not be made: the phrase list exists but
  // cannot be read (`listError` its errno), or OpenCC's data failed (`error`
  // OpenCC's reason).
  std::string error;
  int listError = 0;
  // Line numbers of the phrase list that were skipped (not "from<TAB>to").
  std::vector<std::size_t> skippedLines;
};

// Loads `config` with the phrase list at `listPath` over the shipped fixes;
// a missing list (or an empty path) is no list.
[[nodiscard]] PhraseSetup LoadPhraseSetup(PhraseConfig config, const std::string& listPath);

// The conversion by phrases as an incremental decoder for PumpStream:
// PhraseCodeDecoder, then the blank rule of `blankMode` over its result when
// that is GB or Big5 (the engine's copy route changes nothing but blanks).
class PhraseRouteDecoder {
 public:
  // `converter` must outlive the decoder.
  PhraseRouteDecoder(const PhraseConverter& converter, const ConvertCode& source,
                     const ConvertCode& result, BlankMode blankMode);

  void Feed(std::string_view block, std::string& out);
  void Finish(std::string& out);
  [[nodiscard]] bool Done() const { return false; }
  [[nodiscard]] const PhraseCodeDecoder& phrases() const { return phrases_; }

 private:
  PhraseCodeDecoder phrases_;
  std::optional<ConvertDecoder> blanks_;
  std::string middle_;
};

// What a conversion by phrases did.
struct PhraseOutcome {
  StreamStatus status = StreamStatus::Ok;
  std::size_t fallbacks = 0;   // characters written by the character rule
  std::size_t unreadable = 0;  // byte sequences a charsets source could not read
  std::size_t unwritable = 0;  // characters a charsets result could not hold
};

// Reads `in` to its end and writes it converted by phrases to `out`.
[[nodiscard]] PhraseOutcome ConvertStreamByPhrases(ByteReader& in, ByteWriter& out,
                                                   const PhraseConverter& converter,
                                                   const ConvertCode& source,
                                                   const ConvertCode& result, BlankMode blankMode);

}  // namespace vortane
