// A list of phrases and their replacements, matched before OpenCC sees the
// text: the user's own list and the fixes shipped for OpenCC's known misses.
#pragma once

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vortane {

// One phrase and the text that replaces it, as code points.
struct PhraseEntry {
  std::u32string from;
  std::u32string to;
};

class PhraseList {
 public:
  // Adds `from` -> `to`, replacing an entry with the same `from`. An empty
  // `from` is ignored.
  void Set(std::u32string_view from, std::u32string_view to);

  // Adds every entry of `other`, replacing those with the same `from`.
  void SetAll(const PhraseList& other);

  // The entry with the longest `from` that `text` holds at `pos`, or nullptr.
  [[nodiscard]] const PhraseEntry* LongestMatchAt(std::u32string_view text, std::size_t pos) const;

  // True when some entry's `from` holds `point`: text may not be cut into
  // separately matched pieces at such a character.
  [[nodiscard]] bool InSomePhrase(char32_t point) const { return phraseChars_.contains(point); }

  [[nodiscard]] std::size_t size() const { return size_; }
  [[nodiscard]] bool empty() const { return size_ == 0; }

  // Every entry (in no particular order).
  [[nodiscard]] std::vector<PhraseEntry> Entries() const;

 private:
  static std::size_t FirstBit(char32_t point) { return point & 0xFFF; }

  // Entries by their first character, longest `from` first.
  std::unordered_map<char32_t, std::vector<PhraseEntry>> byFirst_;
  std::bitset<0x1000> firstBits_;  // a quick "no entry starts here"
  std::unordered_set<char32_t> phraseChars_;
  std::size_t size_ = 0;
};

// The outcome of reading a phrase list text.
struct PhraseListParse {
  PhraseList list;
  std::vector<std::size_t> badLines;  // line numbers (from 1) that were skipped
};

// Reads a phrase list: UTF-8 (a byte-order mark at the start is skipped), one
// "from<TAB>to" per line, lines ending in LF or CR LF. Empty lines and lines
// starting with "#" are ignored. A line with no tab or more than one, an empty
// side, a control character, a byte-order mark or bytes that are not UTF-8 is
// skipped and listed in `badLines`. A later line replaces an earlier one with the same `from`.
[[nodiscard]] PhraseListParse ParsePhraseList(std::string_view text);

}  // namespace vortane
