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
  for (const CliCommandSpec* spec : CliCommands()) {
    const std::string name(spec->name);
    EXPECT_TRUE(names.insert(spec->name).second) << name;
    EXPECT_EQ(FindCliCommand(spec->name), spec) << name;
    EXPECT_EQ(spec->help.rfind("Usage: vortane-cli " + name, 0), 0U) << name;
    EXPECT_EQ(CommandHelp(spec->name), spec->help) << name;
    ASSERT_FALSE(spec->methods.empty()) << name;
    const bool wordless = spec->methods.front().word.empty();
    // A command without method words starts with its first route; its
    // options may choose another.
    for (const CliMethod& method : spec->methods) {
      EXPECT_EQ(method.word.empty(), wordless) << name << ": words on every route or on none";
      EXPECT_TRUE(routes.insert(method.route).second) << name << " " << method.word;
      CliCommand command;
      command.route = method.route;
      const RouteFunction route = SelectRoute(command);
      EXPECT_NE(static_cast<bool>(route.text), static_cast<bool>(route.stream))
          << name << " " << method.word << ": exactly one function";
    }
    for (std::string_view lines : {spec->summary, spec->optionsSummary}) {
      if (lines.empty()) {
        continue;
      }
      EXPECT_EQ(lines.substr(0, 2), "  ") << name;
      EXPECT_EQ(lines.back(), '\n') << name;
      EXPECT_NE(general.find(lines), std::string::npos) << name;
    }
    EXPECT_NE(spec->summary.find("  " + name), std::string_view::npos) << name;
  }
  EXPECT_EQ(FindCliCommand("nonesuch"), nullptr);
  EXPECT_EQ(CommandHelp("nonesuch"), general);
}

}  // namespace
}  // namespace vortane
