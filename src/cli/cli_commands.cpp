#include "cli/cli_commands.h"

#include <algorithm>
#include <array>

namespace vortane {

// Each command's spec, defined in its own file. A new command adds its file,
// one declaration here and one row below.
const CliCommandSpec& DecodeCommand();
const CliCommandSpec& TextCommand();
const CliCommandSpec& WrapCommand();
const CliCommandSpec& MarkCommand();
const CliCommandSpec& RestoreHighBitsCommand();
const CliCommandSpec& ConvertCommand();
const CliCommandSpec& LabelsCommand();

std::span<const CliCommandSpec* const> CliCommands() {
  static const std::array kCommands = {
      &DecodeCommand(),          &TextCommand(),    &WrapCommand(),   &MarkCommand(),
      &RestoreHighBitsCommand(), &ConvertCommand(), &LabelsCommand(),
  };
  return kCommands;
}

const CliCommandSpec* FindCliCommand(std::string_view name) {
  const auto commands = CliCommands();
  const auto found = std::ranges::find(commands, name, &CliCommandSpec::name);
  return found == commands.end() ? nullptr : *found;
}

}  // namespace vortane
