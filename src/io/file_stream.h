// ByteReader and ByteWriter over files, and the small file operations the
// commands need. Every failure keeps its errno so messages can name the cause.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "codec/byte_stream.h"
#include "io/unique_fd.h"

namespace vortane {

// Text of an errno value, for messages ("No such file or directory").
[[nodiscard]] std::string DescribeError(int error);

// Size of the blocks a file is read in by PumpStream: larger than
// kStreamBlockSize, since fewer calls cost less and the buffers still sit in
// the processor's cache.
inline constexpr std::size_t kFileBlockSize = 256 * 1024;

// Reads a file descriptor in blocks.
class FileReader final : public ByteReader {
 public:
  // Borrows `fd` (standard input); the caller keeps it open.
  explicit FileReader(int fd) : fd_(fd), readAhead_(IsLargeRegularFile(fd)) {}
  // Owns `fd`.
  explicit FileReader(UniqueFd fd)
      : owned_(std::move(fd)), fd_(owned_.get()), readAhead_(IsLargeRegularFile(fd_)) {}

  ReadResult Read(std::span<char> buffer) override;
  [[nodiscard]] std::size_t BlockSize() const override { return kFileBlockSize; }
  // A regular file of more than two blocks: a pipe or a terminal could make
  // a read made ahead wait for input the decoding does not need.
  [[nodiscard]] bool MayReadAhead() const override { return readAhead_; }
  [[nodiscard]] int error() const override { return error_; }

 private:
  static bool IsLargeRegularFile(int fd);

  UniqueFd owned_;
  int fd_;
  bool readAhead_;
  int error_ = 0;
};

// Writes to a file descriptor, retrying short writes.
class FileWriter final : public ByteWriter {
 public:
  explicit FileWriter(int fd) : fd_(fd) {}
  explicit FileWriter(UniqueFd fd) : owned_(std::move(fd)), fd_(owned_.get()) {}

  [[nodiscard]] bool Write(std::string_view bytes) override;
  [[nodiscard]] bool MayWriteFromHelperThread() const override { return true; }
  [[nodiscard]] int error() const override { return error_; }
  // Closes an owned descriptor; false (with error()) when close failed.
  [[nodiscard]] bool Close();

 private:
  UniqueFd owned_;
  int fd_;
  int error_ = 0;
};

// Opens `path` for reading; nullptr with `error` set on failure. A directory
// is refused with EISDIR.
[[nodiscard]] std::unique_ptr<FileReader> OpenFileReader(const std::string& path, int& error);

// Reads a whole file (or at most `limit` bytes of it); nullopt with `error`.
[[nodiscard]] std::optional<std::string> ReadFileBytes(const std::string& path, int& error,
                                                       std::uint64_t limit = UINT64_MAX);

// Reads a whole file of at most `maxBytes`; a longer one is refused with
// EFBIG (a regular file by its size, before anything is read).
[[nodiscard]] std::optional<std::string> ReadWholeFileUpTo(const std::string& path, int& error,
                                                           std::uint64_t maxBytes);

// True when both paths exist and name the same file (same device and inode).
[[nodiscard]] bool IsSameFile(const std::string& a, const std::string& b);

// True when `path` exists and is not a regular file (a device, a pipe, ...).
[[nodiscard]] bool IsSpecialFile(const std::string& path);

// An output file that replaces `path` only when committed: bytes go to a
// temporary file beside it, renamed over `path` by Commit(). Dropped
// uncommitted, the temporary file is removed and `path` is untouched. A path
// that names an existing special file (/dev/null, /dev/full, a pipe) is
// written directly instead, since it cannot be replaced by a rename. A path
// that ends in a symbolic link writes to the file the link names, and the link
// stays.
class OutputFile final : public ByteWriter {
  struct Key {
    explicit Key() = default;
  };

 public:
  // Creates the temporary file; nullptr with `error` on failure.
  [[nodiscard]] static std::unique_ptr<OutputFile> Create(const std::string& path, int& error);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() override;

  [[nodiscard]] bool Write(std::string_view bytes) override;
  [[nodiscard]] bool MayWriteFromHelperThread() const override { return true; }
  // Closes and renames into place, first flushing to the disk when the rename
  // replaces an existing file; false with error() on failure (the temporary
  // file is then removed).
  [[nodiscard]] bool Commit();
  [[nodiscard]] int error() const override { return error_; }
  // The file written: the path asked for, with final symbolic links followed.
  [[nodiscard]] const std::string& path() const { return path_; }

  OutputFile(Key, std::string path, std::string tempPath, UniqueFd fd);

 private:
  void Discard();

  std::string path_;
  std::string tempPath_;  // empty when writing a special file directly
  UniqueFd fd_;
  int error_ = 0;
  bool committed_ = false;
};

// Writes `bytes` to `path` through an OutputFile (all or nothing); false with `error`.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view bytes, int& error);

}  // namespace vortane
