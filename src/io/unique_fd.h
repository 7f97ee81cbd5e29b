// Owns a POSIX file descriptor and closes it once.
#pragma once

#include <unistd.h>

#include <utility>

namespace vortane {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      Reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  ~UniqueFd() { Reset(); }

  [[nodiscard]] int get() const { return fd_; }
  [[nodiscard]] bool valid() const { return fd_ >= 0; }

  // Closes the descriptor; returns false when close() reported an error (a
  // delayed write error on some file systems).
  bool Reset() {
    bool ok = true;
    if (fd_ >= 0) {
      ok = ::close(fd_) == 0;
      fd_ = -1;
    }
    return ok;
  }

 private:
  int fd_ = -1;
};

}  // namespace vortane
