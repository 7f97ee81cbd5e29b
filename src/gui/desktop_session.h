// The desktop program's parts wired together: the main window, the Qt
// platform and the main window's logic, with menu commands and close requests
// routed from the window to the logic. The program and the developer driver
// both start one.
#pragma once

#include "app/command_table.h"
#include "app/text_transform_dialog.h"
#include "gui/main_window.h"
#include "gui/qt_desktop_state.h"
#include "gui/qt_platform.h"

namespace vortane {

class DesktopSession {
 public:
  // `paths` name the settings file and the default output file.
  explicit DesktopSession(MainWindowPaths paths);
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  // Initialises the logic (settings, auto paste, menu, title, focus), shows
  // the frames in the interface language's code, centres the window on the
  // screen and shows it.
  void Start();

  // Runs a command as if it had been chosen from the menu.
  void RunCommand(Command command) { logic_.OnCommand(command); }

  [[nodiscard]] MainWindow& window() { return window_; }
  [[nodiscard]] TextTransformDialog& logic() { return logic_; }

 private:
  MainWindow window_;
  QtPlatform platform_;
  TextTransformDialog logic_;
  // The phrase commands' region, beside the window state in the settings
  // folder.
  QtDesktopState desktopState_;
};

}  // namespace vortane
