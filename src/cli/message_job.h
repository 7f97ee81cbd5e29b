// The work of `vortane-cli message`: every message of the input read and
// written as text or JSON lines, attachments saved into a directory.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_routes.h"
#include "codec/byte_stream.h"
#include "io/new_file_directory.h"

namespace vortane {

struct MessageJobSettings {
  bool json = false;       // one JSON line per message instead of text
  std::string extractDir;  // where attachments go ("" when not extracting)
};

// What a run has to say besides its output.
struct MessageJobReport {
  // Lines for standard error: about the input ("message 2: ...", without the
  // number for a single message) or about an attachment's file.
  std::vector<RouteNote> notes;
  bool incomplete = false;  // a message reached a bound and was read in part
  bool saveFailed = false;  // an attachment could not be saved
};

// Reads the messages of `in` (one message, or an mbox) one at a time and
// writes each to `out` as it is read: the text output, or with `json` one
// JSON line. With a directory (`settings.extractDir` names it), every
// attachment is saved there under its safe name (a number added when the name
// is taken) and the text output gives way to the saved paths, one a line;
// JSON lines then name each part's saved file. ReadError or WriteError when
// the input or output failed.
[[nodiscard]] StreamStatus RunMessageJob(ByteReader& in, ByteWriter& out,
                                         const MessageJobSettings& settings,
                                         const NewFileDirectory* directory,
                                         MessageJobReport& report);

}  // namespace vortane
