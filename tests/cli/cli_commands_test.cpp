#include "cli/cli_commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cli/cli_help.h"

namespace vortane {
namespace {

// Every row of the command table is complete, so that the parser, the help
// and the runner can rely on it when a command is added.
TEST(CliCommandTable, EveryCommandIsCompleteAndFoundByName) {
  std::set<std::string_view> names;
  std::set<CliRoute> routes;
  const std::string general = GeneralHelp();
  for (const CliCommandSyntax* syntax : CliCommands()) {
    const std::string name(syntax->name);
    EXPECT_TRUE(names.insert(syntax->name).second) << name;
    EXPECT_EQ(FindCliCommand(syntax->name), syntax) << name;
    EXPECT_EQ(syntax->help.rfind("Usage: vortane-cli " + name, 0), 0U) << name;
    EXPECT_EQ(CommandHelp(syntax->name), syntax->help) << name;
    ASSERT_FALSE(syntax->methods.empty()) << name;
    const bool wordless = syntax->methods.front().word.empty();
    // A command without method words starts with its first route; its
    // options may choose another.
    for (const CliMethod& method : syntax->methods) {
      EXPECT_EQ(method.word.empty(), wordless) << name << ": words on every route or on none";
      EXPECT_TRUE(routes.insert(method.route).second) << name << " " << method.word;
      CliCommand command;
      command.route = method.route;
      const RouteFunction route = SelectRoute(command);
      EXPECT_NE(static_cast<bool>(route.text), static_cast<bool>(route.stream))
          << name << " " << method.word << ": exactly one function";
    }
    for (std::string_view lines : {syntax->summary, syntax->optionsSummary}) {
      if (lines.empty()) {
        continue;
      }
      EXPECT_EQ(lines.substr(0, 2), "  ") << name;
      EXPECT_EQ(lines.back(), '\n') << name;
      EXPECT_NE(general.find(lines), std::string::npos) << name;
    }
    EXPECT_NE(syntax->summary.find("  " + name), std::string_view::npos) << name;
  }
  EXPECT_EQ(FindCliCommand("nonesuch"), nullptr);
  EXPECT_EQ(CommandHelp("nonesuch"), general);
}

}  // namespace
}  // namespace vortane
