// A main window on the fake platform, with its settings file, scratch
// directory and default output file in a fresh temporary directory.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "app/command_table.h"
#include "app/text_transform_dialog.h"
#include "settings/settings_dialog.h"
#include "settings/settings_file.h"
#include "support/fake_platform.h"
#include "support/languages.h"
#include "support/stream_check.h"
#include "support/temp_dir.h"
#include "texts/tri_text.h"

namespace vortane::testing {

// Settings for `language` with autoPaste off.
inline AppSettings SettingsWithoutAutoPaste(int language) {
  AppSettings s;
  s.autoPaste = 0;
  s.interfaceLanguage = Lang(language);
  return s;
}

// A window with its own fake platform and view, started in `dir` with a
// settings file holding `settings`: for tests that start one window per case.
class StartedWindow {
 public:
  StartedWindow(ScopedTempDir& dir, const AppSettings& settings)
      : window(platform, view, WriteSettings(dir, settings)) {
    window.Initialise();
  }

  FakePlatform platform;
  FakeMainWindowView view{platform};
  TextTransformDialog window;

 private:
  static MainWindowPaths WriteSettings(ScopedTempDir& dir, const AppSettings& settings) {
    dir.Write("Vortane.ini", FormatSettingsFile(settings));
    return {dir.File("Vortane.ini"), dir.File("Vortane.tmp")};
  }
};

class MainWindowTest : public ::testing::Test {
 public:
  MainWindowTest() { platform.tempDirectory = dir.path() + "/"; }

  // Starts the window with a settings file for `language`, autoPaste off.
  void Start(int language = kLanguageEnglish) {
    AppSettings s = SettingsWithoutAutoPaste(language);
    s.tempDirectory = platform.tempDirectory;
    StartWithFile(FormatSettingsFile(s));
  }

  void StartWithFile(std::string_view settingsFile) {
    dir.Write("Vortane.ini", settingsFile);
    StartAsIs();
  }

  // Starts with whatever the directory holds.
  void StartAsIs() {
    window = std::make_unique<TextTransformDialog>(
        platform, view, MainWindowPaths{dir.File("Vortane.ini"), dir.File("Vortane.tmp")});
    window->Initialise();
  }

  void Run(Command command) { window->OnCommand(command); }

  // Puts text into the frames as if the user had typed it.
  void Type(std::string_view source, std::string_view target) {
    view.source.bytes = std::string(source);
    view.target.bytes = std::string(target);
  }

  ScopedTempDir dir;
  FakePlatform platform;
  FakeMainWindowView view{platform};
  std::unique_ptr<TextTransformDialog> window;
};

}  // namespace vortane::testing
