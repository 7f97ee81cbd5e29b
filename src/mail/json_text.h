// JSON string literals for the machine-readable message output.
#pragma once

#include <string>
#include <string_view>

namespace vortane {

// Appends `text` to `out` as a JSON string literal: quotes, "\" escapes for
// the quote, the backslash and every control character (\n, \r, \t, \b, \f,
// else \u00XX), U+2028 and U+2029 escaped too; every byte sequence that is not
// well-formed UTF-8 becomes U+FFFD, so the result is always valid JSON.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace vortane
