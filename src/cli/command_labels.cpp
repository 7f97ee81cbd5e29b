// vortane-cli labels: the labels of codes that convert takes.
#include "cli/cli_command_syntax.h"
#include "cli/cli_convert.h"

namespace vortane {

namespace {

// RunCli prints the list itself: the command reads no input.
RouteFunction Labels(const CliCommand&) {
  return TextRoute([](std::string_view) { return LabelsText(); });
}

bool TakeNoOperands(std::vector<std::string>& operands, CliCommand&, std::string& error) {
  if (!operands.empty()) {
    error = "too many arguments: " + Quoted(operands.front());
    return false;
  }
  return true;
}

constexpr std::string_view kHelp =
    R"(Usage: vortane-cli labels

Lists every label of a code that convert --from and --to take besides gb,
big5 and unicode: one line each, the label, a tab, the code it reads as.
Labels match in any case, with blanks and quotes around them ignored.

Exit status: 0 success, 1 an I/O error, 2 a usage error.
)";

}  // namespace

const CliCommandSyntax& LabelsCommand() {
  static const CliCommandSyntax kSyntax{
      .name = "labels",
      .options = {},
      .methods = {{"", CliRoute::Labels, &Labels}},
      .takeOperands = &TakeNoOperands,
      .summary =
          "  labels                    list the labels of codes, each with the code it\n"
          "                            reads as\n",
      .optionsSummary = "",
      .help = kHelp,
  };
  return kSyntax;
}

}  // namespace vortane
