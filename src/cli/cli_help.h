// vortane-cli's help texts.
#pragma once

#include <string_view>

namespace vortane {

// The general help: every command and option, the conventions and exit codes.
[[nodiscard]] std::string_view GeneralHelp();

// The help of one command ("decode", "text", ...); the general help for a name
// that is not a command.
[[nodiscard]] std::string_view CommandHelp(std::string_view command);

}  // namespace vortane
