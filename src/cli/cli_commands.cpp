#include "cli/cli_commands.h"

#include <algorithm>
#include <array>

namespace vortane {

// Each command's syntax, defined in its own file. A new command adds its file,
// one declaration here and one row below.
const CliCommandSyntax& DecodeCommand();
const CliCommandSyntax& TextCommand();
const CliCommandSyntax& WrapCommand();
const CliCommandSyntax& MarkCommand();
const CliCommandSyntax& RestoreHighBitsCommand();
const CliCommandSyntax& ConvertCommand();
const CliCommandSyntax& MessageCommand();
const CliCommandSyntax& LabelsCommand();
const CliCommandSyntax& AutoCommand();

std::span<const CliCommandSyntax* const> CliCommands() {
  static const std::array kCommands = {
      &DecodeCommand(),
      &TextCommand(),
      &WrapCommand(),
      &MarkCommand(),
      &RestoreHighBitsCommand(),
      &ConvertCommand(),
      &MessageCommand(),
      &LabelsCommand(),
      &AutoCommand(),
  };
  return kCommands;
}

const CliCommandSyntax* FindCliCommand(std::string_view name) {
  const auto commands = CliCommands();
  const auto found = std::ranges::find(commands, name, &CliCommandSyntax::name);
  return found == commands.end() ? nullptr : *found;
}

}  // namespace vortane
