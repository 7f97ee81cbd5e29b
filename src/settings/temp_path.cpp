#include "settings/temp_path.h"

namespace vortane {

std::string WithTrailingSeparator(std::string_view tempDirectory) {
  std::string dir(tempDirectory);
  if (!dir.empty() && dir.back() != '/') {
    dir.push_back('/');
  }
  return dir;
}

std::string TempFilePath(std::string_view tempDirectory, std::string_view name) {
  return WithTrailingSeparator(tempDirectory) + std::string(name);
}

}  // namespace vortane
