// vortane-cli's conversion by phrases: the --phrases and --phrase-list
// options of text gb2big5|big52gb and convert, the default phrase list, and
// the stream that converts and counts.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_args.h"
#include "cli/cli_command_syntax.h"
#include "cli/cli_routes.h"
#include "codec/byte_stream.h"
#include "converter/convert_stream.h"
#include "phrases/phrase_codes.h"
#include "phrases/phrase_config.h"

namespace vortane {

// The user's phrase list when no --phrase-list is given:
// $XDG_CONFIG_HOME/vortane/phrases.txt, or $HOME/.config/vortane/phrases.txt
// when XDG_CONFIG_HOME is unset, empty or not absolute; empty when neither
// gives an absolute folder.
[[nodiscard]] std::string DefaultPhraseListPath(const char* xdgConfigHome, const char* home);

// A code word of convert: "gb", "big5", "unicode" (the code tables' codes),
// or any label of the charsets library ("utf-8", "gb18030", "big5-hkscs",
// ...); nullopt for an unknown word.
[[nodiscard]] std::optional<PhraseCode> ParsePhraseCode(std::string_view word);

// What a conversion by phrases needs from the command line.
struct PhraseRequest {
  PhraseConfig config = PhraseConfig::S2tw;
  PhraseCode sourceCode = TextCode::Gb;
  PhraseCode resultCode = TextCode::Big5;
  BlankMode blankMode = BlankMode::KeepStill;  // GB or Big5 results only
  std::optional<std::string> phraseList;       // --phrase-list FILE
  std::string defaultPhraseList;               // used when it exists and no FILE is given
};

// A conversion by phrases ready to run, or why it cannot (`failedFile` and
// `reason` set: "vortane-cli: FILE: reason", exit status 1).
struct PhraseRoute {
  std::function<StreamStatus(ByteReader&, ByteWriter&)> stream;
  std::string failedFile;
  std::string reason;
  // What to tell on standard error after a run: the phrase list's skipped
  // lines (about the list) and what went by the character rule (about the
  // input).
  std::function<std::vector<RouteNote>()> notes;
};

// Loads the configuration (OpenCC's data, named "OpenCC" in a failure) and
// the phrase list (FILE, or the default one when it exists; a FILE that
// cannot be read is a failure) and returns the stream.
[[nodiscard]] PhraseRoute PreparePhraseRoute(const PhraseRequest& request);

// The route of a command given --phrases: `command.phrases` from `from` into
// `to`, with its --phrase-list (else the default list of the settings folder)
// and the blank rule. OpenCC and the list are loaded before any file is
// opened; the counts and skipped list lines are told after the run.
[[nodiscard]] RouteFunction PhraseRouteFor(const CliCommand& command, PhraseCode from,
                                           PhraseCode to, BlankMode blanks);

// --phrases and --phrase-list read into `command` (`config` already checked
// by the caller); false with `error` for a list without --phrases.
[[nodiscard]] bool ApplyPhraseListOption(const CliOptions& options, CliCommand& command,
                                         std::string& error);

}  // namespace vortane
