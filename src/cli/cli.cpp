#include "cli/cli.h"

#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cli/cli_args.h"
#include "cli/cli_convert.h"
#include "cli/cli_help.h"
#include "cli/cli_routes.h"
#include "io/file_job.h"

namespace vortane {

namespace {

constexpr std::string_view kProgram = "vortane-cli";
constexpr std::string_view kStandardInput = "standard input";
constexpr std::string_view kStandardOutput = "standard output";
// Exit status of a run whose text could not be converted whole (--strict).
constexpr int kNotWhole = 3;

// Writes "vortane-cli: NAME: reason" and returns exit code 1.
int ReportFileError(ByteWriter& err, std::string_view name, std::string_view reason) {
  std::string line(kProgram);
  line.append(": ").append(name).append(": ").append(reason).append("\n");
  (void)err.Write(line);
  return 1;
}

int ReportFileError(ByteWriter& err, const FileJobFailure& failure) {
  return ReportFileError(err, failure.file, DescribeFailureCause(failure));
}

int ReportUsageError(ByteWriter& err, const ParsedCommandLine& parsed) {
  std::string text(kProgram);
  text.append(": ").append(parsed.error).append("\nTry '").append(kProgram);
  if (!parsed.topic.empty()) {
    text.append(" ").append(parsed.topic);
  }
  text.append(" --help' for more information.\n");
  (void)err.Write(text);
  return 2;
}

int PrintText(ByteWriter& out, ByteWriter& err, std::string_view text) {
  if (!out.Write(text)) {
    return ReportFileError(err, {FileJobStage::Write, std::string(kStandardOutput), out.error()});
  }
  return 0;
}

// Reads `reader` to its end into `bytes`; false when a read failed.
bool ReadAll(ByteReader& reader, std::string& bytes) {
  std::string block(kStreamBlockSize, '\0');
  for (;;) {
    const ReadResult r = reader.Read(std::span<char>(block.data(), block.size()));
    if (r.error) {
      return false;
    }
    if (r.count == 0) {
      return true;
    }
    bytes.append(block.data(), r.count);
  }
}

// A text route as a stream function: the whole input in memory, the whole
// result out. An input too large to hold ends it as a failed read and sets
// `tooLarge`.
FileJob::StreamFunction TextRouteAsStream(const RouteFunction& route,
                                          std::optional<std::uint64_t> inputSize, bool& tooLarge) {
  return [&route, inputSize, &tooLarge](ByteReader& reader, ByteWriter& writer) {
    std::string result;
    try {
      std::string input;
      // Growing by doubling would touch about twice the pages; a file's size
      // is known beforehand (a hint only: the file may still change).
      if (inputSize) {
        input.reserve(static_cast<std::size_t>(*inputSize));
      }
      if (!ReadAll(reader, input)) {
        return StreamStatus::ReadError;
      }
      result = route.text(input);
    } catch (const std::bad_alloc&) {
      tooLarge = true;
      return StreamStatus::ReadError;
    } catch (const std::length_error&) {
      tooLarge = true;
      return StreamStatus::ReadError;
    }
    return writer.Write(result) ? StreamStatus::Ok : StreamStatus::WriteError;
  };
}

int Execute(const CliCommand& command, ByteReader& in, ByteWriter& out, ByteWriter& err) {
  const RouteFunction route = SelectRoute(command);
  if (route.prepare) {
    if (const std::optional<RouteNote> refused = route.prepare()) {
      return ReportFileError(err, refused->file, refused->reason);
    }
  }
  FileJob job;
  if (command.input == "-") {
    job.UseInput(in, std::string(kStandardInput));
  } else if (!job.OpenInput(command.input)) {
    return ReportFileError(err, job.failure());
  }
  if (command.output == "-") {
    job.UseOutput(out, std::string(kStandardOutput));
  } else if (!job.OpenOutput(command.output)) {
    return ReportFileError(err, job.failure());
  }

  bool tooLarge = false;
  const bool done =
      job.Run(route.text ? TextRouteAsStream(route, job.InputSize(), tooLarge) : route.stream);
  const RouteOutcome outcome = route.outcome ? route.outcome() : RouteOutcome{};
  if (tooLarge || outcome.tooLarge) {
    return ReportFileError(err, job.failure().file, "too large to hold in memory");
  }
  if (route.counts) {
    const ConversionCounts counts = route.counts();
    (void)err.Write(
        DescribeCounts(command.input == "-" ? kStandardInput : command.input, command, counts));
    if (counts.stopped) {
      // The route ended the run as a failed read: the output file was not
      // committed. Standard output has had the result as it came.
      const bool toStdout = command.output == "-";
      ReportFileError(err, toStdout ? kStandardOutput : std::string_view(command.output),
                      toStdout ? "not converted whole (--strict)" : "left as it was (--strict)");
      return kNotWhole;
    }
  }
  int status = done || outcome.withheld ? 0 : ReportFileError(err, job.failure());
  if (route.outcome) {
    const std::string inputName =
        command.input == "-" ? std::string(kStandardInput) : command.input;
    for (const RouteNote& note : outcome.notes) {
      (void)ReportFileError(err, note.file.empty() ? inputName : note.file, note.reason);
    }
    if (status == 0) {
      status = outcome.exitCode;
    }
  }
  return status;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, ByteReader& in, ByteWriter& out, ByteWriter& err) {
  const ParsedCommandLine parsed = ParseCommandLine(args);
  switch (parsed.action) {
    case CliAction::Help:
      return PrintText(out, err, parsed.topic.empty() ? GeneralHelp() : CommandHelp(parsed.topic));
    case CliAction::Version:
      return PrintText(out, err, std::string(kProgram) + " (Mail Vortane) " VORTANE_VERSION "\n");
    case CliAction::UsageError:
      return ReportUsageError(err, parsed);
    case CliAction::Run:
      break;
  }
  if (parsed.command.route == CliRoute::Labels) {
    return PrintText(out, err, LabelsText());
  }
  return Execute(parsed.command, in, out, err);
}

}  // namespace vortane
