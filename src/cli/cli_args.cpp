#include "cli/cli_args.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "cli/cli_commands.h"

namespace vortane {

namespace {

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

// The options and operands of one command line, before their meaning is checked.
struct Words {
  std::vector<std::string> operands;
  std::vector<std::pair<std::string, std::string>> options;  // name, value
  bool help = false;
  std::string error;  // the first malformed option, if any
};

Words SplitWords(const CliCommandSyntax& syntax, const std::vector<std::string>& args) {
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
                                     [&](const CliOptionSyntax& o) { return o.name == name; });
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

std::string MethodList(const std::vector<CliMethod>& methods) {
  std::string list;
  for (const CliMethod& m : methods) {
    list += (list.empty() ? "" : "|") + std::string(m.word);
  }
  return list;
}

// Chooses the method: the leading operand of a command that has method words,
// the one route of a command that has none.
const CliMethod* TakeMethod(const CliCommandSyntax& syntax, std::vector<std::string>& operands,
                            std::string& error) {
  // A command without method words starts with its first route (its options
  // may choose another of its routes).
  if (!syntax.methods.empty() && syntax.methods.front().word.empty()) {
    return &syntax.methods.front();
  }
  if (operands.empty()) {
    error = Quoted(syntax.name) + " needs one of " + MethodList(syntax.methods);
    return nullptr;
  }
  const auto method = std::find_if(syntax.methods.begin(), syntax.methods.end(),
                                   [&](const CliMethod& m) { return m.word == operands.front(); });
  if (method == syntax.methods.end()) {
    error = "unknown " + Quoted(syntax.name) + " method " + Quoted(operands.front()) + " (one of " +
            MethodList(syntax.methods) + ")";
    return nullptr;
  }
  operands.erase(operands.begin());
  return &*method;
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
  const CliCommandSyntax* syntax = FindCliCommand(first);
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
  const CliMethod* method = TakeMethod(*syntax, operands, error);
  if (method == nullptr) {
    return fail(error);
  }
  command.route = method->route;
  // Options first: a command's operands may depend on them (auto --list).
  if (syntax->applyOptions != nullptr &&
      !syntax->applyOptions(CliOptions(std::move(words.options)), command, error)) {
    return fail(error);
  }
  if (syntax->takeOperands != nullptr && !syntax->takeOperands(operands, command, error)) {
    return fail(error);
  }
  if (operands.size() > 2) {
    return fail("too many arguments: " + Quoted(operands[2]));
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
