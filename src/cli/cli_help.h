// vortane-cli's help texts.
#pragma once

#include <string>
#include <string_view>

namespace vortane {

// The general help: every command and option (from the command table), the
// conventions and exit codes.
[[nodiscard]] std::string GeneralHelp();

// The help of one command ("decode", "text", ...); the general help for a name
// that is not a command.
[[nodiscard]] std::string CommandHelp(std::string_view command);

}  // namespace vortane
