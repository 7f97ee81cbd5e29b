#include "app/desktop_command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vortane {
namespace {

TEST(DesktopCommandLine, ReadsFileSettingsFolderAndLeavesQtOptionsToQt) {
  const struct {
    std::vector<std::string> args;
    DesktopAction action;
    std::optional<std::string> file;
    std::optional<std::string> settings;
  } cases[] = {
      {{}, DesktopAction::Run, std::nullopt, std::nullopt},
      {{"mail.txt"}, DesktopAction::Run, "mail.txt", std::nullopt},
      {{"--settings-dir", "/s", "a b.txt"}, DesktopAction::Run, "a b.txt", "/s"},
      {{"--settings-dir=/s"}, DesktopAction::Run, std::nullopt, "/s"},
      {{"-"}, DesktopAction::Run, "-", std::nullopt},
      {{"--", "--help"}, DesktopAction::Run, "--help", std::nullopt},
      {{"-platform", "offscreen", "x"}, DesktopAction::Run, "x", std::nullopt},
      {{"--style=fusion", "-reverse", "--display", ":1", "x"},
       DesktopAction::Run,
       "x",
       std::nullopt},
      {{"-qwindowgeometry", "100x100", "-widgetcount"},
       DesktopAction::Run,
       std::nullopt,
       std::nullopt},
      {{"x", "--help"}, DesktopAction::Help, std::nullopt, std::nullopt},
      {{"--bogus", "-h"}, DesktopAction::Help, std::nullopt, std::nullopt},
      {{"--version"}, DesktopAction::Version, std::nullopt, std::nullopt},
      {{"--version", "--bogus"}, DesktopAction::Version, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    const std::string line = ::testing::PrintToString(c.args);
    const DesktopCommandLine got = ParseDesktopCommandLine(c.args);
    EXPECT_EQ(got.action, c.action) << line << " " << got.error;
    if (c.action == DesktopAction::Run) {
      EXPECT_EQ(got.file, c.file) << line;
      EXPECT_EQ(got.settingsDirectory, c.settings) << line;
      EXPECT_TRUE(got.error.empty()) << line;
    }
  }
}

TEST(DesktopCommandLine, MistakesAreUsageErrors) {
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"-x", "file"}, "unknown option '-x'"},
      {{"--settings-dir"}, "option --settings-dir needs a value"},
      {{"--settings-dir="}, "option --settings-dir needs a folder"},
      {{"a", "b"}, "too many arguments: 'b'"},
      {{"-reverse=1"}, "unknown option '-reverse'"},
  };
  for (const auto& c : cases) {
    const DesktopCommandLine got = ParseDesktopCommandLine(c.args);
    EXPECT_EQ(got.action, DesktopAction::UsageError) << c.error;
    EXPECT_EQ(got.error, c.error);
  }
}

TEST(DesktopCommandLine, HelpNamesEveryOption) {
  const std::string help = DesktopHelp();
  EXPECT_EQ(help.rfind(DesktopUsage(), 0), 0U);
  for (const char* word : {"FILE", "--settings-dir DIR", "~/.config/vortane", "--help", "--version",
                           "XDG_CONFIG_HOME", "Qt"}) {
    EXPECT_NE(help.find(word), std::string::npos) << word;
  }
}

}  // namespace
}  // namespace vortane
