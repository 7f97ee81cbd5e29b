// A header block split into its fields: unfolding, tolerant line ends, and the
// bound on the header size.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vortane {

// One header field as written: `name` without the colon and trailing blanks,
// `rawValue` the bytes after the colon with leading blanks (and a line end
// right after the colon) dropped, folding kept, the final line end removed.
// Both point into the text that was split.
struct HeaderField {
  std::string_view name;
  std::string_view rawValue;
};

// The header block at the start of an entity.
struct HeaderBlock {
  std::vector<HeaderField> fields;
  std::size_t bodyStart = 0;  // offset of the body in the entity
  bool truncated = false;     // fields past `maxHeaderBytes` were dropped
};

// Splits the header block at the start of `entity`. Line ends are CR LF or a
// bare LF. The block ends at the first empty line (the body starts after it)
// or at the first line that is neither a field nor a continuation (the body
// starts with that line). A continuation line before any field is dropped.
// Fields that begin after `maxHeaderBytes` bytes are not kept.
[[nodiscard]] HeaderBlock SplitHeaderBlock(std::string_view entity, std::size_t maxHeaderBytes);

// The value with folding undone: every line end followed by a blank or tab is
// removed (the blank stays), as is a final line end.
[[nodiscard]] std::string UnfoldHeaderValue(std::string_view rawValue);

// The raw value of the first field called `name` (ASCII case ignored), or
// nullptr when there is none.
[[nodiscard]] const HeaderField* FindHeaderField(const std::vector<HeaderField>& fields,
                                                 std::string_view name);

}  // namespace vortane
