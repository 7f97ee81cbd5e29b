#include "support/stream_check.h"

#include <cctype>
#include <cstdio>

namespace vortane::testing {

std::string RunStream(const StreamFunction& fn, std::string_view input, std::size_t blockSize) {
  StringReader reader(input, blockSize);
  StringWriter writer;
  EXPECT_EQ(fn(reader, writer), StreamStatus::Ok);
  return writer.bytes();
}

std::string ExpectBlockSizeIndependent(const StreamFunction& fn, std::string_view input) {
  const std::string reference = RunStream(fn, input, 65536);
  for (std::size_t size : kCheckedBlockSizes) {
    EXPECT_EQ(ToHex(RunStream(fn, input, size)), ToHex(reference)) << "block size " << size;
  }
  return reference;
}

std::string Hex(std::string_view hex) {
  std::string bytes;
  int high = -1;
  for (char c : hex) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      continue;
    }
    const int v = std::isdigit(static_cast<unsigned char>(c))
                      ? c - '0'
                      : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
    if (high < 0) {
      high = v;
    } else {
      bytes.push_back(static_cast<char>(high * 16 + v));
      high = -1;
    }
  }
  return bytes;
}

std::string ToHex(std::string_view bytes) {
  std::string text;
  char buf[4];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", c);
    if (!text.empty()) {
      text.push_back(' ');
    }
    text += buf;
  }
  return text;
}

}  // namespace vortane::testing
