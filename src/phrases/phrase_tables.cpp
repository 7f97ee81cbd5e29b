#include "phrases/phrase_tables.h"

namespace vortane {
namespace {

constexpr std::size_t kDirectRoot = 0x10000;
constexpr std::size_t kFilterBits = std::size_t{1} << 20;

std::uint64_t Mix(std::uint64_t key) { return key * 0x9E3779B97F4A7C15ull; }
std::size_t FilterBit(std::uint64_t key) { return static_cast<std::size_t>(Mix(key) >> 44); }

std::uint64_t ChildKey(std::uint32_t node, char32_t point) {
  return static_cast<std::uint64_t>(node) << 21 | point;
}

}  // namespace

std::size_t PhraseTrie::SlotOf(std::uint64_t key) const {
  // Fibonacci hashing spreads the node and code point bits over the index.
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = static_cast<std::size_t>(Mix(key) >> 32) & mask;
  while (slots_[i].key != 0 && slots_[i].key != key) {
    i = (i + 1) & mask;
  }
  return i;
}

void PhraseTrie::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
  for (const Slot& slot : old) {
    if (slot.key != 0) {
      slots_[SlotOf(slot.key)] = slot;
    }
  }
}

std::uint32_t PhraseTrie::Child(std::uint32_t node, char32_t point) const {
  if (node == 0 && point < kDirectRoot) {
    return rootChildren_.empty() ? kNone : rootChildren_[point];
  }
  const std::uint64_t key = ChildKey(node, point);
  const std::size_t bit = FilterBit(key);
  if (filter_.empty() || ((filter_[bit / 64] >> (bit % 64)) & 1) == 0) {
    return kNone;
  }
  return slots_[SlotOf(key)].child;
}

std::uint32_t PhraseTrie::AddChild(std::uint32_t node, char32_t point) {
  const std::uint32_t existing = Child(node, point);
  if (existing != kNone) {
    return existing;
  }
  const auto child = static_cast<std::uint32_t>(nodes_.size());
  nodes_.emplace_back();
  if (node == 0 && point < kDirectRoot) {
    if (rootChildren_.empty()) {
      rootChildren_.assign(kDirectRoot, kNone);
    }
    rootChildren_[point] = child;
  } else {
    if (2 * (used_ + 1) > slots_.size()) {
      Grow();
    }
    const std::uint64_t key = ChildKey(node, point);
    slots_[SlotOf(key)] = Slot{key, child};
    ++used_;
    if (filter_.empty()) {
      filter_.assign(kFilterBits / 64, 0);
    }
    const std::size_t bit = FilterBit(key);
    filter_[bit / 64] |= std::uint64_t{1} << (bit % 64);
  }
  return child;
}

void PhraseTrie::Add(std::u32string_view key, std::u32string_view value) {
  if (key.empty()) {
    return;
  }
  std::uint32_t node = 0;
  for (char32_t point : key) {
    node = AddChild(node, point);
  }
  if (nodes_[node].valueStart != kNone) {
    return;
  }
  nodes_[node].valueStart = static_cast<std::uint32_t>(values_.size());
  nodes_[node].valueLength = static_cast<std::uint32_t>(value.size());
  values_ += value;
  ++keys_;
}

PhraseTrie::Match PhraseTrie::LongestPrefix(std::u32string_view text) const {
  Match match;
  std::uint32_t node = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    node = Child(node, text[i]);
    if (node == kNone) {
      break;
    }
    const Node& n = nodes_[node];
    if (n.valueStart != kNone) {
      match.length = i + 1;
      match.value = std::u32string_view(values_).substr(n.valueStart, n.valueLength);
    }
  }
  return match;
}

PhraseTrie::Match PhraseStage::LongestPrefix(std::u32string_view text) const {
  for (const auto& dictionary : dictionaries_) {
    const PhraseTrie::Match match = dictionary->LongestPrefix(text);
    if (match.length != 0) {
      return match;
    }
  }
  return {};
}

void PhraseTables::Convert(std::u32string_view text, std::u32string& out) const {
  // A segment is a phrase of the segmentation dictionary, or a run of the
  // characters between such phrases.
  std::u32string current;
  std::u32string next;
  std::size_t runStart = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t length = segmentation_.LongestPrefix(text.substr(pos)).length;
    if (length == 0) {
      ++pos;
      continue;
    }
    if (runStart < pos) {
      ConvertSegment(text.substr(runStart, pos - runStart), out, current, next);
    }
    ConvertSegment(text.substr(pos, length), out, current, next);
    pos += length;
    runStart = pos;
  }
  if (runStart < pos) {
    ConvertSegment(text.substr(runStart, pos - runStart), out, current, next);
  }
}

void PhraseTables::ConvertSegment(std::u32string_view segment, std::u32string& out,
                                  std::u32string& current, std::u32string& next) const {
  current.assign(segment);
  for (const PhraseStage& stage : chain_) {
    next.clear();
    std::size_t i = 0;
    while (i < current.size()) {
      const PhraseTrie::Match match = stage.LongestPrefix(std::u32string_view(current).substr(i));
      if (match.length == 0) {
        next.push_back(current[i]);
        ++i;
      } else {
        next += match.value;
        i += match.length;
      }
    }
    current.swap(next);
  }
  out += current;
}

}  // namespace vortane
