// vortane-cli message: whole messages and mbox files as text or JSON lines,
// attachments saved.
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

#include "cli/cli_command_syntax.h"
#include "cli/message_job.h"

namespace vortane {

namespace {

// What the route's three functions share for one run.
struct MessageRun {
  MessageJobSettings settings;
  std::optional<NewFileDirectory> directory;
  MessageJobReport report;
  bool tooLarge = false;
};

RouteFunction Message(const CliCommand& c) {
  auto run = std::make_shared<MessageRun>();
  run->settings.json = c.json;
  run->settings.extractDir = c.extractDir;
  RouteFunction route = StreamRoute([run](ByteReader& in, ByteWriter& out) {
    // A message is held whole: one larger than memory ends the run.
    try {
      return RunMessageJob(in, out, run->settings, run->directory ? &*run->directory : nullptr,
                           run->report);
    } catch (const std::bad_alloc&) {
      run->tooLarge = true;
    } catch (const std::length_error&) {
      run->tooLarge = true;
    }
    return StreamStatus::ReadError;
  });
  route.prepare = [run]() -> std::optional<RouteNote> {
    if (run->settings.extractDir.empty()) {
      return std::nullopt;
    }
    int error = 0;
    run->directory = NewFileDirectory::Open(run->settings.extractDir, error);
    if (!run->directory) {
      return RouteNote{run->settings.extractDir, std::strerror(error)};
    }
    return std::nullopt;
  };
  route.outcome = [run] {
    RouteOutcome outcome{run->report.notes, 0, run->tooLarge};
    outcome.exitCode = run->report.saveFailed ? 1 : run->report.incomplete ? 3 : 0;
    return outcome;
  };
  return route;
}

bool ApplyOptions(const CliOptions& options, CliCommand& command, std::string& error) {
  command.json = options.Has("--json");
  if (const auto dir = options.Value("--extract")) {
    if (dir->empty()) {
      error = "--extract takes a directory";
      return false;
    }
    command.extractDir = *dir;
  }
  return true;
}

constexpr std::string_view kHelp =
    R"(Usage: vortane-cli message [--json] [--extract DIR] [INPUT [OUTPUT]]

Reads whole mail messages: one message, or an mbox (input whose first line
begins "From ", split at each "From " line that follows an empty line), one
message at a time.

The text output gives each message's decoded Subject, From, To, Cc and Date,
then every part after a line "--- part N: type, charsets, size"; a text part
follows as UTF-8 text (HTML as its source). Header fields are read with their
encoded-words and raw 8-bit bytes. Bodies go through Base64 or
Quoted-Printable and then their charset, gb2312 read as GB18030 and big5 as
Big5-HKSCS. A charset that is missing, unknown, or fails on more than 1 in 100
characters is chosen by the automatic repair, and the part's line says both
("declared gb2312, read as utf-8").

Options:
  --json           one JSON object per message, one a line:
                   {"headers": [{"name", "value"}...], "parts": [{"index",
                   "content_type", "declared_charset", "charset",
                   "transfer_encoding", "filename", "size", "text"}...]}
  --extract DIR    save every attachment into the existing directory DIR and
                   print the saved paths, one a line (with --json, the JSON
                   lines, each part naming the file it was "saved" as). Names
                   are made safe: no "/", no "..", no control, bidirectional
                   or format characters, no leading dot, at most 255 bytes,
                   "part-N" when empty. No file is overwritten and no
                   symbolic link followed: a number is added instead.

INPUT and OUTPUT default to standard input and output; '-' names them too.
Exit status: 0 success, 1 an I/O error (DIR missing and an attachment that
could not be saved included), 2 a usage error, 3 a message reached a bound
(multiparts nested 32 deep, 1 MiB of header, 10000 parts) and was read in
part; the output holds what was read.
)";

}  // namespace

const CliCommandSyntax& MessageCommand() {
  static const CliCommandSyntax kSyntax{
      .name = "message",
      .options = {{"--json", false}, {"--extract", true}},
      .methods = {{"", CliRoute::Message, &Message}},
      .applyOptions = &ApplyOptions,
      .summary =
          "  message [--json] [--extract DIR]\n"
          "                            whole mail messages and mbox files: headers and\n"
          "                            text parts decoded, attachments saved\n",
      .optionsSummary =
          "  --json                    message: one JSON object per message and line\n"
          "  --extract DIR             message: save the attachments into DIR under\n"
          "                            safe names and print the saved paths\n",
      .help = kHelp,
  };
  return kSyntax;
}

}  // namespace vortane
