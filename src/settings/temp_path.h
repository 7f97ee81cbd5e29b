// Joining file names to the temporary directory setting.
#pragma once

#include <string>
#include <string_view>

namespace vortane {

// `tempDirectory` ending in "/" (an empty setting stays empty: the working
// directory).
[[nodiscard]] std::string WithTrailingSeparator(std::string_view tempDirectory);

// The path of the file `name` in `tempDirectory`; a directory without its
// trailing "/" gets one.
[[nodiscard]] std::string TempFilePath(std::string_view tempDirectory, std::string_view name);

}  // namespace vortane
