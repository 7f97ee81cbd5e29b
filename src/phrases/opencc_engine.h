// The one place that talks to OpenCC: a loaded configuration that converts
// UTF-8 text. OpenCC reports failures by exceptions; they stop here.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vortane {

class OpenccEngine;

// The outcome of loading a configuration: the engine, or OpenCC's message.
struct OpenccLoad {
  std::unique_ptr<const OpenccEngine> engine;
  std::string error;
};

class OpenccEngine {
  struct Impl;
  struct Key {
    explicit Key() = default;
  };

 public:
  // Loads the OpenCC configuration file at `configPath` (a .json file; the
  // dictionaries it names are looked up beside it, then in OpenCC's own data
  // folder).
  [[nodiscard]] static OpenccLoad Load(const std::string& configPath);

  ~OpenccEngine();
  OpenccEngine(const OpenccEngine&) = delete;
  OpenccEngine& operator=(const OpenccEngine&) = delete;

  // Appends the conversion of `utf8` to `out`. The text must be well-formed
  // UTF-8 without 0 bytes (OpenCC reads it as a C string). False, with `out`
  // as it was, when OpenCC failed.
  [[nodiscard]] bool Convert(std::string_view utf8, std::string& out) const;

  OpenccEngine(Key, std::unique_ptr<Impl> impl);

 private:
  std::unique_ptr<Impl> impl_;
};

// The folder of OpenCC's configurations and dictionaries on this system.
[[nodiscard]] std::string DefaultOpenccDataDir();

}  // namespace vortane
