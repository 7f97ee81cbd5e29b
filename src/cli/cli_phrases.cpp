#include "cli/cli_phrases.h"

#include <sys/stat.h>

#include "charsets/label_map.h"
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

// The phrase decoder, then the blank rule over its result (the engine's copy
// route changes nothing but blanks).
class PhraseStream {
 public:
  PhraseStream(const PhraseConverter& converter, const PhraseRequest& request)
      : phrases_(converter, request.sourceCode, request.resultCode) {
    const TextCode* result = std::get_if<TextCode>(&request.resultCode);
    if (request.blankMode != BlankMode::KeepStill && result != nullptr &&
        *result != TextCode::Unicode) {
      blanks_.emplace(*result, *result, request.blankMode);
    }
  }

  void Feed(std::string_view block, std::string& out) {
    if (!blanks_) {
      phrases_.Feed(block, out);
      return;
    }
    middle_.clear();
    phrases_.Feed(block, middle_);
    blanks_->Feed(middle_, out);
  }
  void Finish(std::string& out) {
    if (!blanks_) {
      phrases_.Finish(out);
      return;
    }
    middle_.clear();
    phrases_.Finish(middle_);
    blanks_->Feed(middle_, out);
    blanks_->Finish(out);
  }
  [[nodiscard]] bool Done() const { return false; }
  [[nodiscard]] const PhraseCodeDecoder& phrases() const { return phrases_; }

 private:
  PhraseCodeDecoder phrases_;
  std::optional<ConvertDecoder> blanks_;
  std::string middle_;
};

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
  std::vector<std::string> listNotes;
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
      listNotes.push_back("vortane-cli: " + listPath + ": line " + std::to_string(bad[i]) +
                          " is not 'from<TAB>to'; skipped");
    }
    if (bad.size() > kMostSkippedLinesShown) {
      listNotes.push_back("vortane-cli: " + listPath + ": " +
                          std::to_string(bad.size() - kMostSkippedLinesShown) +
                          " more lines skipped");
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
    PhraseStream stream(*converter, request);
    const StreamStatus status = PumpStream(stream, in, out);
    counts->fallbacks = stream.phrases().Fallbacks();
    counts->unreadable = stream.phrases().Unreadable();
    counts->unwritable = stream.phrases().Unwritable();
    return status;
  };
  route.notes = [counts, listNotes] {
    std::vector<std::string> notes = listNotes;
    if (counts->fallbacks > 0) {
      notes.push_back("vortane-cli: " + Count(counts->fallbacks, "character", "characters") +
                      " converted character by character (no phrase form in the result code)");
    }
    if (counts->unreadable > 0) {
      notes.push_back("vortane-cli: " +
                      Count(counts->unreadable, "unreadable sequence", "unreadable sequences") +
                      " written as U+FFFD");
    }
    if (counts->unwritable > 0) {
      notes.push_back("vortane-cli: " + Count(counts->unwritable, "character", "characters") +
                      " the result code cannot hold written as '?'");
    }
    return notes;
  };
  return route;
}

}  // namespace vortane
