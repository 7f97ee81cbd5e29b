// The desktop program: the main window, its logic and the Qt platform.
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>

#include "app/text_transform_dialog.h"
#include "gui/developer_options.h"
#include "gui/main_window.h"
#include "gui/qt_platform.h"
#include "texts/tri_text.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QString error;
  const std::optional<vortane::DeveloperOptions> options =
      vortane::ParseDeveloperOptions(QApplication::arguments(), error);
  if (!options) {
    std::fprintf(stderr, "vortane: %s\n", qPrintable(error));
    return 2;
  }

  vortane::MainWindow window;
  vortane::QtPlatform platform(&window);
  vortane::MainWindowPaths paths;
  if (!options->settingsDirectory.isEmpty()) {
    paths.settingsFile =
        QDir(options->settingsDirectory).filePath(QStringLiteral("Vortane.ini")).toStdString();
  }
  vortane::TextTransformDialog dialog(platform, window, paths);
  const auto runCommand = [&dialog](vortane::Command command) { dialog.OnCommand(command); };
  window.SetHandlers(runCommand, [&dialog] { dialog.OnCloseRequested(); });
  dialog.Initialise();

  // The frames read the code of the interface language. The start-up paste
  // ran before it was known, so it is redone in that code.
  if (dialog.settings().interfaceLanguage == vortane::Language::Big5) {
    window.SetDisplayCodes(vortane::TextCode::Big5);
    if (dialog.settings().autoPaste != 0) {
      window.sourceFrame().SetBytes({});
      window.sourceFrame().PasteClipboard();
    }
  }

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(screen->availableGeometry().center() - window.rect().center());
  }
  window.show();
  vortane::ScheduleDeveloperActions(*options, window, runCommand);
  return app.exec();
}
