// The structure of one message: its header fields and its leaf parts, found
// by a tolerant MIME reader. Nothing is decoded here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "mail/header_fields.h"
#include "mail/mail_limits.h"
#include "mail/mime_parameters.h"

namespace vortane {

// One leaf part. The views point into the message that was read.
struct MessagePart {
  std::size_t index = 0;               // 1, 2, ... in the order the parts stand
  std::vector<HeaderField> headers;    // the part's own fields (the message's for a single part)
  MimeHeaderValue contentType;         // value "type/subtype", lower case
  std::string transferEncoding;        // lower case token, "" when the field is absent
  MimeHeaderValue contentDisposition;  // value "inline", "attachment" or "" when absent
  std::string_view body;               // still transfer-encoded
};

// A bound of MailLimits that a message reached.
enum class MailProblem { NestingTooDeep, HeaderTooLarge, TooManyParts };

struct MessageStructure {
  std::vector<HeaderField> headers;   // the top-level fields, in order
  std::vector<MessagePart> parts;     // the leaf parts, in order
  std::vector<MailProblem> problems;  // each kind at most once, in the order met
};

// Reads the structure of `message` (bytes of one message; a leading mbox
// "From " line is skipped). Multiparts are split at their delimiter lines
// ("--boundary", blanks allowed after it; when no such line exists, any line
// that begins with "--boundary"); the line end before a delimiter belongs to
// it; text before the first delimiter and after the closing one is dropped; a
// missing closing delimiter ends the part at the end of its parent (the end
// of the message takes one final line end, as a delimiter would). A part of
// an unknown or missing type is text/plain (message/rfc822 inside
// multipart/digest). A message/rfc822 part is one leaf. A multipart without a
// boundary, or whose boundary never occurs, is one text/plain leaf. Bounds:
// nesting beyond `limits.maxNestingDepth` makes the multipart one leaf; header
// fields beyond `limits.maxHeaderBytes` and parts beyond `limits.maxParts` are
// dropped; each is recorded in `problems`.
[[nodiscard]] MessageStructure ReadMessageStructure(std::string_view message,
                                                    const MailLimits& limits = {});

// A person-readable sentence for a problem, naming the bound.
[[nodiscard]] std::string DescribeMailProblem(MailProblem problem, const MailLimits& limits);

}  // namespace vortane
