#include "settings/settings_store.h"

#include <cstdint>

#include "io/file_stream.h"
#include "settings/settings_file.h"
#include "texts/settings_texts.h"

namespace vortane {

namespace {

constexpr std::uint64_t kSettingsFileReadLimit = 1024 * 1024;

}  // namespace

SettingsStore::LoadOutcome SettingsStore::Load(AppSettings& settings) const {
  int error = 0;
  if (const auto bytes = ReadFileBytes(path_, error, kSettingsFileReadLimit)) {
    (void)ParseSettingsFile(*bytes, settings);
    return LoadOutcome::Read;
  }
  return Save(settings) ? LoadOutcome::Created : LoadOutcome::CannotWrite;
}

bool SettingsStore::Save(const AppSettings& settings) const {
  int error = 0;
  return WriteFileAtomically(path_, FormatSettingsFile(settings), error);
}

void LoadOrCreateSettings(Platform& platform, const SettingsStore& store, AppSettings& settings) {
  if (store.Load(settings) == SettingsStore::LoadOutcome::CannotWrite) {
    platform.ShowMessage(SettingsWriteError(settings.interfaceLanguage));
  }
}

UiText SettingsWriteError(InterfaceLanguage language) {
  return Choose(texts::kSettingsWriteError, language.ForMessages());
}

}  // namespace vortane
