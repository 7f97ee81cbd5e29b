#include "io/new_file_directory.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace vortane {

std::optional<NewFileDirectory> NewFileDirectory::Open(const std::string& path, int& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return std::nullopt;
  }
  error = 0;
  return NewFileDirectory(UniqueFd(fd));
}

NewFileResult NewFileDirectory::CreateNewFile(const std::string& name,
                                              std::string_view bytes) const {
  if (name.empty() || name.find('/') != std::string::npos) {
    return {EINVAL};
  }
  // O_EXCL with O_CREAT fails on any existing name, a symbolic link (even a
  // dangling one) included; O_NOFOLLOW says the same once more.
  UniqueFd file(::openat(fd_.get(), name.c_str(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (!file.valid()) {
    return {errno};
  }
  int error = 0;
  while (!bytes.empty()) {
    const ssize_t n = ::write(file.get(), bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      error = errno;
      break;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  if (!file.Reset() && error == 0) {
    error = errno;
  }
  if (error != 0) {
    ::unlinkat(fd_.get(), name.c_str(), 0);
  }
  return {error};
}

}  // namespace vortane
