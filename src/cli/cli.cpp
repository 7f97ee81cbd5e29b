#include "cli/cli.h"

#include <filesystem>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cli/cli_args.h"
#include "cli/cli_help.h"
#include "cli/cli_routes.h"
#include "io/file_stream.h"

namespace vortane {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kProgram = "vortane-cli";
constexpr std::string_view kStandardInput = "standard input";
constexpr std::string_view kStandardOutput = "standard output";

// errno of the last failure of a file reader or writer; 0 for other streams.
int ErrorOf(const ByteReader& reader) {
  const auto* file = dynamic_cast<const FileReader*>(&reader);
  return file != nullptr ? file->error() : 0;
}

int ErrorOf(const ByteWriter& writer) {
  if (const auto* file = dynamic_cast<const OutputFile*>(&writer)) {
    return file->error();
  }
  const auto* file = dynamic_cast<const FileWriter*>(&writer);
  return file != nullptr ? file->error() : 0;
}

// Writes "vortane-cli: NAME: reason" and returns exit code 1.
int ReportFileError(ByteWriter& err, std::string_view name, std::string_view reason) {
  std::string line(kProgram);
  line.append(": ").append(name).append(": ").append(reason).append("\n");
  (void)err.Write(line);
  return 1;
}

int ReportFileError(ByteWriter& err, std::string_view name, int error, std::string_view fallback) {
  return ReportFileError(err, name, error != 0 ? DescribeError(error) : std::string(fallback));
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
    return ReportFileError(err, kStandardOutput, ErrorOf(out), "write failed");
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

// A text route: the whole input in memory, the whole result out. `inputPath`
// is empty for standard input.
int RunTextRoute(const RouteFunction& route, const std::string& inputPath, ByteReader& reader,
                 ByteWriter& writer, std::string_view inputName, std::string_view outputName,
                 ByteWriter& err) {
  std::string result;
  try {
    std::string input;
    if (!inputPath.empty()) {
      // Growing by doubling would touch about twice the pages; a file's size
      // is known beforehand (a hint only: the file may still change).
      std::error_code ignored;
      const auto size = fs::file_size(inputPath, ignored);
      if (!ignored) {
        input.reserve(static_cast<std::size_t>(size));
      }
    }
    if (!ReadAll(reader, input)) {
      return ReportFileError(err, inputName, ErrorOf(reader), "read failed");
    }
    result = route.text(input);
  } catch (const std::bad_alloc&) {
    return ReportFileError(err, inputName, "too large to hold in memory");
  } catch (const std::length_error&) {
    return ReportFileError(err, inputName, "too large to hold in memory");
  }
  if (!writer.Write(result)) {
    return ReportFileError(err, outputName, ErrorOf(writer), "write failed");
  }
  return 0;
}

// auto: the whole input in memory, then the best reading or the list. With
// no reading the output file is never created, so OUTPUT stays as it was.
int ExecuteAuto(const CliCommand& command, ByteReader& reader, std::string_view inputName,
                std::string_view outputName, ByteWriter& out, ByteWriter& err) {
  std::string input;
  if (!ReadAll(reader, input)) {
    return ReportFileError(err, inputName, ErrorOf(reader), "read failed");
  }
  const AutoRun run = RunAuto(input, command.automatic, inputName, outputName);
  if (run.writeOutput) {
    std::unique_ptr<OutputFile> outputFile;
    ByteWriter* writer = &out;
    if (command.output != "-") {
      int error = 0;
      outputFile = OutputFile::Create(command.output, error);
      if (!outputFile) {
        return ReportFileError(err, outputName, error, "cannot create");
      }
      writer = outputFile.get();
    }
    if (!writer->Write(run.output)) {
      return ReportFileError(err, outputName, ErrorOf(*writer), "write failed");
    }
    if (outputFile && !outputFile->Commit()) {
      return ReportFileError(err, outputName, outputFile->error(), "write failed");
    }
  }
  (void)err.Write(run.message);
  return run.exitCode;
}

int Execute(const CliCommand& command, ByteReader& in, ByteWriter& out, ByteWriter& err) {
  const bool fromStdin = command.input == "-";
  const bool toStdout = command.output == "-";
  const std::string_view inputName = fromStdin ? kStandardInput : command.input;
  const std::string_view outputName = toStdout ? kStandardOutput : command.output;

  std::unique_ptr<FileReader> inputFile;
  ByteReader* reader = &in;
  if (!fromStdin) {
    int error = 0;
    inputFile = OpenFileReader(command.input, error);
    if (!inputFile) {
      return ReportFileError(err, inputName, error, "cannot open");
    }
    reader = inputFile.get();
  }
  // The output is written beside and renamed, so this would even work; but a
  // user who names the same file twice has most likely made a slip, and the
  // input would be gone. Devices and pipes may well be read and written both.
  if (!fromStdin && !toStdout && IsSameFile(command.input, command.output) &&
      !IsSpecialFile(command.input)) {
    return ReportFileError(err, outputName, "is the same file as the input");
  }

  if (command.route == CliRoute::Auto) {
    return ExecuteAuto(command, *reader, inputName, outputName, out, err);
  }

  std::unique_ptr<OutputFile> outputFile;
  ByteWriter* writer = &out;
  if (!toStdout) {
    int error = 0;
    outputFile = OutputFile::Create(command.output, error);
    if (!outputFile) {
      return ReportFileError(err, outputName, error, "cannot create");
    }
    writer = outputFile.get();
  }

  const RouteFunction route = SelectRoute(command);
  if (route.text) {
    const int code = RunTextRoute(route, fromStdin ? "" : command.input, *reader, *writer,
                                  inputName, outputName, err);
    if (code != 0) {
      return code;
    }
  } else {
    switch (route.stream(*reader, *writer)) {
      case StreamStatus::Ok:
        break;
      case StreamStatus::ReadError:
        return ReportFileError(err, inputName, ErrorOf(*reader), "read failed");
      case StreamStatus::WriteError:
        return ReportFileError(err, outputName, ErrorOf(*writer), "write failed");
    }
  }
  if (outputFile && !outputFile->Commit()) {
    return ReportFileError(err, outputName, outputFile->error(), "write failed");
  }
  return 0;
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
  return Execute(parsed.command, in, out, err);
}

}  // namespace vortane
