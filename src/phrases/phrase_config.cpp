#include "phrases/phrase_config.h"

#include <array>

namespace vortane {
namespace {

struct ConfigRow {
  PhraseConfig config;
  std::string_view name;
  bool toTraditional;
};

constexpr std::array<ConfigRow, 7> kConfigRows = {{
    {PhraseConfig::S2tw, "s2tw", true},
    {PhraseConfig::S2twp, "s2twp", true},
    {PhraseConfig::S2hk, "s2hk", true},
    {PhraseConfig::Tw2s, "tw2s", false},
    {PhraseConfig::Tw2sp, "tw2sp", false},
    {PhraseConfig::Hk2s, "hk2s", false},
    {PhraseConfig::T2s, "t2s", false},
}};

constexpr std::array<PhraseConfig, 7> kConfigs = {
    PhraseConfig::S2tw,  PhraseConfig::S2twp, PhraseConfig::S2hk, PhraseConfig::Tw2s,
    PhraseConfig::Tw2sp, PhraseConfig::Hk2s,  PhraseConfig::T2s};

const ConfigRow& RowOf(PhraseConfig config) {
  for (const ConfigRow& row : kConfigRows) {
    if (row.config == config) {
      return row;
    }
  }
  return kConfigRows[0];
}

}  // namespace

std::span<const PhraseConfig> PhraseConfigs() { return kConfigs; }

std::string_view PhraseConfigName(PhraseConfig config) { return RowOf(config).name; }

std::optional<PhraseConfig> PhraseConfigForName(std::string_view name) {
  for (const ConfigRow& row : kConfigRows) {
    if (row.name == name) {
      return row.config;
    }
  }
  return std::nullopt;
}

bool ConvertsToTraditional(PhraseConfig config) { return RowOf(config).toTraditional; }

std::string_view PhraseRegionName(PhraseRegion region) {
  switch (region) {
    case PhraseRegion::Taiwan:
      return "tw";
    case PhraseRegion::TaiwanVocabulary:
      return "twp";
    case PhraseRegion::HongKong:
      return "hk";
  }
  return "tw";
}

std::optional<PhraseRegion> PhraseRegionForName(std::string_view name) {
  for (PhraseRegion region :
       {PhraseRegion::Taiwan, PhraseRegion::TaiwanVocabulary, PhraseRegion::HongKong}) {
    if (PhraseRegionName(region) == name) {
      return region;
    }
  }
  return std::nullopt;
}

PhraseConfig ToTraditionalConfig(PhraseRegion region) {
  switch (region) {
    case PhraseRegion::Taiwan:
      return PhraseConfig::S2tw;
    case PhraseRegion::TaiwanVocabulary:
      return PhraseConfig::S2twp;
    case PhraseRegion::HongKong:
      return PhraseConfig::S2hk;
  }
  return PhraseConfig::S2tw;
}

PhraseConfig ToSimplifiedConfig(PhraseRegion region) {
  switch (region) {
    case PhraseRegion::Taiwan:
      return PhraseConfig::Tw2s;
    case PhraseRegion::TaiwanVocabulary:
      return PhraseConfig::Tw2sp;
    case PhraseRegion::HongKong:
      return PhraseConfig::Hk2s;
  }
  return PhraseConfig::Tw2s;
}

}  // namespace vortane
