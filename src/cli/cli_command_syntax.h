// What one vortane-cli command is: its name, its options, its methods (each
// a route with the library function behind it), how it checks its options
// and extra operands, and its help. Each command's syntax lives in a file of
// its own (command_*.cpp) and is listed once in cli_commands.cpp.
#pragma once

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cjk/text_code.h"
#include "cli/cli_args.h"
#include "cli/cli_routes.h"

namespace vortane {

// An option a command accepts: "--width" takes a value, "--no-double-bytes" not.
struct CliOptionSyntax {
  std::string_view name;
  bool takesValue;
};

// The options given on one command line, in order (name, value; the value is
// empty for an option without one).
class CliOptions {
 public:
  explicit CliOptions(std::vector<std::pair<std::string, std::string>> given)
      : given_(std::move(given)) {}
  // The last value given for `name`, if any.
  [[nodiscard]] std::optional<std::string> Value(std::string_view name) const;
  [[nodiscard]] bool Has(std::string_view name) const { return Value(name).has_value(); }

 private:
  std::vector<std::pair<std::string, std::string>> given_;
};

// One method of a command ("decode base64"): the word that chooses it, the
// route it stands for, and the library function that runs the route with the
// command's settings. A command without method words has one method whose
// word is empty.
struct CliMethod {
  std::string_view word;
  CliRoute route;
  RouteFunction (*bind)(const CliCommand& command);
};

struct CliCommandSyntax {
  std::string_view name;
  std::vector<CliOptionSyntax> options;
  std::vector<CliMethod> methods;
  // Takes the operands the command needs before INPUT and OUTPUT off the
  // front of `operands` into `command`; false with `error`. nullptr: none.
  bool (*takeOperands)(std::vector<std::string>& operands, CliCommand& command,
                       std::string& error) = nullptr;
  // Checks the options against the route already chosen and stores them in
  // `command`; false with `error`. nullptr: the command has no options.
  bool (*applyOptions)(const CliOptions& options, CliCommand& command,
                       std::string& error) = nullptr;
  // Its lines in the general help: under "Commands:" and under "Options:"
  // (each line indented by two blanks, ending in a line feed).
  std::string_view summary;
  std::string_view optionsSummary;
  // Its own help, beginning "Usage: vortane-cli NAME".
  std::string_view help;
};

// A text between apostrophes, for messages.
[[nodiscard]] std::string Quoted(std::string_view text);

// "gb", "big5" and, when `unicodeAllowed`, "unicode"; nullopt otherwise.
[[nodiscard]] std::optional<TextCode> ParseCodeName(std::string_view text, bool unicodeAllowed);

// A whole decimal number of digits only; values past the type's range
// saturate. nullopt for anything else (signs, blanks, an empty text).
template <class Int>
[[nodiscard]] std::optional<Int> ParseNumber(std::string_view text) {
  if (text.empty() ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  Int value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) {
    return std::numeric_limits<Int>::max();
  }
  if (ec != std::errc() || ptr != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

}  // namespace vortane
