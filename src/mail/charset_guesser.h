// The hook through which a charset is chosen when a declared one is missing,
// unknown or failing, and for raw 8-bit header bytes. By default the
// automatic-repair module chooses; callers and tests may pass their own.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <string_view>

#include "charsets/charset.h"

namespace vortane {

// Chooses the code `bytes` are written in among `candidates` (never empty; the
// first is the one to prefer when nothing tells them apart). Must return one
// of the candidates.
using CharsetGuesser =
    std::function<Charset(std::string_view bytes, std::span<const Charset> candidates)>;

// The codes chosen among when nothing else is known, in order of preference.
inline constexpr std::array<Charset, 3> kGuessCandidates = {Charset::Utf8, Charset::Gb18030,
                                                            Charset::Big5Hkscs};

// The default guesser: the candidate in which `bytes` read best as text by the
// automatic-repair module's scores (unreadable sequences count against a
// code), the first one on a tie.
[[nodiscard]] Charset GuessByReading(std::string_view bytes, std::span<const Charset> candidates);

// `guess`, or GuessByReading when `guess` is empty.
[[nodiscard]] Charset Guess(const CharsetGuesser& guess, std::string_view bytes,
                            std::span<const Charset> candidates);

}  // namespace vortane
