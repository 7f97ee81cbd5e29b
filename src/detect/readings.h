// Automatic repair: the readings of garbled text, best first. A reading is a
// chain of up to three repair steps and a final code that together make the
// bytes read as Chinese.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "charsets/charset.h"
#include "detect/repair_steps.h"

namespace vortane {

inline constexpr std::size_t kMostSteps = 3;
// The final codes a reading may end in, in the order ties are broken.
inline constexpr Charset kFinalCodes[] = {Charset::Utf8, Charset::Gb18030, Charset::Big5Hkscs};
// What to tell the user when FindReadings finds nothing.
inline constexpr std::string_view kNoChineseReading = "no Chinese reading found";
// Texts longer than this are read on a sample (their first kSampleBytes, cut
// after a line end; a character the cut splits does not count against it)
// and then decoded whole with the first chain of the sample that reads it.
inline constexpr std::size_t kWholeTextLimit = 1 << 20;
inline constexpr std::size_t kSampleBytes = 64 << 10;

struct Reading {
  std::vector<RepairStep> steps;  // in the order taken, at most kMostSteps
  Charset code = Charset::Utf8;   // one of kFinalCodes
  double score = 0;               // in nats (see FindReadings); higher reads better
  std::string text;               // the reading, UTF-8
};

// The readings of `bytes` that read as Chinese (ReadsAsChinese), best first,
// scored by ScoreText, plus 2.5 nats for each accented letter right after an
// ASCII letter in a clean UTF-8 decoding (other text is seldom well-formed
// UTF-8, so such accents are meant); a text whose best
// decoding is not Chinese (French in UTF-8) gives no reading by itself. At
// most ten, no two with the same text (the shorter chain is kept). A final
// code is strict: bytes it does not decode cleanly give no reading in it. A
// chain counts only when it scores more than every shorter chain it extends
// (by 2 nats for each display undone and 3 for the eighth bit, which have no
// form of the text to go by): text that already reads well is its own best
// reading. A transfer decoding (Base64, Quoted-Printable, HZ, UTF-7) is
// held only against the Chinese readings before it, since its encoded form is
// no reading at all; the other steps against every clean decoding, so that
// plain English is not "repaired".
// Empty when nothing reads as Chinese (tell the user kNoChineseReading).
[[nodiscard]] std::vector<Reading> FindReadings(std::string_view bytes);

// Runs `steps` over `bytes` and decodes the result in `code`: the reading, or
// nothing when a step does not apply or the final decoding is not clean.
[[nodiscard]] std::optional<Reading> ReadWithChain(std::string_view bytes,
                                                   std::span<const RepairStep> steps, Charset code);

// The final code's name in words: "UTF-8", "GB18030", "Big5-HKSCS" (other
// codes by their label).
[[nodiscard]] std::string_view FinalCodeName(Charset code);

// The chain's names, steps first and the final code last.
[[nodiscard]] std::vector<std::string_view> ChainNames(const Reading& reading);

// The chain in words: "Base64, then GB18030"; a reading without steps is its
// code alone ("Big5-HKSCS").
[[nodiscard]] std::string ChainInWords(const Reading& reading);

// For a missing or doubtful declared code: the one of `candidates` in which
// `bytes` reads best as text (no steps; bad sequences count against a code as
// replacement characters), the first one on a tie (so pure ASCII keeps the
// first). Nothing when `candidates` is empty.
[[nodiscard]] std::optional<Charset> BestCodeFor(std::string_view bytes,
                                                 std::span<const Charset> candidates);

}  // namespace vortane
