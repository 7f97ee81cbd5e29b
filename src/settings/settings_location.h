// Where the settings live on a Linux desktop: a folder of their own under the
// user's configuration folder, made on first start, into which a Vortane.ini
// left in the working folder by earlier versions moves once.
#pragma once

#include <optional>
#include <string>

namespace vortane {

// The name of the settings file inside the folder.
inline constexpr const char* kSettingsFileName = "Vortane.ini";

// The folder: `chosen` (--settings-dir) when given; otherwise
// $XDG_CONFIG_HOME/vortane when `xdgConfigHome` is an absolute path (the
// variable is ignored when unset, empty or relative); otherwise
// $HOME/.config/vortane; and the working folder "." when HOME is unset too.
[[nodiscard]] std::string SettingsFolder(const std::optional<std::string>& chosen,
                                         const char* xdgConfigHome, const char* home);

// What PrepareSettingsFolder did.
struct SettingsFolderOutcome {
  bool ready = false;     // the folder exists (errno in `error` otherwise)
  bool migrated = false;  // Vortane.ini was copied in from the old folder
  int error = 0;
};

// Makes `folder` with any missing parents (mode 0700, as the desktop's
// configuration folders are). When `oldFolder` is given and `folder` holds no
// Vortane.ini while `oldFolder` does, that file is copied in, byte for byte:
// it is read once there and kept in the new place from then on. The old file
// is left where it was.
[[nodiscard]] SettingsFolderOutcome PrepareSettingsFolder(
    const std::string& folder, const std::optional<std::string>& oldFolder);

}  // namespace vortane
