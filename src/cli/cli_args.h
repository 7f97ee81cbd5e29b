// vortane-cli's command line: the words and options of each command, turned
// into the route to run and its settings, or a usage error.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "charsets/recode_stream.h"
#include "cjk/text_code.h"
#include "cli/auto_command.h"
#include "converter/convert_stream.h"
#include "phrases/phrase_config.h"

namespace vortane {

// One route per command and method.
enum class CliRoute {
  DecodeBase64,
  DecodeQuotedPrintable,
  DecodeHz,
  DecodeUtf7,
  DecodeUtf8,
  TextBase64,
  TextQuotedPrintable,
  TextHz,
  TextUtf8,
  TextUtf7,
  TextGbToBig5,
  TextBig5ToGb,
  Wrap,
  MarkAdd,
  MarkRemove,
  RestoreHighBits,
  Convert,  // between two of the converter's own codes
  Recode,   // any other pair of codes
  Labels,
  Message,
  Auto,
};

// What to run: the route, its settings, and the files ("-" is standard input
// or output).
struct CliCommand {
  CliRoute route = CliRoute::DecodeBase64;
  std::string input = "-";
  std::string output = "-";
  bool recogniseDoubleBytes = true;            // text qp, wrap
  TextCode sourceCode = TextCode::Gb;          // convert --from
  TextCode resultCode = TextCode::Gb;          // text utf8|utf7 --to, convert --to
  BlankMode blankMode = BlankMode::KeepStill;  // convert --blanks
  ConvertCode convertFrom = TextCode::Gb;      // convert --from (both routes)
  ConvertCode convertTo = TextCode::Gb;        // convert --to
  bool strict = false;                         // convert --strict
  int width = 70;                              // wrap --width
  std::string mark = ">";                      // mark --mark (one byte, or empty)
  std::uint64_t start = 0;                     // restore-high-bits START
  std::uint64_t end = 0;                       // restore-high-bits END
  bool json = false;                           // message --json
  std::string extractDir;                      // message --extract DIR ("" when not)
  AutoSettings automatic;                      // auto --to, --list, --json
  std::optional<PhraseConfig> phrases;         // text gb2big5|big52gb, convert --phrases
  std::optional<std::string> phraseList;       // --phrase-list FILE
};

enum class CliAction { Run, Help, Version, UsageError };

// The outcome of parsing: run `command`, show help, show the version, or
// report `error` (one line, without the program name). `topic` names the
// command once it is known (its help, or the help a usage error points to);
// it is empty for the general help.
struct ParsedCommandLine {
  CliAction action = CliAction::UsageError;
  CliCommand command;
  std::string topic;
  std::string error;
};

// Parses the arguments (without the program name). "--help" or "-h" anywhere
// after a known command asks for that command's help, whatever else is wrong;
// "--" ends the options; "-" is a file operand. Options take their value as
// the next argument or after "=".
[[nodiscard]] ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

}  // namespace vortane
