#include "cli/cli_args.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <string_view>

namespace vortane {

namespace {

struct OptionSyntax {
  std::string_view name;
  bool takesValue;
};

struct MethodRoute {
  std::string_view method;
  CliRoute route;
};

struct CommandSyntax {
  std::string_view name;
  std::vector<OptionSyntax> options;
  // The routes chosen by the leading method operand; empty when the command
  // has the one route `route`.
  std::vector<MethodRoute> methods;
  CliRoute route = CliRoute::DecodeBase64;
};

const std::vector<CommandSyntax>& Commands() {
  static const std::vector<CommandSyntax> kCommands = {
      {"decode",
       {},
       {{"base64", CliRoute::DecodeBase64},
        {"qp", CliRoute::DecodeQuotedPrintable},
        {"hz", CliRoute::DecodeHz},
        {"utf7", CliRoute::DecodeUtf7},
        {"utf8", CliRoute::DecodeUtf8}}},
      {"text",
       {{"--no-double-bytes", false}, {"--to", true}},
       {{"base64", CliRoute::TextBase64},
        {"qp", CliRoute::TextQuotedPrintable},
        {"hz", CliRoute::TextHz},
        {"utf8", CliRoute::TextUtf8},
        {"utf7", CliRoute::TextUtf7},
        {"gb2big5", CliRoute::TextGbToBig5},
        {"big52gb", CliRoute::TextBig5ToGb}}},
      {"wrap", {{"--width", true}, {"--no-double-bytes", false}}, {}, CliRoute::Wrap},
      {"mark", {{"--mark", true}}, {{"add", CliRoute::MarkAdd}, {"remove", CliRoute::MarkRemove}}},
      {"restore-high-bits", {}, {}, CliRoute::RestoreHighBits},
      {"convert", {{"--from", true}, {"--to", true}, {"--blanks", true}}, {}, CliRoute::Convert},
      {"auto", {{"--to", true}, {"--list", false}, {"--json", false}}, {}, CliRoute::Auto},
  };
  return kCommands;
}

const CommandSyntax* FindCommand(std::string_view name) {
  const auto& commands = Commands();
  const auto it = std::find_if(commands.begin(), commands.end(),
                               [&](const CommandSyntax& c) { return c.name == name; });
  return it == commands.end() ? nullptr : &*it;
}

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

// A whole decimal number; values past the type's range saturate.
template <class Int>
std::optional<Int> ParseNumber(std::string_view text) {
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

std::optional<TextCode> ParseCode(std::string_view text, bool unicodeAllowed) {
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

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// The options and operands of one command line, before their meaning is checked.
struct Words {
  std::vector<std::string> operands;
  std::vector<std::pair<std::string, std::string>> options;  // name, value
  bool help = false;
  std::string error;  // the first malformed option, if any
};

Words SplitWords(const CommandSyntax& syntax, const std::vector<std::string>& args) {
  Words words;
  bool optionsEnded = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg == "-" || arg.empty() || arg.front() != '-') {
      words.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (IsHelp(arg)) {
      words.help = true;
      continue;
    }
    if (!words.error.empty()) {
      continue;
    }
    const auto equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const auto option = std::find_if(syntax.options.begin(), syntax.options.end(),
                                     [&](const OptionSyntax& o) { return o.name == name; });
    if (option == syntax.options.end()) {
      words.error = "unknown option " + Quoted(name) + " for " + Quoted(syntax.name);
      continue;
    }
    if (!option->takesValue) {
      if (equals != std::string::npos) {
        words.error = "option " + name + " takes no value";
      }
      words.options.emplace_back(name, "");
    } else if (equals != std::string::npos) {
      words.options.emplace_back(name, arg.substr(equals + 1));
    } else if (i + 1 < args.size()) {
      words.options.emplace_back(name, args[++i]);
    } else {
      words.error = "option " + name + " needs a value";
    }
  }
  return words;
}

// The last value given for `name`, if any.
std::optional<std::string> OptionValue(const Words& words, std::string_view name) {
  std::optional<std::string> value;
  for (const auto& [n, v] : words.options) {
    if (n == name) {
      value = v;
    }
  }
  return value;
}

bool HasOption(const Words& words, std::string_view name) {
  return OptionValue(words, name).has_value();
}

std::string MethodList(const std::vector<MethodRoute>& methods) {
  std::string list;
  for (const MethodRoute& m : methods) {
    list += (list.empty() ? "" : "|") + std::string(m.method);
  }
  return list;
}

// Takes the leading method operand of a command that has methods.
bool TakeMethod(const CommandSyntax& syntax, std::vector<std::string>& operands, CliCommand& out,
                std::string& error) {
  if (operands.empty()) {
    error = Quoted(syntax.name) + " needs one of " + MethodList(syntax.methods);
    return false;
  }
  const auto method =
      std::find_if(syntax.methods.begin(), syntax.methods.end(),
                   [&](const MethodRoute& m) { return m.method == operands.front(); });
  if (method == syntax.methods.end()) {
    error = "unknown " + Quoted(syntax.name) + " method " + Quoted(operands.front()) + " (one of " +
            MethodList(syntax.methods) + ")";
    return false;
  }
  out.route = method->route;
  operands.erase(operands.begin());
  return true;
}

// Checks the options of `words` against the route chosen and fills `out`.
bool ApplyOptions(std::string_view command, const Words& words, CliCommand& out,
                  std::string& error) {
  const bool qpLike = out.route == CliRoute::TextBase64 ||
                      out.route == CliRoute::TextQuotedPrintable || out.route == CliRoute::TextHz;
  const bool utfText = out.route == CliRoute::TextUtf8 || out.route == CliRoute::TextUtf7;
  if (command == "text") {
    if (HasOption(words, "--no-double-bytes") && !qpLike) {
      error = "--no-double-bytes applies to 'text base64|qp|hz' only";
      return false;
    }
    const auto to = OptionValue(words, "--to");
    if (utfText && !to) {
      error = "'text utf8' and 'text utf7' need --to gb|big5";
      return false;
    }
    if (!utfText && to) {
      error = "--to applies to 'text utf8' and 'text utf7' only";
      return false;
    }
    if (to) {
      const auto code = ParseCode(*to, false);
      if (!code) {
        error = "--to takes gb or big5, not " + Quoted(*to);
        return false;
      }
      out.resultCode = *code;
    }
  }
  if (HasOption(words, "--no-double-bytes")) {
    out.recogniseDoubleBytes = false;
  }
  if (const auto width = OptionValue(words, "--width")) {
    const auto n = ParseNumber<int>(*width);
    if (!n || *n < 1) {
      error = "--width takes a whole number of 1 or more, not " + Quoted(*width);
      return false;
    }
    out.width = *n;
  }
  if (const auto mark = OptionValue(words, "--mark")) {
    if (mark->size() > 1) {
      error = "--mark takes a single byte, not " + Quoted(*mark);
      return false;
    }
    out.mark = *mark;
  }
  if (command == "auto") {
    return ApplyAutoOptions(OptionValue(words, "--to"), HasOption(words, "--list"),
                            HasOption(words, "--json"), out.automatic, error);
  }
  if (command == "convert") {
    const auto from = OptionValue(words, "--from");
    const auto to = OptionValue(words, "--to");
    if (!from || !to) {
      error = "'convert' needs --from gb|big5|unicode and --to gb|big5";
      return false;
    }
    const auto source = ParseCode(*from, true);
    if (!source) {
      error = "--from takes gb, big5 or unicode, not " + Quoted(*from);
      return false;
    }
    const auto result = ParseCode(*to, false);
    if (!result) {
      error = "--to takes gb or big5, not " + Quoted(*to);
      return false;
    }
    out.sourceCode = *source;
    out.resultCode = *result;
    if (const auto blanks = OptionValue(words, "--blanks")) {
      if (*blanks == "add") {
        out.blankMode = BlankMode::AddBlank;
      } else if (*blanks == "remove") {
        out.blankMode = BlankMode::RemoveBlank;
      } else if (*blanks == "keep") {
        out.blankMode = BlankMode::KeepStill;
      } else {
        error = "--blanks takes add, remove or keep, not " + Quoted(*blanks);
        return false;
      }
    }
  }
  return true;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  auto fail = [&](std::string message) {
    parsed.action = CliAction::UsageError;
    parsed.error = std::move(message);
    return parsed;
  };
  if (args.empty()) {
    return fail("missing command");
  }
  const std::string& first = args.front();
  if (IsHelp(first)) {
    parsed.action = CliAction::Help;
    return parsed;
  }
  if (first == "--version") {
    parsed.action = CliAction::Version;
    return parsed;
  }
  const CommandSyntax* syntax = FindCommand(first);
  if (syntax == nullptr) {
    return fail(!first.empty() && first.front() == '-' ? "unknown option " + Quoted(first)
                                                       : "unknown command " + Quoted(first));
  }

  parsed.topic = syntax->name;
  Words words = SplitWords(*syntax, args);
  if (words.help) {
    parsed.action = CliAction::Help;
    return parsed;
  }
  if (!words.error.empty()) {
    return fail(words.error);
  }

  CliCommand& command = parsed.command;
  std::vector<std::string>& operands = words.operands;
  std::string error;
  if (syntax->methods.empty()) {
    command.route = syntax->route;
  } else if (!TakeMethod(*syntax, operands, command, error)) {
    return fail(error);
  }
  if (command.route == CliRoute::RestoreHighBits) {
    if (operands.size() < 2) {
      return fail("'restore-high-bits' needs START and END");
    }
    const auto start = ParseNumber<std::uint64_t>(operands[0]);
    const auto end = ParseNumber<std::uint64_t>(operands[1]);
    if (!start || !end) {
      return fail("START and END take whole numbers of 0 or more, not " +
                  Quoted(start ? operands[1] : operands[0]));
    }
    command.start = *start;
    command.end = *end;
    operands.erase(operands.begin(), operands.begin() + 2);
  }
  if (!ApplyOptions(syntax->name, words, command, error)) {
    return fail(error);
  }
  if (operands.size() > 2) {
    return fail("too many arguments: " + Quoted(operands[2]));
  }
  if (command.route == CliRoute::Auto && command.automatic.list && operands.size() > 1) {
    return fail("'auto --list' takes INPUT only, not " + Quoted(operands[1]));
  }
  if (!operands.empty()) {
    command.input = operands[0];
  }
  if (operands.size() > 1) {
    command.output = operands[1];
  }
  parsed.action = CliAction::Run;
  return parsed;
}

}  // namespace vortane
