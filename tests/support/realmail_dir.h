// The real-mail corpus beside the checkout, for the tests that read it (they
// skip when it is absent). It is never part of the project.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace vortane::testing {

// $VORTANE_REALMAIL, else the first folder of VORTANE_REALMAIL_DIRS (a
// compile definition, ':'-separated) that holds a manifest.tsv; nullopt when
// none does.
inline std::optional<std::filesystem::path> RealMailDirectory() {
  namespace fs = std::filesystem;
  if (const char* env = std::getenv("VORTANE_REALMAIL")) {
    return fs::exists(fs::path(env) / "manifest.tsv") ? std::optional(fs::path(env)) : std::nullopt;
  }
#ifdef VORTANE_REALMAIL_DIRS
  std::istringstream dirs(VORTANE_REALMAIL_DIRS);
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (fs::exists(fs::path(dir) / "manifest.tsv")) {
      return fs::path(dir);
    }
  }
#endif
  return std::nullopt;
}

// The bytes of a corpus file ("" when it cannot be read).
inline std::string ReadCorpusFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace vortane::testing
