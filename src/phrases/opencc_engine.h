// The one place that talks to OpenCC. OpenCC reads a configuration and its
// dictionaries; LoadOpenccTables takes them over into PhraseTables, which
// convert the same way much faster. OpenccEngine is OpenCC's own converter,
// kept as the reference the tables are checked against. OpenCC reports
// failures by exceptions; they stop here.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "phrases/phrase_tables.h"

namespace vortane {

// The outcome of loading a configuration's dictionaries: the tables, or
// OpenCC's message (`error` not empty).
struct OpenccTables {
  PhraseTables tables;
  std::string error;
};

// Loads the OpenCC configuration file at `configPath` (a .json file; the
// dictionaries it names are looked up beside it, then in OpenCC's own data
// folder) and compiles its segmentation and conversion chain. Only OpenCC's
// longest-match segmentation is known; another is reported as an error.
[[nodiscard]] OpenccTables LoadOpenccTables(const std::string& configPath);

class OpenccEngine;

// The outcome of loading OpenCC's own converter.
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
  // Loads the OpenCC configuration file at `configPath`.
  [[nodiscard]] static OpenccLoad Load(const std::string& configPath);

  ~OpenccEngine();
  OpenccEngine(const OpenccEngine&) = delete;
  OpenccEngine& operator=(const OpenccEngine&) = delete;

  // Appends OpenCC's conversion of `utf8` to `out`. The text must be
  // well-formed UTF-8 without 0 bytes (OpenCC reads it as a C string). False,
  // with `out` as it was, when OpenCC failed.
  [[nodiscard]] bool Convert(std::string_view utf8, std::string& out) const;

  OpenccEngine(Key, std::unique_ptr<Impl> impl);

 private:
  std::unique_ptr<Impl> impl_;
};

// The folder of OpenCC's configurations and dictionaries on this system.
[[nodiscard]] std::string DefaultOpenccDataDir();

}  // namespace vortane
