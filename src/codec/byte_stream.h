// Block-wise byte streams shared by every stream decoding, and the pump that
// drives an incremental decoder from a reader to a writer.
#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>
#include <span>
#include <string>
#include <string_view>

namespace vortane {

// Size of the blocks that stream functions read and write.
inline constexpr std::size_t kStreamBlockSize = 64 * 1024;

// How a stream function ended: it reached the end of its input, or a read or a
// write failed (the reader or writer knows the cause).
enum class StreamStatus { Ok, ReadError, WriteError };

// Outcome of one read: `count` bytes arrived; count 0 without `error` is the end.
struct ReadResult {
  std::size_t count = 0;
  bool error = false;
};

// A source of raw bytes, read in blocks.
class ByteReader {
 public:
  virtual ~ByteReader() = default;
  // Fills the front of `buffer` with up to buffer.size() bytes.
  virtual ReadResult Read(std::span<char> buffer) = 0;
  // errno of the last failed read; 0 when none failed or the source has none.
  [[nodiscard]] virtual int error() const { return 0; }
};

// A sink of raw bytes.
class ByteWriter {
 public:
  virtual ~ByteWriter() = default;
  // Writes all of `bytes`; false when the write failed.
  [[nodiscard]] virtual bool Write(std::string_view bytes) = 0;
  // errno of the last failed write; 0 when none failed or the sink has none.
  [[nodiscard]] virtual int error() const { return 0; }
};

// Reads from memory, handing out at most `maxChunk` bytes per read (tests use
// small chunks to put block edges everywhere).
class StringReader final : public ByteReader {
 public:
  explicit StringReader(std::string_view data,
                        std::size_t maxChunk = std::numeric_limits<std::size_t>::max())
      : data_(data), maxChunk_(std::max<std::size_t>(maxChunk, 1)) {}

  ReadResult Read(std::span<char> buffer) override {
    const std::size_t n = std::min({buffer.size(), data_.size(), maxChunk_});
    std::copy_n(data_.data(), n, buffer.data());
    data_.remove_prefix(n);
    return {n, false};
  }

 private:
  std::string_view data_;
  std::size_t maxChunk_;
};

// Collects everything written into a string.
class StringWriter final : public ByteWriter {
 public:
  [[nodiscard]] bool Write(std::string_view bytes) override {
    bytes_.append(bytes);
    return true;
  }
  const std::string& bytes() const { return bytes_; }
  std::string& bytes() { return bytes_; }

 private:
  std::string bytes_;
};

// Drives an incremental decoder over a whole stream. The decoder provides
//   void Feed(std::string_view block, std::string& out);  // decode one block
//   void Finish(std::string& out);                        // end of input
//   bool Done() const;      // true once further input cannot change the output
// The decoder carries its state across block edges; output is flushed to the
// writer in blocks, so memory stays constant whatever the input size.
template <class Decoder>
StreamStatus PumpStream(Decoder& decoder, ByteReader& in, ByteWriter& out) {
  std::string block(kStreamBlockSize, '\0');
  std::string pending;
  pending.reserve(3 * kStreamBlockSize);
  while (!decoder.Done()) {
    const ReadResult r = in.Read(std::span<char>(block.data(), block.size()));
    if (r.error) {
      return StreamStatus::ReadError;
    }
    if (r.count == 0) {
      break;
    }
    decoder.Feed(std::string_view(block.data(), r.count), pending);
    if (pending.size() >= kStreamBlockSize) {
      if (!out.Write(pending)) {
        return StreamStatus::WriteError;
      }
      pending.clear();
    }
  }
  decoder.Finish(pending);
  if (!pending.empty() && !out.Write(pending)) {
    return StreamStatus::WriteError;
  }
  return StreamStatus::Ok;
}

}  // namespace vortane
