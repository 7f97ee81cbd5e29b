#include "phrases/phrase_list.h"

#include <algorithm>

#include "phrases/utf8_chars.h"

namespace vortane {

void PhraseList::Set(std::u32string_view from, std::u32string_view to) {
  if (from.empty()) {
    return;
  }
  std::vector<PhraseEntry>& entries = byFirst_[from.front()];
  const auto same = std::find_if(entries.begin(), entries.end(),
                                 [&](const PhraseEntry& e) { return e.from == from; });
  if (same != entries.end()) {
    same->to = to;
    return;
  }
  // Longest first, so the first entry that matches is the longest match.
  const auto place = std::find_if(entries.begin(), entries.end(), [&](const PhraseEntry& e) {
    return e.from.size() < from.size();
  });
  entries.insert(place, PhraseEntry{std::u32string(from), std::u32string(to)});
  firstBits_.set(FirstBit(from.front()));
  phraseChars_.insert(from.begin(), from.end());
  ++size_;
}

void PhraseList::SetAll(const PhraseList& other) {
  for (const auto& [first, entries] : other.byFirst_) {
    for (const PhraseEntry& entry : entries) {
      Set(entry.from, entry.to);
    }
  }
}

const PhraseEntry* PhraseList::LongestMatchAt(std::u32string_view text, std::size_t pos) const {
  if (pos >= text.size() || !firstBits_.test(FirstBit(text[pos]))) {
    return nullptr;
  }
  const auto found = byFirst_.find(text[pos]);
  if (found == byFirst_.end()) {
    return nullptr;
  }
  const std::u32string_view rest = text.substr(pos);
  for (const PhraseEntry& entry : found->second) {
    if (rest.starts_with(entry.from)) {
      return &entry;
    }
  }
  return nullptr;
}

std::vector<PhraseEntry> PhraseList::Entries() const {
  std::vector<PhraseEntry> all;
  all.reserve(size_);
  for (const auto& [first, entries] : byFirst_) {
    all.insert(all.end(), entries.begin(), entries.end());
  }
  return all;
}

namespace {

// One side of a line as code points; false when it is empty, not UTF-8 or
// holds a control character or a byte-order mark (invisible, and then the
// phrase would never match).
bool ReadSide(std::string_view side, std::u32string& points) {
  if (side.empty() || !Utf8ToPoints(side, points)) {
    return false;
  }
  return std::none_of(points.begin(), points.end(),
                      [](char32_t p) { return p < 0x20 || p == 0x7F || p == 0xFEFF; });
}

}  // namespace

PhraseListParse ParsePhraseList(std::string_view text) {
  PhraseListParse parse;
  if (text.starts_with("\xEF\xBB\xBF")) {
    text.remove_prefix(3);
  }
  std::u32string from;
  std::u32string to;
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    if (line.empty() || line.front() == '#') {
      continue;
    }
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos || line.find('\t', tab + 1) != std::string_view::npos ||
        !ReadSide(line.substr(0, tab), from) || !ReadSide(line.substr(tab + 1), to)) {
      parse.badLines.push_back(lineNumber);
      continue;
    }
    parse.list.Set(from, to);
  }
  return parse;
}

}  // namespace vortane
