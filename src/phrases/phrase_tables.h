// OpenCC's way of converting, over dictionaries compiled for fast matching:
// the text is cut into segments by the longest phrases of a segmentation
// dictionary, then each segment passes through a chain of stages, each
// replacing the longest key at every position by its first value. The
// dictionaries come from OpenCC (see opencc_engine.h); this file knows nothing
// of OpenCC itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vortane {

// Keys and values as code points, matched by longest prefix.
class PhraseTrie {
 public:
  // Adds `key` -> `value`; a key already present keeps its first value. An
  // empty key is ignored.
  void Add(std::u32string_view key, std::u32string_view value);

  struct Match {
    std::size_t length = 0;  // 0: no key is a prefix of the text
    std::u32string_view value;
  };
  // The longest key that `text` starts with, and its value.
  [[nodiscard]] Match LongestPrefix(std::u32string_view text) const;

  [[nodiscard]] std::size_t size() const { return keys_; }

 private:
  static constexpr std::uint32_t kNone = UINT32_MAX;
  struct Node {
    std::uint32_t valueStart = kNone;  // into values_
    std::uint32_t valueLength = 0;
  };
  [[nodiscard]] std::uint32_t Child(std::uint32_t node, char32_t point) const;
  std::uint32_t AddChild(std::uint32_t node, char32_t point);

  // (node, point) -> child node, open addressing; key 0 marks a free slot
  // (the root's children below 0x10000 never go here, so no key is 0).
  struct Slot {
    std::uint64_t key = 0;
    std::uint32_t child = kNone;
  };
  [[nodiscard]] std::size_t SlotOf(std::uint64_t key) const;
  void Grow();

  std::vector<Node> nodes_{Node{}};          // node 0 is the root
  std::vector<std::uint32_t> rootChildren_;  // by code point below 0x10000
  std::vector<Slot> slots_;                  // a power of two, at most half full
  // One bit per hash of a (node, point) key in slots_: most lookups find no
  // child, and this small filter answers them without touching slots_.
  std::vector<std::uint64_t> filter_;
  std::size_t used_ = 0;
  std::u32string values_;
  std::size_t keys_ = 0;
};

// Dictionaries tried in order: the first one with any key at the position
// gives its longest key (OpenCC's dictionary group).
// A dictionary may serve several stages (a configuration segments by the
// dictionary it also converts with), so stages share them.
class PhraseStage {
 public:
  void AddDictionary(std::shared_ptr<const PhraseTrie> dictionary) {
    dictionaries_.push_back(std::move(dictionary));
  }
  [[nodiscard]] PhraseTrie::Match LongestPrefix(std::u32string_view text) const;

 private:
  std::vector<std::shared_ptr<const PhraseTrie>> dictionaries_;
};

// One configuration: the segmentation and the chain of stages.
class PhraseTables {
 public:
  PhraseTables() = default;
  PhraseTables(PhraseStage segmentation, std::vector<PhraseStage> chain)
      : segmentation_(std::move(segmentation)), chain_(std::move(chain)) {}

  // Appends the conversion of `text` to `out`.
  void Convert(std::u32string_view text, std::u32string& out) const;

 private:
  void ConvertSegment(std::u32string_view segment, std::u32string& out, std::u32string& current,
                      std::u32string& next) const;

  PhraseStage segmentation_;
  std::vector<PhraseStage> chain_;
};

}  // namespace vortane
