// The desktop program: vortane [--settings-dir DIR] [FILE]. The command line
// is read before Qt starts, so --help, --version and usage errors need no
// display.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/desktop_command_line.h"
#include "gui/desktop_session.h"
#include "settings/settings_location.h"

int main(int argc, char* argv[]) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const vortane::DesktopCommandLine line = vortane::ParseDesktopCommandLine(args);
  switch (line.action) {
    case vortane::DesktopAction::Help:
      std::fputs(vortane::DesktopHelp().c_str(), stdout);
      return 0;
    case vortane::DesktopAction::Version:
      std::fputs("vortane (Mail Vortane) " VORTANE_VERSION "\n", stdout);
      return 0;
    case vortane::DesktopAction::UsageError:
      std::fprintf(stderr, "vortane: %s\n%sTry 'vortane --help' for more information.\n",
                   line.error.c_str(), vortane::DesktopUsage().c_str());
      return 2;
    case vortane::DesktopAction::Run:
      break;
  }

  QApplication app(argc, argv);
  // Settings live in a folder of their own; a Vortane.ini left in the working
  // folder by earlier versions moves there once.
  const std::string folder = vortane::SettingsFolder(
      line.settingsDirectory, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  const auto prepared = vortane::PrepareSettingsFolder(
      folder, line.settingsDirectory ? std::nullopt : std::optional<std::string>("."));
  vortane::MainWindowPaths paths;
  paths.settingsFile = folder + "/" + vortane::kSettingsFileName;
  const QString stateFile =
      prepared.ready ? QFile::decodeName(QByteArray::fromStdString(folder + "/window-state.conf"))
                     : QString();

  vortane::DesktopSession session(paths, stateFile);
  session.Start();
  if (line.file) {
    // A mail message opens in the message view once the window is up; any
    // other file into the source frame, as File > Open does.
    const std::string file = *line.file;
    QTimer::singleShot(0, [&session, file] {
      if (!session.logic().OpenIfMessage(file)) {
        session.logic().OpenFileIntoSource(file);
      }
    });
  }
  const int code = QApplication::exec();
  session.SaveWindowState();
  return code;
}
