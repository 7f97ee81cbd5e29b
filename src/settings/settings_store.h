// Where the settings live between runs: the settings file, read once at
// start-up (or created when missing) and written whole when they change. The
// live settings are a plain AppSettings owned by the main window's logic.
#pragma once

#include <string>

#include "platform/platform.h"
#include "settings/app_settings.h"

namespace vortane {

class SettingsStore {
 public:
  // `path` is the settings file (Vortane.ini).
  explicit SettingsStore(std::string path) : path_(std::move(path)) {}

  [[nodiscard]] const std::string& path() const { return path_; }

  enum class LoadOutcome {
    Read,         // the file was read; `settings` holds the fields it has
    Created,      // the file could not be read and was written from `settings`
    CannotWrite,  // it could neither be read nor written; `settings` unchanged
  };
  // Reads the file into `settings`; when it cannot be read, writes it from
  // `settings` instead. Reads at most the first 1 MiB, where every field
  // stands, so that an endless file (a link to a device) cannot fill memory.
  [[nodiscard]] LoadOutcome Load(AppSettings& settings) const;

  // Writes `settings` as the whole file, all or nothing; false when it cannot
  // be written (the old file then stays as it was).
  [[nodiscard]] bool Save(const AppSettings& settings) const;

 private:
  std::string path_;
};

// Start-up: Load, and when the file can neither be read nor written, the
// write error in the language `settings` holds then.
void LoadOrCreateSettings(Platform& platform, const SettingsStore& store, AppSettings& settings);

// The message shown when the settings file cannot be written, in the
// messages' reading of `language`.
[[nodiscard]] UiText SettingsWriteError(InterfaceLanguage language);

}  // namespace vortane
