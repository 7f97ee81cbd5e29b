// The desktop state in a QSettings file beside the window state, never in
// the settings file.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/desktop_state.h"

namespace vortane {

// The settings folder: $XDG_CONFIG_HOME/vortane, or $HOME/.config/vortane
// when XDG_CONFIG_HOME is unset, empty or not absolute; empty when neither
// gives an absolute folder.
[[nodiscard]] std::string DefaultSettingsFolder(const char* xdgConfigHome, const char* home);

// The state file in a settings folder ("window-state.conf").
[[nodiscard]] QString StateFileIn(const std::string& settingsFolder);

class QtDesktopState final : public DesktopState {
 public:
  // Values are kept in `stateFile` (an INI file, created with its folder on
  // the first write), or in memory only when it is empty; `settingsFolder`
  // holds the user's files.
  QtDesktopState(const QString& stateFile, std::string settingsFolder);

  [[nodiscard]] std::optional<std::string> Value(std::string_view key) const override;
  void SetValue(std::string_view key, std::string_view value) override;
  [[nodiscard]] std::string SettingsFolder() const override { return folder_; }

 private:
  std::unique_ptr<QSettings> file_;  // none: memory_ keeps the values
  MemoryDesktopState memory_;
  std::string folder_;
};

}  // namespace vortane
