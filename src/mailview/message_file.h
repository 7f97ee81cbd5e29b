// Whether a file is a mail message: what the desktop program asks of a
// dropped file or a file named on its command line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vortane {

// Bytes of a file's start that LooksLikeMessage needs.
inline constexpr std::size_t kMessageSniffBytes = 4096;

// Larger message files are refused (EFBIG): a message is read whole and its
// parts decoded in memory, several times its size.
inline constexpr std::size_t kMessageMaxBytes = std::size_t{256} << 20;

// True when `path` ends in ".eml" or ".mbox" (any case), or `head` (the
// file's first bytes) is an mbox's "From " line or starts like a header
// block: every line up to the first empty one (or the end of `head`) is a
// field "Name: value" (printable ASCII name, no blank before the colon) or a
// folded continuation, there are at least two fields, and one of them is a
// field every message carries (From, Date, Subject, Received, Return-Path,
// Message-ID, MIME-Version).
[[nodiscard]] bool LooksLikeMessage(std::string_view path, std::string_view head);

// LooksLikeMessage on the file `path` and its first bytes; false when it
// cannot be read.
[[nodiscard]] bool IsMessageFile(const std::string& path);

}  // namespace vortane
