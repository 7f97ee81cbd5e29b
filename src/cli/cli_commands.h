// The table of vortane-cli's commands, in the order the general help lists them.
#pragma once

#include <span>
#include <string_view>

#include "cli/cli_command_spec.h"

namespace vortane {

[[nodiscard]] std::span<const CliCommandSpec* const> CliCommands();

// The command called `name`; nullptr when there is none.
[[nodiscard]] const CliCommandSpec* FindCliCommand(std::string_view name);

}  // namespace vortane
