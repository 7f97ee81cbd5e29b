#include "settings/settings_location.h"

#include <sys/stat.h>

#include <cerrno>
#include <string_view>

#include "io/file_stream.h"

namespace vortane {

namespace {

std::string Join(std::string folder, std::string_view name) {
  if (!folder.empty() && folder.back() != '/') {
    folder.push_back('/');
  }
  folder.append(name);
  return folder;
}

// mkdir -p: every missing folder along `path`; errno on failure.
int MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (!prefix.empty() && ::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
      return errno;
    }
    if (slash == std::string::npos) {
      break;
    }
  }
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    return errno;
  }
  return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

}  // namespace

std::string SettingsFolder(const std::optional<std::string>& chosen, const char* xdgConfigHome,
                           const char* home) {
  if (chosen) {
    return *chosen;
  }
  if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
    return Join(xdgConfigHome, "vortane");
  }
  if (home != nullptr && home[0] != '\0') {
    return Join(Join(home, ".config"), "vortane");
  }
  return ".";
}

SettingsFolderOutcome PrepareSettingsFolder(const std::string& folder,
                                            const std::optional<std::string>& oldFolder) {
  SettingsFolderOutcome outcome;
  outcome.error = MakeFolders(folder);
  if (outcome.error != 0) {
    return outcome;
  }
  outcome.ready = true;
  const std::string file = Join(folder, kSettingsFileName);
  struct stat st {};
  if (!oldFolder || ::stat(file.c_str(), &st) == 0 || errno != ENOENT) {
    return outcome;
  }
  int error = 0;
  const std::string old = Join(*oldFolder, kSettingsFileName);
  if (IsSameFile(old, file)) {
    return outcome;
  }
  if (const auto bytes = ReadFileBytes(old, error, 1024 * 1024)) {
    outcome.migrated = WriteFileAtomically(file, *bytes, error);
  }
  return outcome;
}

}  // namespace vortane
