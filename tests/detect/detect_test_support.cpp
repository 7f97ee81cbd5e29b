#include "detect/detect_test_support.h"

#include <gtest/gtest.h>

#include "charsets/charset_text.h"

namespace vortane::testing {

std::string Encode(Charset code, std::string_view utf8) {
  EncodedText encoded = EncodeFromUtf8(code, utf8);
  EXPECT_EQ(encoded.unwritable, 0u) << "test text does not fit its code";
  return encoded.bytes;
}

std::string Base64Lines(std::string_view bytes) {
  static constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  std::size_t column = 0;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    unsigned group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      group = (group << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    }
    for (std::size_t k = 0; k < 4; ++k) {
      out += k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    column += 4;
    if (column == 76) {
      out += "\r\n";
      column = 0;
    }
  }
  return out;
}

std::string QuotedPrintable(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 || byte == '=') {
      out += '=';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

std::string ShownAsLatin1(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

std::string StripEighthBit(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out) {
    c = static_cast<char>(static_cast<unsigned char>(c) & 0x7F);
  }
  return out;
}

}  // namespace vortane::testing
