#include "cli/cli_phrases.h"

#include <sys/stat.h>

#include <cstdlib>

#include "charsets/label_map.h"
#include "converter/phrase_route.h"
#include "io/file_stream.h"
#include "phrases/phrase_converter.h"
#include "phrases/phrase_list_file.h"

namespace vortane {
namespace {

constexpr std::size_t kMostSkippedLinesShown = 10;

bool Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

// What a run counted, for the notes.
struct PhraseCounts {
  std::size_t fallbacks = 0;
  std::size_t unreadable = 0;
  std::size_t unwritable = 0;
};

std::string Count(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

std::string DefaultPhraseListPath(const char* xdgConfigHome, const char* home) {
  if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
    return std::string(xdgConfigHome) + "/vortane/phrases.txt";
  }
  if (home != nullptr && home[0] == '/') {
    return std::string(home) + "/.config/vortane/phrases.txt";
  }
  return {};
}

std::optional<PhraseCode> ParsePhraseCode(std::string_view word) {
  if (word == "gb") return TextCode::Gb;
  if (word == "big5") return TextCode::Big5;
  if (word == "unicode") return TextCode::Unicode;
  if (const std::optional<Charset> charset = CharsetForLabel(word)) {
    return *charset;
  }
  return std::nullopt;
}

PhraseRoute PreparePhraseRoute(const PhraseRequest& request) {
  PhraseRoute route;
  std::string listPath;
  if (request.phraseList) {
    listPath = *request.phraseList;
  } else if (!request.defaultPhraseList.empty() && Exists(request.defaultPhraseList)) {
    listPath = request.defaultPhraseList;
  }
  PhraseList list;
  std::vector<RouteNote> listNotes;
  if (!listPath.empty()) {
    PhraseListFile file = LoadPhraseList(listPath);
    if (!file.parse) {
      route.failedFile = listPath;
      route.reason = DescribeError(file.error);
      return route;
    }
    list = std::move(file.parse->list);
    const std::vector<std::size_t>& bad = file.parse->badLines;
    for (std::size_t i = 0; i < bad.size() && i < kMostSkippedLinesShown; ++i) {
      listNotes.push_back(
          {listPath, "line " + std::to_string(bad[i]) + " is not 'from<TAB>to'; skipped"});
    }
    if (bad.size() > kMostSkippedLinesShown) {
      listNotes.push_back(
          {listPath, std::to_string(bad.size() - kMostSkippedLinesShown) + " more lines skipped"});
    }
  }
  PhraseConverterLoad load = PhraseConverter::Load(request.config, list);
  if (!load.converter) {
    route.failedFile = "OpenCC";
    route.reason = load.error;
    return route;
  }
  const std::shared_ptr<const PhraseConverter> converter = std::move(load.converter);
  const auto counts = std::make_shared<PhraseCounts>();
  route.stream = [converter, counts, request](ByteReader& in, ByteWriter& out) {
    const PhraseOutcome outcome = ConvertStreamByPhrases(in, out, *converter, request.sourceCode,
                                                         request.resultCode, request.blankMode);
    counts->fallbacks = outcome.fallbacks;
    counts->unreadable = outcome.unreadable;
    counts->unwritable = outcome.unwritable;
    return outcome.status;
  };
  route.notes = [counts, listNotes] {
    std::vector<RouteNote> notes = listNotes;
    if (counts->fallbacks > 0) {
      notes.push_back({"", Count(counts->fallbacks, "character", "characters") +
                               " converted character by character (no phrase form in the result "
                               "code)"});
    }
    if (counts->unreadable > 0) {
      notes.push_back(
          {"", Count(counts->unreadable, "unreadable sequence", "unreadable sequences") +
                   " written as U+FFFD"});
    }
    if (counts->unwritable > 0) {
      notes.push_back({"", Count(counts->unwritable, "character", "characters") +
                               " the result code cannot hold written as '?'"});
    }
    return notes;
  };
  return route;
}

RouteFunction PhraseRouteFor(const CliCommand& command, PhraseCode from, PhraseCode to,
                             BlankMode blanks) {
  PhraseRequest request;
  request.config = command.phrases.value_or(PhraseConfig::S2tw);
  request.sourceCode = from;
  request.resultCode = to;
  request.blankMode = blanks;
  request.phraseList = command.phraseList;
  request.defaultPhraseList =
      DefaultPhraseListPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  const auto prepared = std::make_shared<PhraseRoute>();
  RouteFunction route;
  route.prepare = [prepared, request]() -> std::optional<RouteNote> {
    *prepared = PreparePhraseRoute(request);
    if (!prepared->stream) {
      return RouteNote{prepared->failedFile, prepared->reason};
    }
    return std::nullopt;
  };
  route.stream = [prepared](ByteReader& in, ByteWriter& out) {
    return prepared->stream ? prepared->stream(in, out) : StreamStatus::ReadError;
  };
  route.outcome = [prepared] {
    RouteOutcome outcome;
    if (prepared->notes) {
      outcome.notes = prepared->notes();
    }
    return outcome;
  };
  return route;
}

bool ApplyPhraseListOption(const CliOptions& options, CliCommand& command, std::string& error) {
  if (const auto list = options.Value("--phrase-list")) {
    if (!command.phrases) {
      error = "--phrase-list goes with --phrases";
      return false;
    }
    command.phraseList = *list;
  }
  return true;
}

}  // namespace vortane
