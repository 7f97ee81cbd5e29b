// A reader and a writer of memory for pump tests: the reader hands out blocks
// of a size it names, may be read ahead and may fail at a given read; the
// writer may be written from the pump's helper thread and may fail at a given
// write.
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "codec/byte_stream.h"

namespace vortane::testing {

// Reads memory in blocks of its own size, failing at read number `failAt`
// (counted from 1, 0 for never), and says whether it may be read ahead.
class BlockReader final : public ByteReader {
 public:
  BlockReader(std::string_view data, std::size_t blockSize, bool readAhead, int failAt = 0)
      : data_(data), blockSize_(blockSize), readAhead_(readAhead), failAt_(failAt) {}
  ReadResult Read(std::span<char> buffer) override {
    if (++reads_ == failAt_) {
      return {0, true};
    }
    const std::size_t n = std::min(buffer.size(), data_.size());
    std::copy_n(data_.data(), n, buffer.data());
    data_.remove_prefix(n);
    return {n, false};
  }
  [[nodiscard]] std::size_t BlockSize() const override { return blockSize_; }
  [[nodiscard]] bool MayReadAhead() const override { return readAhead_; }
  [[nodiscard]] int reads() const { return reads_; }

 private:
  std::string_view data_;
  std::size_t blockSize_;
  bool readAhead_;
  int failAt_;
  int reads_ = 0;
};

// Collects what is written, failing at write number `failAt` (0: never).
class BlockWriter final : public ByteWriter {
 public:
  BlockWriter(bool fromHelper, int failAt = 0) : fromHelper_(fromHelper), failAt_(failAt) {}
  [[nodiscard]] bool Write(std::string_view bytes) override {
    if (++writes_ == failAt_) {
      return false;
    }
    bytes_.append(bytes);
    return true;
  }
  [[nodiscard]] bool MayWriteFromHelperThread() const override { return fromHelper_; }
  [[nodiscard]] const std::string& bytes() const { return bytes_; }

 private:
  bool fromHelper_;
  int failAt_;
  int writes_ = 0;
  std::string bytes_;
};

}  // namespace vortane::testing
