#include "cli/cli_routes.h"

#include "cli/cli_commands.h"

namespace vortane {

RouteFunction SelectRoute(const CliCommand& command) {
  for (const CliCommandSyntax* syntax : CliCommands()) {
    for (const CliMethod& method : syntax->methods) {
      if (method.route == command.route) {
        return method.bind(command);
      }
    }
  }
  return {};
}

}  // namespace vortane
