#include "cli/cli_help.h"

#include "cli/cli_commands.h"

namespace vortane {

namespace {

constexpr std::string_view kIntroduction =
    R"(Usage: vortane-cli COMMAND [OPTIONS] [INPUT [OUTPUT]]

Decodes mail text: Base64, Quoted-Printable and HZ, UTF-8 and UTF-7 into GB
or Big5 or into UTF-16, GB <-> Big5, 7bit-8bit restoration, word wrap and
quote marks, the GB / Big5 / Unicode code converter, and re-encoding between
GB 18030, Big5-HKSCS, UTF-8, UTF-16, HZ and UTF-7.

Commands:
)";

constexpr std::string_view kCommonOptions =
    R"(  -h, --help                show this help; after a command, its help
  --version                 show the version
)";

constexpr std::string_view kConventions =
    R"(
INPUT and OUTPUT default to standard input and standard output; '-' names
them too. Bytes pass unchanged: there is no line-end translation. OUTPUT is
written beside and renamed into place only when the command succeeds, so a
failed run leaves an existing OUTPUT as it was; OUTPUT may not be the same
file as INPUT. decode and convert stream their input in 64 KiB blocks with
constant memory; the other commands hold the whole input and result in
memory and write the whole result, 0 bytes included.

Exit status: 0 success, 1 a file could not be read or written (the message
names the file and the cause), 2 a usage error, 3 the text could not be
converted whole (convert --strict) or auto found no Chinese reading.
)";

}  // namespace

std::string GeneralHelp() {
  std::string help(kIntroduction);
  for (const CliCommandSyntax* command : CliCommands()) {
    help += command->summary;
  }
  help += "\nOptions:\n";
  for (const CliCommandSyntax* command : CliCommands()) {
    help += command->optionsSummary;
  }
  help += kCommonOptions;
  help += kConventions;
  return help;
}

std::string CommandHelp(std::string_view command) {
  const CliCommandSyntax* syntax = FindCliCommand(command);
  return syntax != nullptr ? std::string(syntax->help) : GeneralHelp();
}

}  // namespace vortane
