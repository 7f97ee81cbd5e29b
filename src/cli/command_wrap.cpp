// vortane-cli wrap: Word Wrap.
#include "cli/cli_command_syntax.h"
#include "lines/line_transforms.h"

namespace vortane {

namespace {

RouteFunction Wrap(const CliCommand& c) {
  return TextRoute([width = c.width, d = c.recogniseDoubleBytes](std::string_view t) {
    return WordWrap(t, width, d);
  });
}

bool ApplyOptions(const CliOptions& options, CliCommand& command, std::string& error) {
  if (options.Has("--no-double-bytes")) {
    command.recogniseDoubleBytes = false;
  }
  if (const auto width = options.Value("--width")) {
    const auto n = ParseNumber<int>(*width);
    if (!n || *n < 1) {
      error = "--width takes a whole number of 1 or more, not " + Quoted(*width);
      return false;
    }
    command.width = *n;
  }
  return true;
}

constexpr std::string_view kHelp =
    R"(Usage: vortane-cli wrap [--width N] [--no-double-bytes] [INPUT [OUTPUT]]

Word Wrap: inserts CR LF after every N bytes of a line. Only CR ends a line
(the LF after it is the first byte of the next one); breaks fall after N
bytes, not at blanks. A break that would split a double-byte character comes
one byte later.

Options:
  --width N              bytes per line, 1 or more (default 70)
  --no-double-bytes      break after N bytes even inside a double-byte
                         character

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success, 1 an I/O error, 2 a usage error.
)";

}  // namespace

const CliCommandSyntax& WrapCommand() {
  static const CliCommandSyntax kSyntax{
      .name = "wrap",
      .options = {{"--width", true}, {"--no-double-bytes", false}},
      .methods = {{"", CliRoute::Wrap, &Wrap}},
      .applyOptions = &ApplyOptions,
      .summary =
          "  wrap [--width N] [--no-double-bytes]\n"
          "                            break lines after N bytes with CR LF (Word Wrap)\n",
      .optionsSummary =
          "  --width N                 wrap: bytes per line, 1 or more (default 70)\n"
          "  --no-double-bytes         wrap: break after N bytes even inside a\n"
          "                            double-byte character\n",
      .help = kHelp,
  };
  return kSyntax;
}

}  // namespace vortane
