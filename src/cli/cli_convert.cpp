#include "cli/cli_convert.h"

#include <algorithm>

#include "charsets/label_map.h"
#include "cli/cli_command_syntax.h"

namespace vortane {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x >= 'A' && x <= 'Z' ? static_cast<char>(x + 32) : x) == y;
         });
}

// gb, big5, unicode, or the code of a charset label.
std::optional<ConvertCode> ParseConvertCode(std::string_view text) {
  for (const auto& [name, code] : {std::pair{"gb", TextCode::Gb}, std::pair{"big5", TextCode::Big5},
                                   std::pair{"unicode", TextCode::Unicode}}) {
    if (SameIgnoringCase(text, name)) {
      return code;
    }
  }
  if (const auto charset = CharsetForLabel(text)) {
    return *charset;
  }
  return std::nullopt;
}

std::string Counted(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

bool ApplyConvertCodes(std::string_view from, std::string_view to,
                       const std::optional<std::string>& blanks, CliCommand& command,
                       std::string& error) {
  const auto source = ParseConvertCode(from);
  if (!source) {
    error =
        "--from takes gb, big5, unicode or a label (see 'vortane-cli labels'), not " + Quoted(from);
    return false;
  }
  const auto result = ParseConvertCode(to);
  if (!result || *result == ConvertCode(TextCode::Unicode)) {
    error = "--to takes gb, big5 or a label (see 'vortane-cli labels'), not " + Quoted(to);
    return false;
  }
  command.convertFrom = *source;
  command.convertTo = *result;
  const bool converter =
      std::holds_alternative<TextCode>(*source) && std::holds_alternative<TextCode>(*result);
  command.route = converter ? CliRoute::Convert : CliRoute::Recode;
  if (converter) {
    command.sourceCode = std::get<TextCode>(*source);
    command.resultCode = std::get<TextCode>(*result);
  }
  if (!blanks) {
    return true;
  }
  if (!converter) {
    error = "--blanks applies between gb, big5 and unicode only";
    return false;
  }
  if (*blanks == "add") {
    command.blankMode = BlankMode::AddBlank;
  } else if (*blanks == "remove") {
    command.blankMode = BlankMode::RemoveBlank;
  } else if (*blanks == "keep") {
    command.blankMode = BlankMode::KeepStill;
  } else {
    error = "--blanks takes add, remove or keep, not " + Quoted(*blanks);
    return false;
  }
  return true;
}

std::string DescribeCounts(std::string_view inputName, const CliCommand& command,
                           const ConversionCounts& counts) {
  std::string text;
  const std::string prefix = "vortane-cli: " + std::string(inputName) + ": ";
  if (counts.unreadable > 0) {
    text += prefix + Counted(counts.unreadable, "byte sequence", "byte sequences") +
            " could not be read as " + std::string(ConvertCodeName(command.convertFrom)) + "\n";
  }
  if (counts.unwritable > 0) {
    text += prefix + Counted(counts.unwritable, "character", "characters") +
            " could not be written as " + std::string(ConvertCodeName(command.convertTo)) + "\n";
  }
  return text;
}

std::string LabelsText() {
  std::string text;
  for (const CharsetLabel& label : CharsetLabels()) {
    text.append(label.label).append("\t").append(CharsetName(label.charset)).append("\n");
  }
  return text;
}

}  // namespace vortane
