#include "lines/line_transforms.h"

namespace vortane {

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr unsigned char kHighBit = 0x80;

bool IsHighByte(char byte) { return (static_cast<unsigned char>(byte) & kHighBit) != 0; }

// The single mark byte, or nothing when the mark cannot be used: an empty mark
// does nothing, and a NUL mark would cut the text at its first line.
bool MarkByte(std::string_view mark, char& byte) {
  if (mark.empty() || mark.front() == '\0') {
    return false;
  }
  byte = mark.front();
  return true;
}

}  // namespace

std::string WordWrap(std::string_view text, int width, bool recogniseDoubleBytes) {
  std::string out;
  out.reserve(text.size() + text.size() / 32 + 16);
  long count = 0;
  // +1: the high bytes placed since the last inserted break pair up; -1: the
  // last of them is a lead byte still waiting for its trail byte.
  int parity = 1;
  for (const char b : text) {
    if (b == kCr) {
      out.push_back(b);
      count = 0;
    } else if (count < width) {
      out.push_back(b);
      ++count;
      if (IsHighByte(b)) {
        parity = -parity;
      }
    } else if (parity < 0 && recogniseDoubleBytes) {
      out.push_back(b);
      out.push_back(kCr);
      out.push_back(kLf);
      count = 0;
      parity = 1;
    } else {
      out.push_back(kCr);
      out.push_back(kLf);
      out.push_back(b);
      count = 1;
      parity = IsHighByte(b) ? -1 : 1;
    }
  }
  return out;
}

std::string AddMark(std::string_view text, std::string_view mark) {
  char m = 0;
  if (!MarkByte(mark, m)) {
    return std::string(text);
  }
  std::string out;
  out.reserve(text.size() + text.size() / 16 + 1);
  out.push_back(m);
  for (const char b : text) {
    out.push_back(b);
    if (b == kLf) {
      out.push_back(m);
    }
  }
  return out;
}

std::string RemoveMark(std::string_view text, std::string_view mark) {
  char m = 0;
  if (!MarkByte(mark, m)) {
    return std::string(text);
  }
  std::string out;
  out.reserve(text.size());
  std::size_t i = !text.empty() && text.front() == m ? 1 : 0;
  while (i < text.size()) {
    out.push_back(text[i]);
    if (text[i] == kLf && i + 1 < text.size() && text[i + 1] == m) {
      i += 2;
    } else {
      ++i;
    }
  }
  return out;
}

}  // namespace vortane
