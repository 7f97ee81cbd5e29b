// The desktop program: one main window on the Qt platform.
#include <QApplication>

#include "gui/desktop_session.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  vortane::DesktopSession session(vortane::MainWindowPaths{});
  session.Start();
  return QApplication::exec();
}
