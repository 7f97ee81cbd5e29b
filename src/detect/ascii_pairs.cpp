#include "detect/ascii_pairs.h"

#include <string_view>

namespace vortane {
namespace {

enum class ByteClass { Lower, Upper, Digit, Opening, Closing, Other };

ByteClass ClassOf(unsigned char byte) {
  if (byte >= 'a' && byte <= 'z') {
    return ByteClass::Lower;
  }
  if (byte >= 'A' && byte <= 'Z') {
    return ByteClass::Upper;
  }
  if (byte >= '0' && byte <= '9') {
    return ByteClass::Digit;
  }
  if (std::string_view("([<%$'\"-_/.").find(static_cast<char>(byte)) != std::string_view::npos) {
    return ByteClass::Opening;
  }
  if (std::string_view(")]>:,.;!?'\"-_/").find(static_cast<char>(byte)) != std::string_view::npos) {
    return ByteClass::Closing;
  }
  return ByteClass::Other;
}

}  // namespace

int AsciiPairScore(unsigned char before, unsigned char byte) {
  const ByteClass a = ClassOf(before);
  const ByteClass b = ClassOf(byte);
  const bool wordA = a == ByteClass::Lower || a == ByteClass::Upper || a == ByteClass::Digit;
  const bool wordB = b == ByteClass::Lower || b == ByteClass::Upper || b == ByteClass::Digit;
  if (wordA && wordB) {
    if (a == b) {
      return a == ByteClass::Lower ? 80 : 40;  // "file", "ID", "2018"
    }
    if (a == ByteClass::Upper && b == ByteClass::Lower) {
      return 50;  // "File"
    }
    return -100;  // "aB", "a1", "1a"
  }
  if (wordA) {
    return b == ByteClass::Closing ? 0 : -50;  // "file)", "name:"
  }
  if (wordB) {
    return a == ByteClass::Opening ? 0 : -50;  // "(file", "<deb"
  }
  return -80;  // two signs
}

}  // namespace vortane
