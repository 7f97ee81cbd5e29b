// vortane-cli auto: the best reading of garbled text, or the ranked readings.
#include <memory>
#include <new>
#include <stdexcept>

#include "cli/auto_command.h"
#include "cli/cli_command_syntax.h"

namespace vortane {

namespace {

constexpr std::string_view kStandardOutput = "standard output";

// The whole input in memory, then the best reading or the list. Without a
// reading the run ends as a failed read that the outcome withholds, so that
// no output file is committed and OUTPUT stays as it was.
RouteFunction Auto(const CliCommand& c) {
  auto outcome = std::make_shared<RouteOutcome>();
  RouteFunction route;
  route.stream = [settings = c.automatic,
                  outputName = c.output == "-" ? std::string(kStandardOutput) : c.output,
                  outcome](ByteReader& in, ByteWriter& out) {
    AutoRun run;
    try {
      std::string input;
      std::string block(kStreamBlockSize, '\0');
      for (;;) {
        const ReadResult r = in.Read(std::span<char>(block.data(), block.size()));
        if (r.error) {
          return StreamStatus::ReadError;
        }
        if (r.count == 0) {
          break;
        }
        input.append(block.data(), r.count);
      }
      run = RunAuto(input, settings, outputName);
    } catch (const std::bad_alloc&) {
      outcome->tooLarge = true;
      return StreamStatus::ReadError;
    } catch (const std::length_error&) {
      outcome->tooLarge = true;
      return StreamStatus::ReadError;
    }
    outcome->notes = std::move(run.notes);
    outcome->exitCode = run.exitCode;
    if (!run.writeOutput) {
      outcome->withheld = true;
      return StreamStatus::ReadError;
    }
    return out.Write(run.output) ? StreamStatus::Ok : StreamStatus::WriteError;
  };
  route.outcome = [outcome] { return *outcome; };
  return route;
}

bool ApplyOptions(const CliOptions& options, CliCommand& command, std::string& error) {
  return ApplyAutoOptions(options.Value("--to"), options.Has("--list"), options.Has("--json"),
                          command.automatic, error);
}

// --list prints to standard output: it takes INPUT only.
bool TakeOperands(std::vector<std::string>& operands, CliCommand& command, std::string& error) {
  if (command.automatic.list && operands.size() > 1) {
    error = "'auto --list' takes INPUT only, not " + Quoted(operands[1]);
    return false;
  }
  return true;
}

constexpr std::string_view kHelp =
    R"(Usage: vortane-cli auto [--to CODE] [INPUT [OUTPUT]]
       vortane-cli auto --list [--json] [INPUT]

Finds the readings that make garbled text read as Chinese: chains of up to
three steps (Base64, Quoted-Printable, HZ, UTF-7, setting the eighth bit
again, undoing a display as Latin-1, CP1252, GBK or Big5) and a final code
(UTF-8, GB18030 or Big5-HKSCS), ranked by how well the text reads. Writes
the best reading and names its chain on standard error ("vortane-cli: INPUT:
Base64, then GB18030"). Text that already reads well is left as it is.

Options:
  --to CODE   write the reading in CODE: utf8 or utf-8 (the default), gb or
              big5 (the converter's tables), or any label of 'vortane-cli
              labels'; simplified and traditional characters are kept, and a
              character CODE cannot hold becomes '?' (said on standard error)
  --list      print the readings best first, one a line: score, chain, the
              start of the text
  --json      with --list: a JSON array of objects with "steps" (the step
              names, the final code last), "score" and "text" (UTF-8)

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 a reading was found, 1 an I/O error, 2 a usage error, 3 no
Chinese reading found (OUTPUT is then left as it was).
)";

}  // namespace

const CliCommandSyntax& AutoCommand() {
  static const CliCommandSyntax kSyntax{
      .name = "auto",
      .options = {{"--to", true}, {"--list", false}, {"--json", false}},
      .methods = {{"", CliRoute::Auto, &Auto}},
      .takeOperands = &TakeOperands,
      .applyOptions = &ApplyOptions,
      .summary =
          "  auto [--to CODE]          repair garbled Chinese text automatically: the\n"
          "                            best reading (UTF-8 by default), its chain of\n"
          "                            decodings on standard error\n"
          "  auto --list [--json] [INPUT]\n"
          "                            the readings found, best first\n",
      .optionsSummary =
          "  --to CODE                 auto: write the reading in CODE: utf8 (default),\n"
          "                            gb, big5 or a label 'vortane-cli labels' lists\n"
          "  --list, --json            auto: list the readings, as JSON with --json\n",
      .help = kHelp,
  };
  return kSyntax;
}

}  // namespace vortane
