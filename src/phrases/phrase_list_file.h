// Reading the user's phrase list from its file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "phrases/phrase_list.h"

namespace vortane {

// Phrase lists larger than this are refused (EFBIG): a list is typed by hand,
// and a link to an endless file must not fill memory.
inline constexpr std::uint64_t kPhraseListMaxBytes = 16 * 1024 * 1024;

// The outcome of loading a phrase list file: the list and its skipped lines,
// or the errno of the failure (`parse` unset).
struct PhraseListFile {
  std::optional<PhraseListParse> parse;
  int error = 0;
};

// Reads and parses the phrase list at `path` (see ParsePhraseList).
[[nodiscard]] PhraseListFile LoadPhraseList(const std::string& path);

}  // namespace vortane
