// The desktop program's own state, kept beside the window state and apart
// from the settings file: small values by key, and the settings folder that
// holds the user's files (the phrase list).
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vortane {

class DesktopState {
 public:
  virtual ~DesktopState() = default;

  // The value kept under `key` ("group/name"); nullopt when none is kept.
  [[nodiscard]] virtual std::optional<std::string> Value(std::string_view key) const = 0;
  // Keeps `value` under `key`, replacing what was there (stored at once or
  // when the program ends; a value that cannot be stored is lost quietly).
  virtual void SetValue(std::string_view key, std::string_view value) = 0;
  // The settings folder without a trailing "/"; empty when there is none.
  [[nodiscard]] virtual std::string SettingsFolder() const = 0;
};

// A state that lives as long as the object: for a window started without a
// stored state, and for tests.
class MemoryDesktopState final : public DesktopState {
 public:
  explicit MemoryDesktopState(std::string settingsFolder = std::string())
      : folder_(std::move(settingsFolder)) {}

  [[nodiscard]] std::optional<std::string> Value(std::string_view key) const override {
    const auto found = values_.find(std::string(key));
    if (found == values_.end()) {
      return std::nullopt;
    }
    return found->second;
  }
  void SetValue(std::string_view key, std::string_view value) override {
    values_[std::string(key)] = std::string(value);
  }
  [[nodiscard]] std::string SettingsFolder() const override { return folder_; }

 private:
  std::string folder_;
  std::map<std::string, std::string, std::less<>> values_;
};

}  // namespace vortane
