// Where a codec step appends its bytes: a std::string, or a region of memory
// the caller sized for the worst case. A step grows the output to its worst
// case, writes, then shrinks it to what it wrote. Growing a std::string clears
// the bytes it adds; growing a region does not, which is why decoding straight
// into a pump's buffer is cheaper: the worst case is three to five times what
// a step writes.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <string>

namespace vortane::charsets_detail {

class StepOut {
 public:
  explicit StepOut(std::string& text) : text_(&text) {}
  // A region of `capacity` bytes at `region`, empty so far.
  StepOut(char* region, std::size_t capacity) : region_(region), capacity_(capacity) {}

  [[nodiscard]] std::size_t size() const { return text_ ? text_->size() : size_; }
  [[nodiscard]] char* data() { return text_ ? text_->data() : region_; }

  void resize(std::size_t n) {
    if (text_) {
      text_->resize(n);
      return;
    }
    // A caller's MaxOutput that does not cover a step's worst case is a fault
    // of this library; writing past the region would corrupt memory.
    if (n > capacity_) {
      std::abort();
    }
    size_ = n;
  }

  // Grows the output by `n` bytes; returns where they start.
  char* Grow(std::size_t n) {
    const std::size_t old = size();
    resize(old + n);
    return data() + old;
  }

  // Ends the output at `end` (a place inside what Grow gave).
  void EndAt(const char* end) { resize(static_cast<std::size_t>(end - data())); }

 private:
  std::string* text_ = nullptr;
  char* region_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t size_ = 0;
};

// Runs `feed` (a callable taking a StepOut&) over the `capacity` bytes at
// `dst`; returns the end of what it wrote.
template <class Feed>
char* FeedRegion(char* dst, std::size_t capacity, Feed&& feed) {
  StepOut out(dst, capacity);
  feed(out);
  return dst + out.size();
}

}  // namespace vortane::charsets_detail
