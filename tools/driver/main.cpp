// vortane-driver: the desktop program's windows, driven from the command line
// for screenshots and checks (see driver_options.h). A developer tool; it is
// not installed.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "driver/driver_options.h"
#include "gui/desktop_session.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Message boxes are captioned with the application's name: the program's,
  // so that the pictures show what vortane shows.
  QCoreApplication::setApplicationName(QStringLiteral("vortane"));
  QString error;
  const std::optional<vortane::DriverOptions> options =
      vortane::ParseDriverOptions(QApplication::arguments(), error);
  if (!options) {
    std::fprintf(stderr, "vortane-driver: %s\n", qPrintable(error));
    return 2;
  }

  vortane::MainWindowPaths paths;
  if (!options->settingsDirectory.isEmpty()) {
    paths.settingsFile =
        QDir(options->settingsDirectory).filePath(QStringLiteral("Vortane.ini")).toStdString();
  }
  vortane::DesktopSession session(paths);
  session.Start();
  vortane::ScheduleDriverActions(*options, session.window(), [&session](vortane::Command command) {
    session.RunCommand(command);
  });
  if (!options->messageFile.isEmpty()) {
    // Modal: the later steps fire inside the view's event loop.
    QTimer::singleShot(0, &session.window(), [&session, path = options->messageFile] {
      session.logic().OpenMessageFile(path.toStdString());
    });
  }
  return QApplication::exec();
}
