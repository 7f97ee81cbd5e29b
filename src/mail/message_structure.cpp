#include "mail/message_structure.h"

#include <algorithm>

#include "mail/ascii_text.h"

namespace vortane {
namespace {

// The line end before a delimiter belongs to the delimiter.
std::string_view WithoutFinalLineEnd(std::string_view part) {
  if (part.ends_with('\n')) {
    part.remove_suffix(1);
    if (part.ends_with('\r')) {
      part.remove_suffix(1);
    }
  }
  return part;
}

// The bodies of a multipart's parts, between its delimiter lines.
// `endsMessage`: the body ends where the message ends, its final line end not
// yet taken; the end of the message then closes a part left open like a
// delimiter would. A part left open by the end of any other parent keeps it.
std::vector<std::string_view> SplitMultipart(std::string_view body, std::string_view boundary,
                                             bool prefixOnly, bool endsMessage) {
  const std::string delimiter = "--" + std::string(boundary);
  std::vector<std::string_view> parts;
  bool inPart = false;
  std::size_t partStart = 0;
  std::size_t search = 0;
  while (true) {
    const std::size_t pos = body.find(delimiter, search);
    if (pos == std::string_view::npos) {
      break;
    }
    search = pos + 1;
    if (pos > 0 && body[pos - 1] != '\n') {
      continue;
    }
    std::size_t after = pos + delimiter.size();
    const bool close = body.substr(after, 2) == "--";
    if (close) {
      after += 2;
    }
    std::size_t lineEnd = body.find('\n', after);
    lineEnd = lineEnd == std::string_view::npos ? body.size() : lineEnd;
    if (!prefixOnly) {
      std::string_view rest = body.substr(after, lineEnd - after);
      if (!rest.empty() && rest.back() == '\r') {
        rest.remove_suffix(1);
      }
      if (!std::all_of(rest.begin(), rest.end(), IsBlank)) {
        continue;
      }
    }
    if (inPart) {
      parts.push_back(WithoutFinalLineEnd(body.substr(partStart, pos - partStart)));
    }
    if (close) {
      return parts;
    }
    inPart = true;
    partStart = std::min(lineEnd + 1, body.size());
    search = partStart;
  }
  // Without a closing delimiter the end of the parent closes the last part.
  if (inPart) {
    const std::string_view last = body.substr(partStart);
    parts.push_back(endsMessage ? WithoutFinalLineEnd(last) : last);
  }
  return parts;
}

// The first token of Content-Transfer-Encoding, lower case.
std::string TransferEncodingToken(const HeaderField* field) {
  if (field == nullptr) {
    return {};
  }
  const std::string value = UnfoldHeaderValue(field->rawValue);
  std::string_view token = TrimHeaderSpace(value);
  const std::size_t end = token.find_first_of(" \t;(");
  return ToLowerAscii(token.substr(0, end));
}

MimeHeaderValue ParseField(const HeaderField* field) {
  return field == nullptr ? MimeHeaderValue{}
                          : ParseMimeHeaderValue(UnfoldHeaderValue(field->rawValue));
}

class StructureReader {
 public:
  StructureReader(const MailLimits& limits, MessageStructure& out) : limits_(limits), out_(out) {}

  // `endsMessage`: see SplitMultipart.
  void ReadEntity(std::string_view entity, int depth, std::string_view defaultType,
                  bool endsMessage) {
    if (full_) {
      return;
    }
    HeaderBlock block = SplitHeaderBlock(entity, limits_.maxHeaderBytes);
    if (block.truncated) {
      Note(MailProblem::HeaderTooLarge);
    }
    const std::string_view body = entity.substr(block.bodyStart);
    MimeHeaderValue type = ParseField(FindHeaderField(block.fields, "Content-Type"));
    if (type.value.find('/') == std::string::npos) {
      type.value = std::string(defaultType);
    }
    if (depth == 0) {
      out_.headers = block.fields;
    }
    if (type.value.starts_with("multipart/")) {
      if (depth >= limits_.maxNestingDepth) {
        Note(MailProblem::NestingTooDeep);
      } else {
        const MimeParameter* boundary = FindMimeParameter(type, "boundary");
        std::vector<std::string_view> parts;
        if (boundary != nullptr) {
          const std::string_view mark = TrimHeaderSpace(boundary->value);
          if (!mark.empty()) {
            parts = SplitMultipart(body, mark, false, endsMessage);
            if (parts.empty()) {
              parts = SplitMultipart(body, mark, true, endsMessage);
            }
          }
        }
        if (!parts.empty()) {
          const std::string_view childType =
              type.value == "multipart/digest" ? "message/rfc822" : "text/plain";
          for (const std::string_view part : parts) {
            ReadEntity(part, depth + 1, childType, false);
          }
          return;
        }
        type.value = "text/plain";
      }
    }
    AddLeaf(std::move(block.fields), std::move(type), body);
  }

 private:
  void AddLeaf(std::vector<HeaderField> fields, MimeHeaderValue type, std::string_view body) {
    if (out_.parts.size() >= limits_.maxParts) {
      full_ = true;
      Note(MailProblem::TooManyParts);
      return;
    }
    MessagePart part;
    part.index = out_.parts.size() + 1;
    part.transferEncoding =
        TransferEncodingToken(FindHeaderField(fields, "Content-Transfer-Encoding"));
    part.contentDisposition = ParseField(FindHeaderField(fields, "Content-Disposition"));
    part.headers = std::move(fields);
    part.contentType = std::move(type);
    part.body = body;
    out_.parts.push_back(std::move(part));
  }

  void Note(MailProblem problem) {
    if (std::find(out_.problems.begin(), out_.problems.end(), problem) == out_.problems.end()) {
      out_.problems.push_back(problem);
    }
  }

  const MailLimits& limits_;
  MessageStructure& out_;
  bool full_ = false;
};

}  // namespace

MessageStructure ReadMessageStructure(std::string_view message, const MailLimits& limits) {
  if (message.starts_with("From ")) {
    const std::size_t newline = message.find('\n');
    message.remove_prefix(newline == std::string_view::npos ? message.size() : newline + 1);
  }
  MessageStructure structure;
  StructureReader(limits, structure).ReadEntity(message, 0, "text/plain", true);
  return structure;
}

std::string DescribeMailProblem(MailProblem problem, const MailLimits& limits) {
  switch (problem) {
    case MailProblem::NestingTooDeep:
      return "multiparts nested deeper than " + std::to_string(limits.maxNestingDepth) +
             " levels; the inner ones are read as one part";
    case MailProblem::HeaderTooLarge:
      return "a header block longer than " + std::to_string(limits.maxHeaderBytes) +
             " bytes; the fields after that are dropped";
    case MailProblem::TooManyParts:
      return "more than " + std::to_string(limits.maxParts) +
             " parts; the parts after that are dropped";
  }
  return {};
}

}  // namespace vortane
