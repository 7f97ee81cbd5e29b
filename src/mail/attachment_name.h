// File names for saving attachments: names from mail are hostile, so they are
// made safe to create inside a chosen directory.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vortane {

// Longest saved name in bytes (the usual limit of a Linux file name).
inline constexpr std::size_t kMaxAttachmentNameBytes = 255;

// A safe name for part `partIndex` whose decoded file name (UTF-8) is `name`.
// Path separators ("/", "\") and control characters (C0, DEL, C1, line and
// paragraph separators) become "_"; bidirectional controls and other format
// characters are dropped; bytes that are not UTF-8 become "_"; runs of dots
// become one dot, and dots and blanks at either end are dropped, so the name
// is never "." or "..", never holds "..", and never names a hidden file. A
// name longer than 255 bytes is cut at a character edge, keeping a short
// extension. An empty result becomes "part-N".
[[nodiscard]] std::string SafeAttachmentName(std::string_view name, std::size_t partIndex);

// The name to try when `safeName` is taken: number `attempt` (2, 3, ...) goes
// before the extension ("report.pdf" -> "report-2.pdf"), still at most 255
// bytes.
[[nodiscard]] std::string NumberedAttachmentName(std::string_view safeName, int attempt);

}  // namespace vortane
