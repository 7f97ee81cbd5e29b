// The desktop program's command line, read before any window or display is
// needed: vortane [--settings-dir DIR] [FILE], --help and --version. Qt's own
// options (-platform, -style, -display, ...) are left for Qt.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vortane {

enum class DesktopAction { Run, Help, Version, UsageError };

struct DesktopCommandLine {
  DesktopAction action = DesktopAction::Run;
  // Opened into the source frame after start-up, as File > Open does.
  std::optional<std::string> file;
  // --settings-dir DIR: the folder of Vortane.ini and the window state.
  std::optional<std::string> settingsDirectory;
  // UsageError: what is wrong, in one line without the program name.
  std::string error;
};

// Parses the arguments (without the program name). "--help" or "-h" before
// "--" asks for the help whatever else is there, then "--version" for the
// version; "--" ends the options; Qt's options are skipped with their values;
// any other option, a missing DIR or a second FILE is a usage error.
[[nodiscard]] DesktopCommandLine ParseDesktopCommandLine(const std::vector<std::string>& args);

// The help (standard output, exit 0) and the usage line that follows a usage
// error on standard error.
[[nodiscard]] std::string DesktopHelp();
[[nodiscard]] std::string DesktopUsage();

}  // namespace vortane
