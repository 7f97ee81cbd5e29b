// The main window's logic: the two text members, the settings, and one
// handler per menu command. It reaches the screen only through Platform and
// MainWindowView.
#pragma once

#include <string>

#include "platform/main_window_view.h"
#include "platform/platform.h"
#include "settings/settings_dialog.h"

namespace vortane {

// Files the main window uses in the working directory.
struct MainWindowPaths {
  std::string settingsFile = "Vortane.ini";
  std::string defaultOutputFile = "Vortane.tmp";
};

class TextTransformDialog {
 public:
  TextTransformDialog(Platform& platform, MainWindowView& view, MainWindowPaths paths = {});

  // Initialisation once the window and its frames exist: geometry, settings,
  // auto paste, menu, title, focus.
  void Initialise();
  // Runs the menu command `commandId` (see app/command_ids.h).
  void OnCommand(int commandId);
  // The close box, Escape, Alt+F4 or the system menu asked to close.
  void OnCloseRequested();

  // The live settings (read by the tests and the view).
  [[nodiscard]] const SettingsDialog& settings() const { return settingsDialog; }

  // (The handlers and the members sourceText, targetText, targetUnsaved,
  // settingsDialog, pullFrames, pushFrames, confirmQuit, confirmSaveTarget
  // are declared below by the module.)

 private:
  Platform& platform_;
  MainWindowView& view_;
  MainWindowPaths paths_;
  SettingsDialog settingsDialog;
};

}  // namespace vortane
