#include "converter/phrase_route.h"

#include <sys/stat.h>

#include <cerrno>
#include <utility>
#include <variant>

#include "phrases/phrase_list_file.h"

namespace vortane {
namespace {

enum class Script { Simplified, Traditional, Unicode };

Script ScriptOf(const ConvertCode& code) {
  if (const TextCode* table = std::get_if<TextCode>(&code)) {
    switch (*table) {
      case TextCode::Gb:
        return Script::Simplified;
      case TextCode::Big5:
        return Script::Traditional;
      case TextCode::Unicode:
        break;
    }
    return Script::Unicode;
  }
  switch (std::get<Charset>(code)) {
    case Charset::Gb18030:
    case Charset::Hz:
      return Script::Simplified;
    case Charset::Big5Hkscs:
      return Script::Traditional;
    case Charset::Utf8:
    case Charset::Utf16Le:
    case Charset::Utf16Be:
    case Charset::Utf16:
    case Charset::Utf7:
      break;
  }
  return Script::Unicode;
}

}  // namespace

std::optional<PhraseDirection> PhraseDirectionFor(const ConvertCode& source,
                                                  const ConvertCode& result) {
  const Script from = ScriptOf(source);
  const Script to = ScriptOf(result);
  if (from == to) {
    return std::nullopt;
  }
  if (to == Script::Traditional || (to == Script::Unicode && from == Script::Simplified)) {
    return PhraseDirection::ToTraditional;
  }
  return PhraseDirection::ToSimplified;
}

PhraseConfig PhraseConfigFor(PhraseDirection direction, PhraseRegion region) {
  return direction == PhraseDirection::ToTraditional ? ToTraditionalConfig(region)
                                                     : ToSimplifiedConfig(region);
}

PhraseRegion LoadPhraseRegion(const DesktopState& state) {
  if (const std::optional<std::string> name = state.Value(kPhraseRegionKey)) {
    if (const std::optional<PhraseRegion> region = PhraseRegionForName(*name)) {
      return *region;
    }
  }
  return PhraseRegion::Taiwan;
}

void SavePhraseRegion(DesktopState& state, PhraseRegion region) {
  state.SetValue(kPhraseRegionKey, PhraseRegionName(region));
}

std::string PhraseListPath(const DesktopState& state) {
  std::string folder = state.SettingsFolder();
  if (folder.empty()) {
    return folder;
  }
  if (folder.back() != '/') {
    folder.push_back('/');
  }
  return folder + "phrases.txt";
}

PhraseSetup LoadPhraseSetup(PhraseConfig config, const std::string& listPath) {
  PhraseSetup setup;
  PhraseList list;
  struct stat info {};
  if (!listPath.empty() && ::stat(listPath.c_str(), &info) == 0) {
    PhraseListFile file = LoadPhraseList(listPath);
    if (!file.parse) {
      setup.listError = file.error != 0 ? file.error : EIO;
      setup.error = listPath;
      return setup;
    }
    list = std::move(file.parse->list);
    setup.skippedLines = std::move(file.parse->badLines);
  }
  PhraseConverterLoad load = PhraseConverter::Load(config, list);
  if (!load.converter) {
    setup.error = std::move(load.error);
    return setup;
  }
  setup.converter = std::move(load.converter);
  return setup;
}

PhraseRouteDecoder::PhraseRouteDecoder(const PhraseConverter& converter, const ConvertCode& source,
                                       const ConvertCode& result, BlankMode blankMode)
    : phrases_(converter, source, result) {
  const TextCode* table = std::get_if<TextCode>(&result);
  if (blankMode != BlankMode::KeepStill && table != nullptr && *table != TextCode::Unicode) {
    blanks_.emplace(*table, *table, blankMode);
  }
}

void PhraseRouteDecoder::Feed(std::string_view block, std::string& out) {
  if (!blanks_) {
    phrases_.Feed(block, out);
    return;
  }
  middle_.clear();
  phrases_.Feed(block, middle_);
  blanks_->Feed(middle_, out);
}

void PhraseRouteDecoder::Finish(std::string& out) {
  if (!blanks_) {
    phrases_.Finish(out);
    return;
  }
  middle_.clear();
  phrases_.Finish(middle_);
  blanks_->Feed(middle_, out);
  blanks_->Finish(out);
}

PhraseOutcome ConvertStreamByPhrases(ByteReader& in, ByteWriter& out,
                                     const PhraseConverter& converter, const ConvertCode& source,
                                     const ConvertCode& result, BlankMode blankMode) {
  PhraseRouteDecoder decoder(converter, source, result, blankMode);
  PhraseOutcome outcome;
  outcome.status = PumpStream(decoder, in, out);
  outcome.fallbacks = decoder.phrases().Fallbacks();
  outcome.unreadable = decoder.phrases().Unreadable();
  outcome.unwritable = decoder.phrases().Unwritable();
  return outcome;
}

}  // namespace vortane
