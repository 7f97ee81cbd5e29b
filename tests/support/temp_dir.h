// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vortane::testing {

class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  // The directory, without a trailing "/".
  [[nodiscard]] const std::string& path() const { return path_; }
  // The path of `name` inside the directory.
  [[nodiscard]] std::string File(std::string_view name) const;
  // Writes `bytes` to `name` inside the directory (test setup; fails the test on error).
  void Write(std::string_view name, std::string_view bytes) const;
  // The bytes of any file, or nullopt when it cannot be read.
  [[nodiscard]] static std::optional<std::string> Read(const std::string& path);
  // Whether `path` exists.
  [[nodiscard]] static bool Exists(const std::string& path);

 private:
  std::string path_;
};

}  // namespace vortane::testing
