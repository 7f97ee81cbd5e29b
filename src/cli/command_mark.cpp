// vortane-cli mark: Add mark and Remove mark.
#include "cli/cli_command_syntax.h"
#include "lines/line_transforms.h"

namespace vortane {

namespace {

RouteFunction Add(const CliCommand& c) {
  return TextRoute([mark = c.mark](std::string_view t) { return AddMark(t, mark); });
}

RouteFunction Remove(const CliCommand& c) {
  return TextRoute([mark = c.mark](std::string_view t) { return RemoveMark(t, mark); });
}

bool ApplyOptions(const CliOptions& options, CliCommand& command, std::string& error) {
  if (const auto mark = options.Value("--mark")) {
    if (mark->size() > 1) {
      error = "--mark takes a single byte, not " + Quoted(*mark);
      return false;
    }
    command.mark = *mark;
  }
  return true;
}

constexpr std::string_view kHelp =
    R"(Usage: vortane-cli mark add|remove [--mark C] [INPUT [OUTPUT]]

  add      puts the mark at the start of the text and after every LF
  remove   takes one mark off the start of the text and after every LF

Options:
  --mark C               the quote mark, a single byte (default '>'); an
                         empty mark (--mark '') leaves the text unchanged

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success, 1 an I/O error, 2 a usage error.
)";

}  // namespace

const CliCommandSyntax& MarkCommand() {
  static const CliCommandSyntax kSyntax{
      .name = "mark",
      .options = {{"--mark", true}},
      .methods = {{"add", CliRoute::MarkAdd, &Add}, {"remove", CliRoute::MarkRemove, &Remove}},
      .applyOptions = &ApplyOptions,
      .summary =
          "  mark add|remove [--mark C]\n"
          "                            add or remove the quote mark at the start of\n"
          "                            every line\n",
      .optionsSummary =
          "  --mark C                  mark: the quote mark, one byte (default '>');\n"
          "                            an empty mark leaves the text unchanged\n",
      .help = kHelp,
  };
  return kSyntax;
}

}  // namespace vortane
