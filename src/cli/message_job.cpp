#include "cli/message_job.h"

#include <cerrno>
#include <cstring>
#include <optional>

#include "mail/attachment_name.h"
#include "mail/message_output.h"
#include "mail/message_reading.h"
#include "mail/message_stream.h"

namespace vortane {
namespace {

// Names tried for one attachment before giving up.
constexpr int kMostAttempts = 1000;

std::string PathIn(const std::string& dir, const std::string& name) {
  return dir.ends_with('/') ? dir + name : dir + "/" + name;
}

// Saves one part under its safe name or a numbered one; the name it was saved
// under, or nullopt (with a note) when it could not be.
std::optional<std::string> SavePart(const DecodedPart& part, const NewFileDirectory& directory,
                                    const std::string& dir, MessageJobReport& report) {
  const std::string safe = SafeAttachmentName(part.fileName.value_or(""), part.index);
  std::string name = safe;
  for (int attempt = 2; attempt <= kMostAttempts + 1; ++attempt) {
    const NewFileResult result = directory.CreateNewFile(name, part.content);
    if (result.error == 0) {
      return name;
    }
    if (result.error != EEXIST) {
      report.notes.push_back({PathIn(dir, name), std::strerror(result.error)});
      report.saveFailed = true;
      return std::nullopt;
    }
    name = NumberedAttachmentName(safe, attempt);
  }
  report.notes.push_back(
      {PathIn(dir, safe), std::to_string(kMostAttempts) + " numbered names taken; not saved"});
  report.saveFailed = true;
  return std::nullopt;
}

}  // namespace

StreamStatus RunMessageJob(ByteReader& in, ByteWriter& out, const MessageJobSettings& settings,
                           const NewFileDirectory* directory, MessageJobReport& report) {
  MessageStreamReader messages(in);
  const MailReadingOptions options;
  std::string message;
  std::string output;
  std::size_t number = 0;
  while (messages.Next(message)) {
    ++number;
    const DecodedMessage decoded = ReadMessage(message, options);
    const std::string where =
        messages.IsMbox() ? "message " + std::to_string(number) + ": " : std::string();
    for (const MailProblem problem : decoded.problems) {
      report.notes.push_back({"", where + DescribeMailProblem(problem, options.limits)});
      report.incomplete = true;
    }

    std::vector<std::optional<std::string>> saved;
    if (directory != nullptr) {
      saved.resize(decoded.parts.size());
      for (std::size_t i = 0; i < decoded.parts.size(); ++i) {
        if (decoded.parts[i].attachment) {
          saved[i] = SavePart(decoded.parts[i], *directory, settings.extractDir, report);
        }
      }
    }

    output.clear();
    if (settings.json) {
      AppendMessageJson(output, decoded, saved);
    } else if (directory != nullptr) {
      for (const std::optional<std::string>& name : saved) {
        if (name) {
          output += PathIn(settings.extractDir, *name) + "\n";
        }
      }
    } else {
      if (number > 1) {
        output += '\n';
      }
      AppendMessageText(output, decoded,
                        messages.IsMbox() ? std::optional<std::size_t>(number) : std::nullopt);
    }
    if (!out.Write(output)) {
      return StreamStatus::WriteError;
    }
  }
  return messages.ReadFailed() ? StreamStatus::ReadError : StreamStatus::Ok;
}

}  // namespace vortane
