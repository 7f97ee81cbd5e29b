// Undoing a wrong display: text whose bytes were shown in the wrong code and
// whose shown characters were stored again as UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vortane {

// The codes a text may have been wrongly shown in.
enum class ShownCode { Latin1, Cp1252, Gbk, Big5 };

// Reads `utf8` as the characters shown and gives back the bytes that showed
// them in `code`. Nothing (nullopt) when `utf8` is not well-formed UTF-8,
// holds no non-ASCII character, or holds a character `code` cannot have shown.
// CP1252's five unassigned bytes show as the C1 controls of the same value
// (as Windows shows them), so they come back too; GBK is GB18030's two-byte
// part and Big5 is Big5-HKSCS.
[[nodiscard]] std::optional<std::string> UndoShownAs(ShownCode code, std::string_view utf8);

}  // namespace vortane
