// Messages one at a time from a byte stream: a single message, or an mbox.
#pragma once

#include <cstddef>
#include <string>

#include "codec/byte_stream.h"

namespace vortane {

// Reads the messages of `in` in order, holding at most one message and one
// block in memory. Input whose first line begins with "From " is an mbox: it
// is split at every "From " line that follows an empty line; each message is
// handed out without its "From " line and without the empty line that ends it.
// Any other input is one message. Empty input holds no message.
class MessageStreamReader {
 public:
  explicit MessageStreamReader(ByteReader& in) : in_(in) {}

  // Puts the next message into `message`. False at the end of the input or
  // when a read failed (then ReadFailed() is true).
  [[nodiscard]] bool Next(std::string& message);

  [[nodiscard]] bool ReadFailed() const { return readFailed_; }
  // Whether the input is an mbox; known once Next has been called.
  [[nodiscard]] bool IsMbox() const { return mbox_; }

 private:
  // Appends one block to the buffer; false at the end of the input or on error.
  bool Fill();
  // Whether an mbox separator was found; sets the message end and the start of
  // the next message.
  bool FindSeparator(std::size_t& messageEnd, std::size_t& nextStart);

  ByteReader& in_;
  std::string block_;      // one read
  std::string buffer_;     // the current message and what follows it
  std::size_t start_ = 0;  // where the current message begins in buffer_
  std::size_t scan_ = 0;   // where the search for a separator resumes
  bool started_ = false;
  bool mbox_ = false;
  bool ended_ = false;  // the input has no more bytes
  bool done_ = false;
  bool readFailed_ = false;
};

}  // namespace vortane
