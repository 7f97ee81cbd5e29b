// The desktop program's parts wired together: the main window, the Qt
// platform and the main window's logic, with menu commands, close requests
// and edits routed from the window to the logic. The program and the
// developer driver both start one.
#pragma once

#include <QString>

#include "app/command_table.h"
#include "app/text_transform_dialog.h"
#include "gui/main_window.h"
#include "gui/qt_desktop_state.h"
#include "gui/qt_platform.h"

namespace vortane {

class DesktopSession {
 public:
  // `paths` name the settings file and the default output file;
  // `stateFile`, when not empty, keeps the window's size and the splitter's
  // position between runs (a QSettings file beside the settings, never in
  // them).
  DesktopSession(MainWindowPaths paths, QString stateFile = {});
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  // Initialises the logic (settings, auto paste, menu, title, focus), shows
  // the frames in the interface language's code, gives the window the size
  // and splitter position of the last run (or, the first time, the computed
  // size, centred on the screen) and shows it.
  void Start();

  // Keeps the window's size and splitter position in the state file.
  void SaveWindowState();

  // Runs a command as if it had been chosen from the menu.
  void RunCommand(Command command) { logic_.OnCommand(command); }

  [[nodiscard]] MainWindow& window() { return window_; }
  [[nodiscard]] TextTransformDialog& logic() { return logic_; }

 private:
  // True when the state file gave the window its geometry.
  bool RestoreWindowState();

  MainWindow window_;
  QtPlatform platform_;
  TextTransformDialog logic_;
  QString stateFile_;
  // The phrase commands' region, beside the window state in the settings
  // folder.
  QtDesktopState desktopState_;
};

}  // namespace vortane
