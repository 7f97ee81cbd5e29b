#include "phrases/phrase_converter.h"

#include <algorithm>

#include "phrases/opencc_engine.h"
#include "phrases/shipped_fixes.h"
#include "phrases/utf8_chars.h"

namespace vortane {
namespace {

// No dictionary phrase holds a control character or a blank, so OpenCC is
// handed the runs between them and they are copied as they are.
bool SplitsRuns(char32_t point) { return point <= 0x20 || point == 0x7F; }

bool IsAscii(std::u32string_view run) {
  return std::all_of(run.begin(), run.end(), [](char32_t p) { return p < 0x80; });
}

void AppendAligned(std::u32string_view run, std::size_t start, std::u32string& out,
                   std::vector<std::uint32_t>* sources) {
  out.append(run);
  if (sources != nullptr) {
    for (std::size_t i = 0; i < run.size(); ++i) {
      sources->push_back(static_cast<std::uint32_t>(start + i));
    }
  }
}

OpenccTables LoadConfigFile(const std::string& dataDir, std::string_view name) {
  return LoadOpenccTables(dataDir + "/" + std::string(name) + ".json");
}

}  // namespace

PhraseConverter::PhraseConverter(Key, PhraseConfig config, PhraseList lists, PhraseTables tables,
                                 PhraseTables toTraditional, PhraseTables toTaiwan)
    : config_(config),
      lists_(std::move(lists)),
      tables_(std::move(tables)),
      toTraditional_(std::move(toTraditional)),
      toTaiwan_(std::move(toTaiwan)) {}

PhraseConverterLoad PhraseConverter::Load(PhraseConfig config, const PhraseList& userList,
                                          const std::string& dataDir) {
  const std::string dir = dataDir.empty() ? DefaultOpenccDataDir() : dataDir;
  PhraseConverterLoad load;
  OpenccTables main = LoadConfigFile(dir, PhraseConfigName(config));
  if (!main.error.empty()) {
    load.error = "OpenCC: " + main.error;
    return load;
  }
  OpenccTables toTraditional;
  OpenccTables toTaiwan;
  if (config == PhraseConfig::S2hk) {
    toTraditional = LoadConfigFile(dir, "hk2t");
    toTaiwan = LoadConfigFile(dir, "t2tw");
    if (!toTraditional.error.empty() || !toTaiwan.error.empty()) {
      load.error =
          "OpenCC: " + (toTraditional.error.empty() ? toTaiwan.error : toTraditional.error);
      return load;
    }
  }
  PhraseList lists = ShippedFixList(config);
  lists.SetAll(userList);
  load.converter = std::make_unique<const PhraseConverter>(
      Key{}, config, std::move(lists), std::move(main.tables), std::move(toTraditional.tables),
      std::move(toTaiwan.tables));
  return load;
}

bool PhraseConverter::MayCutAfter(char32_t point) const {
  const bool outsidePhrases =
      SplitsRuns(point) || point == 0x3001 || point == 0x3002 || point == 0xFF0C;
  return outsidePhrases && !lists_.InSomePhrase(point);
}

void PhraseConverter::ConvertPiece(std::u32string_view piece, std::u32string& out,
                                   std::vector<std::uint32_t>* sources,
                                   const std::function<bool(char32_t)>& holdable) const {
  std::size_t gapStart = 0;
  std::size_t pos = 0;
  while (pos < piece.size()) {
    const PhraseEntry* entry = lists_.empty() ? nullptr : lists_.LongestMatchAt(piece, pos);
    if (entry == nullptr) {
      ++pos;
      continue;
    }
    ConvertGap(piece, gapStart, pos, out, sources, holdable);
    out += entry->to;
    if (sources != nullptr) {
      const bool aligned = entry->to.size() == entry->from.size();
      for (std::size_t k = 0; k < entry->to.size(); ++k) {
        sources->push_back(aligned ? static_cast<std::uint32_t>(pos + k) : kNoSource);
      }
    }
    pos += entry->from.size();
    gapStart = pos;
  }
  ConvertGap(piece, gapStart, piece.size(), out, sources, holdable);
}

void PhraseConverter::ConvertGap(std::u32string_view piece, std::size_t start, std::size_t end,
                                 std::u32string& out, std::vector<std::uint32_t>* sources,
                                 const std::function<bool(char32_t)>& holdable) const {
  std::size_t runStart = start;
  for (std::size_t i = start; i <= end; ++i) {
    if (i < end && !SplitsRuns(piece[i])) {
      continue;
    }
    if (runStart < i) {
      ConvertRun(piece, runStart, i, out, sources, holdable);
    }
    if (i < end) {
      AppendAligned(piece.substr(i, 1), i, out, sources);
    }
    runStart = i + 1;
  }
}

void PhraseConverter::ConvertRun(std::u32string_view piece, std::size_t start, std::size_t end,
                                 std::u32string& out, std::vector<std::uint32_t>* sources,
                                 const std::function<bool(char32_t)>& holdable) const {
  const std::u32string_view run = piece.substr(start, end - start);
  // No phrase is ASCII alone.
  if (IsAscii(run)) {
    AppendAligned(run, start, out, sources);
    return;
  }
  std::u32string converted;
  tables_.Convert(run, converted);
  if (converted.size() == run.size()) {
    AppendAligned(converted, start, out, sources);
    return;
  }
  // OpenCC changed the length (vocabulary such as U盘 -> 隨身碟): the
  // characters no longer line up with their sources.
  const std::size_t first = out.size();
  out += converted;
  if (sources == nullptr) {
    return;
  }
  sources->insert(sources->end(), converted.size(), kNoSource);
  if (!holdable) {
    return;
  }
  std::vector<std::optional<std::u32string>> alone(run.size());
  for (std::size_t j = 0; j < converted.size(); ++j) {
    if (holdable(converted[j])) {
      continue;
    }
    for (std::size_t i = 0; i < run.size(); ++i) {
      if (!alone[i]) {
        alone[i].emplace();
        tables_.Convert(run.substr(i, 1), *alone[i]);
      }
      if (*alone[i] == std::u32string_view(&out[first + j], 1)) {
        (*sources)[sources->size() - converted.size() + j] = static_cast<std::uint32_t>(start + i);
        break;
      }
    }
  }
}

std::string PhraseConverter::ConvertUtf8(std::string_view text) const {
  std::string result;
  result.reserve(text.size());
  std::u32string piece;
  std::u32string converted;
  const auto flush = [&] {
    if (piece.empty()) {
      return;
    }
    converted.clear();
    ConvertPiece(piece, converted);
    for (char32_t point : converted) {
      AppendUtf8(point, result);
    }
    piece.clear();
  };
  while (!text.empty()) {
    const Utf8Char c = DecodeUtf8Char(text);
    if (c.length == 0) {
      flush();
      result.push_back(text.front());
      text.remove_prefix(1);
      continue;
    }
    piece.push_back(c.point);
    text.remove_prefix(c.length);
    if ((piece.size() >= kPieceTarget && MayCutAfter(c.point)) || piece.size() >= kPieceLimit) {
      flush();
    }
  }
  flush();
  return result;
}

std::optional<char32_t> PhraseConverter::TaiwanGlyph(char32_t point) const {
  if (config_ != PhraseConfig::S2hk) {
    return std::nullopt;
  }
  const char32_t one[] = {point};
  std::u32string traditional;
  std::u32string taiwan;
  toTraditional_.Convert(std::u32string_view(one, 1), traditional);
  toTaiwan_.Convert(traditional, taiwan);
  if (taiwan.size() != 1 || taiwan.front() == point) {
    return std::nullopt;
  }
  return taiwan.front();
}

}  // namespace vortane
