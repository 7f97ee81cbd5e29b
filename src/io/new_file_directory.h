// A directory to create new files in, safely: for saving attachments whose
// names come from mail.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "io/unique_fd.h"

namespace vortane {

// How creating one file ended: 0 when written, else the errno of the cause
// (EEXIST: the name is taken, by a file, a directory or a symbolic link).
struct NewFileResult {
  int error = 0;
};

class NewFileDirectory {
 public:
  // Opens the existing directory `path` (a symbolic link to a directory is
  // followed: the user named it). nullopt with `error` set to the errno when
  // it does not exist, is not a directory or cannot be opened.
  [[nodiscard]] static std::optional<NewFileDirectory> Open(const std::string& path, int& error);

  // Creates the file `name` (one path component, no "/") inside the
  // directory and writes `bytes` to it. The file is created exclusively
  // (O_EXCL): never over an existing file and never through a symbolic link.
  // A file whose writing fails is removed again.
  [[nodiscard]] NewFileResult CreateNewFile(const std::string& name, std::string_view bytes) const;

 private:
  explicit NewFileDirectory(UniqueFd fd) : fd_(std::move(fd)) {}
  UniqueFd fd_;
};

}  // namespace vortane
