// The conversions by phrases on offer: OpenCC configurations, and the regions
// the command line and the desktop name them by.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace vortane {

// One OpenCC configuration: simplified to traditional with Taiwan glyphs
// (S2tw), Taiwan glyphs and vocabulary (S2twp), Hong Kong (S2hk); traditional
// to simplified from Taiwan (Tw2s), Taiwan with vocabulary (Tw2sp), Hong Kong
// (Hk2s), or any traditional text (T2s).
enum class PhraseConfig { S2tw, S2twp, S2hk, Tw2s, Tw2sp, Hk2s, T2s };

// The region a conversion writes for (to traditional) or reads from (to
// simplified).
enum class PhraseRegion { Taiwan, TaiwanVocabulary, HongKong };

// Every configuration, in the order help texts list them.
[[nodiscard]] std::span<const PhraseConfig> PhraseConfigs();

// The OpenCC name of a configuration: "s2tw", "s2twp", "s2hk", "tw2s",
// "tw2sp", "hk2s", "t2s" (also the stem of its .json file).
[[nodiscard]] std::string_view PhraseConfigName(PhraseConfig config);

// The configuration an OpenCC name stands for (exact, lower case); nullopt
// for any other text.
[[nodiscard]] std::optional<PhraseConfig> PhraseConfigForName(std::string_view name);

// True for the configurations that write traditional characters.
[[nodiscard]] bool ConvertsToTraditional(PhraseConfig config);

// The short region name "tw", "twp" or "hk" and back (nullopt for any other).
[[nodiscard]] std::string_view PhraseRegionName(PhraseRegion region);
[[nodiscard]] std::optional<PhraseRegion> PhraseRegionForName(std::string_view name);

// The configuration of a region: simplified to traditional (s2tw, s2twp,
// s2hk) or traditional to simplified (tw2s, tw2sp, hk2s).
[[nodiscard]] PhraseConfig ToTraditionalConfig(PhraseRegion region);
[[nodiscard]] PhraseConfig ToSimplifiedConfig(PhraseRegion region);

}  // namespace vortane
