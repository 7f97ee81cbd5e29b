// The table of vortane-cli's commands, in the order the general help lists them.
#pragma once

#include <span>
#include <string_view>

#include "cli/cli_command_syntax.h"

namespace vortane {

[[nodiscard]] std::span<const CliCommandSyntax* const> CliCommands();

// The command called `name`; nullptr when there is none.
[[nodiscard]] const CliCommandSyntax* FindCliCommand(std::string_view name);

}  // namespace vortane
