#include "cli/cli_command_syntax.h"

namespace vortane {

std::optional<std::string> CliOptions::Value(std::string_view name) const {
  std::optional<std::string> value;
  for (const auto& [n, v] : given_) {
    if (n == name) {
      value = v;
    }
  }
  return value;
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

std::optional<TextCode> ParseCodeName(std::string_view text, bool unicodeAllowed) {
  if (text == "gb") {
    return TextCode::Gb;
  }
  if (text == "big5") {
    return TextCode::Big5;
  }
  if (text == "unicode" && unicodeAllowed) {
    return TextCode::Unicode;
  }
  return std::nullopt;
}

}  // namespace vortane
