#include "io/file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vortane {

std::string DescribeError(int error) { return std::strerror(error); }

bool FileReader::IsLargeRegularFile(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
         static_cast<std::uint64_t>(st.st_size) > 2 * kFileBlockSize;
}

ReadResult FileReader::Read(std::span<char> buffer) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
    if (n >= 0) {
      return {static_cast<std::size_t>(n), false};
    }
    if (errno != EINTR) {
      error_ = errno;
      return {0, true};
    }
  }
}

bool FileWriter::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      error_ = errno;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool FileWriter::Close() {
  if (owned_.valid() && !owned_.Reset()) {
    error_ = errno;
    return false;
  }
  return true;
}

std::unique_ptr<FileReader> OpenFileReader(const std::string& path, int& error) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) {
    error = errno;
    return nullptr;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode)) {
    error = EISDIR;
    return nullptr;
  }
  return std::make_unique<FileReader>(std::move(fd));
}

std::optional<std::string> ReadFileBytes(const std::string& path, int& error, std::uint64_t limit) {
  auto reader = OpenFileReader(path, error);
  if (!reader) {
    return std::nullopt;
  }
  std::string bytes;
  std::vector<char> block(kStreamBlockSize);
  while (bytes.size() < limit) {
    const auto want =
        static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), limit - bytes.size()));
    const ReadResult r = reader->Read(std::span<char>(block.data(), want));
    if (r.error) {
      error = reader->error();
      return std::nullopt;
    }
    if (r.count == 0) {
      break;
    }
    bytes.append(block.data(), r.count);
  }
  return bytes;
}

std::optional<std::string> ReadWholeFileUpTo(const std::string& path, int& error,
                                             std::uint64_t maxBytes) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<std::uint64_t>(st.st_size) > maxBytes) {
    error = EFBIG;
    return std::nullopt;
  }
  // One byte past the limit tells a file at the limit from a longer one (a
  // pipe, or a file that grew since).
  auto bytes = ReadFileBytes(path, error, maxBytes + 1);
  if (bytes && bytes->size() > maxBytes) {
    error = EFBIG;
    return std::nullopt;
  }
  return bytes;
}

bool IsSameFile(const std::string& a, const std::string& b) {
  struct stat sa {};
  struct stat sb {};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) {
    return false;
  }
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool IsSpecialFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

namespace {

// The mode a newly created file would get: 0666 less the process's umask,
// read from /proc so the umask itself is never changed.
mode_t NewFileMode() {
  mode_t mask = 022;
  int error = 0;
  if (auto status = ReadFileBytes("/proc/self/status", error, 4096)) {
    const auto at = status->find("Umask:");
    if (at != std::string::npos) {
      mask = static_cast<mode_t>(std::strtoul(status->c_str() + at + 6, nullptr, 8));
    }
  }
  return 0666 & ~mask;
}

// The file that writing to `path` reaches: symbolic links at the end of the
// path are followed (a dangling one to the file it names), so the rename that
// replaces the file keeps the link instead of putting a file in its place.
// nullopt with ELOOP when the links go round.
std::optional<std::string> FollowFinalLinks(std::string path) {
  constexpr int kMaxLinks = 40;
  for (int hops = 0; hops < kMaxLinks; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      return path;
    }
    std::vector<char> target(4096);
    ssize_t n = 0;
    while ((n = ::readlink(path.c_str(), target.data(), target.size())) >= 0 &&
           static_cast<std::size_t>(n) == target.size()) {
      target.resize(target.size() * 2);
    }
    if (n <= 0) {
      return path;
    }
    std::string next(target.data(), static_cast<std::size_t>(n));
    if (next.front() != '/') {
      const auto slash = path.rfind('/');
      next = (slash == std::string::npos ? "" : path.substr(0, slash + 1)) + next;
    }
    path = std::move(next);
  }
  return std::nullopt;
}

}  // namespace

std::unique_ptr<OutputFile> OutputFile::Create(const std::string& requested, int& error) {
  if (requested.empty()) {
    error = ENOENT;
    return nullptr;
  }
  const std::optional<std::string> target = FollowFinalLinks(requested);
  if (!target) {
    error = ELOOP;
    return nullptr;
  }
  const std::string& path = *target;
  if (IsSpecialFile(path)) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    if (S_ISDIR(st.st_mode)) {
      error = EISDIR;
      return nullptr;
    }
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (!fd.valid()) {
      error = errno;
      return nullptr;
    }
    return std::make_unique<OutputFile>(Key{}, path, "", std::move(fd));
  }
  const auto slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string temp = dir + "." + name + ".XXXXXX";
  std::vector<char> buffer(temp.begin(), temp.end());
  buffer.push_back('\0');
  UniqueFd fd(::mkostemp(buffer.data(), O_CLOEXEC));
  if (!fd.valid()) {
    error = errno;
    return nullptr;
  }
  temp.assign(buffer.data());
  struct stat existing {};
  const mode_t mode =
      ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : NewFileMode();
  ::fchmod(fd.get(), mode);
  return std::make_unique<OutputFile>(Key{}, path, temp, std::move(fd));
}

OutputFile::OutputFile(Key, std::string path, std::string tempPath, UniqueFd fd)
    : path_(std::move(path)), tempPath_(std::move(tempPath)), fd_(std::move(fd)) {}

OutputFile::~OutputFile() {
  if (!committed_) {
    Discard();
  }
}

bool OutputFile::Write(std::string_view bytes) {
  FileWriter writer(fd_.get());
  if (!writer.Write(bytes)) {
    error_ = writer.error();
    return false;
  }
  return true;
}

bool OutputFile::Commit() {
  // Before a rename replaces an existing file the new bytes must be on the
  // disk, or a crash could leave neither the old file nor the new one. A new
  // file has nothing to lose and is left to the system's write-back, like any
  // plain copy: waiting for the disk would cost more than the whole run.
  struct stat existing {};
  const bool replacing = !tempPath_.empty() && ::stat(path_.c_str(), &existing) == 0;
  if (replacing && ::fsync(fd_.get()) != 0 && errno != EINVAL) {
    error_ = errno;
    Discard();
    return false;
  }
  if (!fd_.Reset()) {
    error_ = errno;
    Discard();
    return false;
  }
  if (!tempPath_.empty() && ::rename(tempPath_.c_str(), path_.c_str()) != 0) {
    error_ = errno;
    Discard();
    return false;
  }
  committed_ = true;
  return true;
}

void OutputFile::Discard() {
  fd_.Reset();
  if (!tempPath_.empty()) {
    ::unlink(tempPath_.c_str());
  }
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, int& error) {
  auto file = OutputFile::Create(path, error);
  if (!file) {
    return false;
  }
  if (!file->Write(bytes) || !file->Commit()) {
    error = file->error();
    return false;
  }
  return true;
}

}  // namespace vortane
