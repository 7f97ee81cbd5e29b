// Block-wise byte streams shared by every stream decoding, and the pump that
// drives an incremental decoder from a reader to a writer.
#pragma once

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstring>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "codec/helper_thread.h"

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
  // The block size PumpStream reads this source in: kStreamBlockSize unless
  // the source is cheaper to read in larger blocks (a file).
  [[nodiscard]] virtual std::size_t BlockSize() const { return kStreamBlockSize; }
  // True when PumpStream may read this source one block ahead, on a helper
  // thread: a large regular file, which never waits for more input and whose
  // surplus read costs nothing. False by default.
  [[nodiscard]] virtual bool MayReadAhead() const { return false; }
};

// A sink of raw bytes.
class ByteWriter {
 public:
  virtual ~ByteWriter() = default;
  // Writes all of `bytes`; false when the write failed.
  [[nodiscard]] virtual bool Write(std::string_view bytes) = 0;
  // errno of the last failed write; 0 when none failed or the sink has none.
  [[nodiscard]] virtual int error() const { return 0; }
  // True when Write may be called from a helper thread (one call at a time,
  // each after the last has returned). False by default.
  [[nodiscard]] virtual bool MayWriteFromHelperThread() const { return false; }
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

// A decoder that writes straight into a buffer the caller owns:
//   std::size_t MaxOutput(std::size_t n) const;  // room FeedInto needs for n bytes
//   char* FeedInto(std::string_view block, char* out);  // returns the end written
// FeedInto may store scratch bytes past the end it returns, but never past
// out + MaxOutput(block.size()).
template <class Decoder>
concept DirectDecoder = requires(Decoder& d, const Decoder& cd, std::string_view block, char* o) {
  { cd.MaxOutput(std::size_t{}) } -> std::same_as<std::size_t>;
  { d.FeedInto(block, o) } -> std::same_as<char*>;
};

// A DirectDecoder that can read a block in two parts at once: the part
// after CutFor's cut on the pump's helper thread, while FeedInto reads the
// part before it on the pump's own:
//   std::size_t CutFor(std::string_view block);   // block.size(): no cut
//   char* FeedAfterCutInto(std::string_view part, char* out);
//   void EndCut();                                 // after both parts
template <class Decoder>
concept CuttingDecoder = DirectDecoder<Decoder> &&
    requires(Decoder& d, std::string_view b, char* o) {
  { d.CutFor(b) } -> std::same_as<std::size_t>;
  { d.FeedAfterCutInto(b, o) } -> std::same_as<char*>;
  d.EndCut();
};

// Where a CuttingDecoder looks for a place to cut a block of `size` bytes:
// from `from` on, at most `within` bytes on. The helper thread also writes
// the block before and reads the one after, about two fifths of the work of
// decoding one, so it takes the last three eighths of the block. Blocks under
// 64 KiB are not cut (`within` 0): what handing a part to the helper costs
// would eat the gain. Text without a place to cut for 16 KiB is rare, and
// then the block is read whole.
struct CutSearch {
  std::size_t from = 0;
  std::size_t within = 0;
};
[[nodiscard]] constexpr CutSearch CutSearchFor(std::size_t size) {
  constexpr std::size_t kLeastCutBlock = 64 * 1024;
  constexpr std::size_t kSearch = 16 * 1024;
  return size < kLeastCutBlock ? CutSearch{size, 0} : CutSearch{size / 8 * 5, kSearch};
}

// Appends what FeedInto writes for `block` to `out`: the Feed of a direct decoder.
template <DirectDecoder Decoder>
void AppendFeed(Decoder& decoder, std::string_view block, std::string& out) {
  const std::size_t old = out.size();
  out.resize(old + decoder.MaxOutput(block.size()));
  char* const end = decoder.FeedInto(block, out.data() + old);
  out.resize(static_cast<std::size_t>(end - out.data()));
}

// The pump of a DirectDecoder, one step after the other: read a block, decode
// it straight into the output buffer, write that with one call.
template <DirectDecoder Decoder>
StreamStatus PumpInSeries(Decoder& decoder, ByteReader& in, ByteWriter& out,
                          std::size_t blockSize) {
  // Neither buffer needs its bytes cleared first: each is written before it is read.
  const auto input = std::make_unique_for_overwrite<char[]>(blockSize);
  const auto output = std::make_unique_for_overwrite<char[]>(decoder.MaxOutput(blockSize));
  while (!decoder.Done()) {
    const ReadResult r = in.Read(std::span<char>(input.get(), blockSize));
    if (r.error) {
      return StreamStatus::ReadError;
    }
    if (r.count == 0) {
      break;
    }
    char* const end = decoder.FeedInto(std::string_view(input.get(), r.count), output.get());
    const auto length = static_cast<std::size_t>(end - output.get());
    if (length != 0 && !out.Write(std::string_view(output.get(), length))) {
      return StreamStatus::WriteError;
    }
  }
  std::string last;
  decoder.Finish(last);
  if (!last.empty() && !out.Write(last)) {
    return StreamStatus::WriteError;
  }
  return StreamStatus::Ok;
}

// The same steps with the reading and writing on a helper thread: while one
// block is decoded, the bytes of the block before it are written and the
// block after it is read, into the other of two buffers each; a
// CuttingDecoder's helper then also decodes the last part of the block. The
// output and the outcome are those of PumpInSeries; at most one block more is
// read.
template <DirectDecoder Decoder>
StreamStatus PumpOverlapped(Decoder& decoder, ByteReader& in, ByteWriter& out,
                            std::size_t blockSize) {
  // Room for a block cut in two: each part's worst case.
  const std::size_t outputSize = decoder.MaxOutput(blockSize) + decoder.MaxOutput(0);
  const auto input = std::make_unique_for_overwrite<char[]>(2 * blockSize);
  const auto output = std::make_unique_for_overwrite<char[]>(2 * outputSize);
  HelperThread helper;
  std::string_view unwritten;  // the bytes of the block decoded last
  std::size_t slot = 0;
  ReadResult r = in.Read(std::span<char>(input.get(), blockSize));
  while (!r.error && r.count != 0 && !decoder.Done()) {
    char* const block = input.get() + slot * blockSize;
    char* const decoded = output.get() + slot * outputSize;
    char* const nextBlock = input.get() + (slot ^ 1) * blockSize;
    const std::string_view whole(block, r.count);
    std::size_t cut = whole.size();
    if constexpr (CuttingDecoder<Decoder>) {
      cut = decoder.CutFor(whole);
    }
    const std::string_view head = whole.substr(0, cut);
    const std::string_view tail = whole.substr(cut);
    char* const tailAt = decoded + decoder.MaxOutput(head.size());
    char* tailEnd = tailAt;
    bool written = true;
    ReadResult next;
    helper.Start([&] {
      written = unwritten.empty() || out.Write(unwritten);
      if (written) {
        next = in.Read(std::span<char>(nextBlock, blockSize));
      }
      if constexpr (CuttingDecoder<Decoder>) {
        if (written && !tail.empty()) {
          tailEnd = decoder.FeedAfterCutInto(tail, tailAt);
        }
      }
    });
    char* end = decoder.FeedInto(head, decoded);
    helper.Wait();
    if (!written) {
      return StreamStatus::WriteError;
    }
    if constexpr (CuttingDecoder<Decoder>) {
      if (!tail.empty()) {
        const auto tailSize = static_cast<std::size_t>(tailEnd - tailAt);
        std::memmove(end, tailAt, tailSize);
        end += tailSize;
        decoder.EndCut();
      }
    }
    unwritten = std::string_view(decoded, static_cast<std::size_t>(end - decoded));
    r = next;
    slot ^= 1;
  }
  // A block read ahead of a decoder that is done is not used, even a failed one.
  if (!unwritten.empty() && !out.Write(unwritten)) {
    return StreamStatus::WriteError;
  }
  if (r.error && !decoder.Done()) {
    return StreamStatus::ReadError;
  }
  std::string last;
  decoder.Finish(last);
  if (!last.empty() && !out.Write(last)) {
    return StreamStatus::WriteError;
  }
  return StreamStatus::Ok;
}

// Drives an incremental decoder over a whole stream. The decoder provides
//   void Feed(std::string_view block, std::string& out);  // decode one block
//   void Finish(std::string& out);                        // end of input
//   bool Done() const;      // true once further input cannot change the output
// The decoder carries its state across block edges; output is flushed to the
// writer in blocks, so memory stays constant whatever the input size. A
// DirectDecoder decodes each block straight into one output buffer, which is
// written with one call per block, and overlaps the decoding with the reading
// and writing when the reader and the writer allow it.
template <class Decoder>
StreamStatus PumpStream(Decoder& decoder, ByteReader& in, ByteWriter& out) {
  if constexpr (DirectDecoder<Decoder>) {
    const std::size_t blockSize = std::max<std::size_t>(in.BlockSize(), 1);
    if (in.MayReadAhead() && out.MayWriteFromHelperThread()) {
      return PumpOverlapped(decoder, in, out, blockSize);
    }
    return PumpInSeries(decoder, in, out, blockSize);
  } else {
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
}

}  // namespace vortane
