#include "mail/message_stream.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace vortane {
namespace {

constexpr std::string_view kFromLine = "\nFrom ";

// Drops one empty line at the end of an mbox's last message.
void DropFinalEmptyLine(std::string& message) {
  if (message.ends_with("\r\n\r\n")) {
    message.resize(message.size() - 2);
  } else if (message.ends_with("\n\n")) {
    message.pop_back();
  }
}

}  // namespace

bool MessageStreamReader::Fill() {
  if (ended_) {
    return false;
  }
  // Drop what was handed out, keeping the line end before the current message.
  if (start_ > 1) {
    const std::size_t shift = start_ - 1;
    buffer_.erase(0, shift);
    start_ -= shift;
    scan_ = scan_ > shift ? scan_ - shift : 0;
  }
  if (block_.empty()) {
    block_.resize(kStreamBlockSize);
  }
  const ReadResult r = in_.Read(std::span<char>(block_.data(), block_.size()));
  buffer_.append(block_.data(), r.count);
  if (r.error) {
    readFailed_ = true;
    ended_ = true;
    return false;
  }
  if (r.count == 0) {
    ended_ = true;
    return false;
  }
  return true;
}

bool MessageStreamReader::FindSeparator(std::size_t& messageEnd, std::size_t& nextStart) {
  while (true) {
    const std::size_t at = buffer_.find(kFromLine, scan_);
    if (at == std::string::npos) {
      // Keep the tail that may begin a separator cut by the block edge.
      const std::size_t keep = kFromLine.size() + 1;
      scan_ = std::max(scan_, buffer_.size() > keep ? buffer_.size() - keep : 0);
      return false;
    }
    // `at` is the line end of an empty line when the line before it is empty.
    std::size_t emptyStart = std::string::npos;
    if (at >= 1 && buffer_[at - 1] == '\n') {
      emptyStart = at;
    } else if (at >= 2 && buffer_[at - 1] == '\r' && buffer_[at - 2] == '\n') {
      emptyStart = at - 1;
    }
    if (emptyStart == std::string::npos || emptyStart < start_) {
      scan_ = at + 1;
      continue;
    }
    const std::size_t lineEnd = buffer_.find('\n', at + 1);
    if (lineEnd == std::string::npos) {
      scan_ = at;  // the "From " line is not complete yet
      return false;
    }
    messageEnd = emptyStart;
    nextStart = lineEnd + 1;
    return true;
  }
}

bool MessageStreamReader::Next(std::string& message) {
  if (done_) {
    return false;
  }
  if (!started_) {
    started_ = true;
    while (buffer_.size() < 5 && Fill()) {
    }
    mbox_ = std::string_view(buffer_).starts_with("From ");
    if (mbox_) {
      while (buffer_.find('\n') == std::string::npos && Fill()) {
      }
      const std::size_t lineEnd = buffer_.find('\n');
      start_ = lineEnd == std::string::npos ? buffer_.size() : lineEnd + 1;
      // The "\n" that ends the "From " line may begin a separator.
      scan_ = start_ > 0 ? start_ - 1 : 0;
    }
  }
  if (!mbox_) {
    while (Fill()) {
    }
    done_ = true;
    if (readFailed_ || buffer_.empty()) {
      return false;
    }
    message = std::move(buffer_);
    buffer_.clear();
    return true;
  }
  while (true) {
    std::size_t messageEnd = 0;
    std::size_t nextStart = 0;
    if (FindSeparator(messageEnd, nextStart)) {
      message.assign(buffer_, start_, messageEnd - start_);
      start_ = nextStart;
      // From the line end of the "From " line: an empty line right after it
      // ends an empty message.
      scan_ = nextStart - 1;
      return true;
    }
    if (!Fill()) {
      break;
    }
  }
  done_ = true;
  if (readFailed_) {
    return false;
  }
  message.assign(buffer_, start_);
  DropFinalEmptyLine(message);
  buffer_.clear();
  return true;
}

}  // namespace vortane
