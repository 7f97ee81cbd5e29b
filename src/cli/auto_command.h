// vortane-cli auto: the best reading of garbled text, or the ranked readings.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_routes.h"
#include "detect/readings.h"

namespace vortane {

// What auto writes a reading in: UTF-8 (the default), the converter's own GB
// or Big5 tables, or a code of the charsets library.
struct AutoTarget {
  enum class Kind { Utf8, ConverterGb, ConverterBig5, Charset };
  Kind kind = Kind::Utf8;
  Charset charset = Charset::Utf8;  // for Kind::Charset
  std::string name = "utf-8";       // as the user gave it, for messages
};

// The target a --to value names: "utf8" or any UTF-8 label, "gb" and "big5"
// (the converter's tables, any case), or any label of the charsets; nothing
// for an unknown name.
[[nodiscard]] std::optional<AutoTarget> AutoTargetFor(std::string_view label);

// A reading written in a target: the bytes, and how many characters the
// target cannot hold (each written as "?"). Simplified and traditional
// characters stay as they are.
struct AutoOutput {
  std::string bytes;
  std::size_t unwritable = 0;
};
[[nodiscard]] AutoOutput WriteReading(const Reading& reading, const AutoTarget& target);

// The readings as a JSON array of objects with the keys "steps" (the step
// names, the final code last), "score" (nats, two decimals) and "text".
[[nodiscard]] std::string ReadingsJson(const std::vector<Reading>& readings);

// The readings one a line for people: score, chain, and the start of the
// text on one line.
[[nodiscard]] std::string ReadingsList(const std::vector<Reading>& readings);

// The exit status when no reading is found.
inline constexpr int kNoReadingExit = 3;

// The settings of one auto run.
struct AutoSettings {
  AutoTarget target;  // --to
  bool list = false;  // --list: the ranked readings instead of the best one
  bool json = false;  // --json: the list as JSON
};

// The settings from the values of --to, --list and --json; false with a
// one-line `error` for an unknown --to, --json without --list, or --to with
// --list.
[[nodiscard]] bool ApplyAutoOptions(const std::optional<std::string>& to, bool list, bool json,
                                    AutoSettings& settings, std::string& error);

// What an auto run does with its input. With a reading: `output` is the best
// reading in the target (or the list), `notes` the chain in words (about the
// input) and a line about characters the target cannot hold (about
// `outputName`); exit 0. Without one: a note says "no Chinese reading found",
// `writeOutput` is false (OUTPUT stays as it was; a list still prints its
// empty form), exit kNoReadingExit.
struct AutoRun {
  int exitCode = 0;
  bool writeOutput = true;
  std::string output;
  std::vector<RouteNote> notes;
};
[[nodiscard]] AutoRun RunAuto(std::string_view input, const AutoSettings& settings,
                              std::string_view outputName);

}  // namespace vortane
