#include "app/desktop_command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vortane {

namespace {

// Qt's own command-line options (QGuiApplication, QApplication and the X11
// platform). Qt accepts them with one dash or two, and a value after "=" or
// as the next argument.
constexpr std::array<std::string_view, 12> kQtOptionsWithValue = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "style",         "stylesheet"};
constexpr std::array<std::string_view, 5> kQtFlags = {"reverse", "widgetcount", "nograb", "dograb",
                                                      "sync"};

template <std::size_t N>
bool Holds(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

}  // namespace

DesktopCommandLine ParseDesktopCommandLine(const std::vector<std::string>& args) {
  DesktopCommandLine line;
  bool version = false;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg == "-" || arg.empty() || arg.front() != '-') {
      if (line.file) {
        if (line.error.empty()) {
          line.error = "too many arguments: " + Quoted(arg);
        }
        continue;
      }
      line.file = arg;
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      line.action = DesktopAction::Help;
      return line;
    }
    if (arg == "--version") {
      version = true;
      continue;
    }
    const auto equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (name == "--settings-dir") {
      if (equals != std::string::npos) {
        line.settingsDirectory = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        line.settingsDirectory = args[++i];
      } else if (line.error.empty()) {
        line.error = "option --settings-dir needs a value";
      }
      if (line.settingsDirectory && line.settingsDirectory->empty() && line.error.empty()) {
        line.error = "option --settings-dir needs a folder";
      }
      continue;
    }
    const std::string_view bare =
        std::string_view(name).substr(name.size() > 1 && name[1] == '-' ? 2 : 1);
    if (Holds(kQtOptionsWithValue, bare)) {
      if (equals == std::string::npos && i + 1 < args.size()) {
        ++i;
      }
      continue;
    }
    if (Holds(kQtFlags, bare) && equals == std::string::npos) {
      continue;
    }
    if (line.error.empty()) {
      line.error = "unknown option " + Quoted(name);
    }
  }
  if (version) {
    line.action = DesktopAction::Version;
  } else if (!line.error.empty()) {
    line.action = DesktopAction::UsageError;
  }
  return line;
}

std::string DesktopUsage() { return "Usage: vortane [--settings-dir DIR] [FILE]\n"; }

std::string DesktopHelp() {
  return DesktopUsage() + R"(
Mail Vortane: paste or open mail text you cannot read in the left frame
(Base64, Quoted-Printable, HZ, UTF-7 or UTF-8 text, GB or Big5 Chinese),
choose a command from the menus, and read the result in the right frame.

  FILE                  open FILE into the left frame at start, as
                        File > Open does (after the start-up paste)
  --settings-dir DIR    keep Vortane.ini and the window's size in DIR
                        instead of $XDG_CONFIG_HOME/vortane (by default
                        ~/.config/vortane)
  -h, --help            show this help and exit
  --version             show the version and exit

Qt's own options (-platform, -style, -display, ...) are passed to Qt.
For scripts and large files, see vortane-cli --help.
)";
}

}  // namespace vortane
