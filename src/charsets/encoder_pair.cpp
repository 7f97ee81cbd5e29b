#include "charsets/encoder_pair.h"

#include <algorithm>

namespace vortane {
namespace {

bool Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool CarriesOnlyACutOffCharacter(Charset charset) {
  switch (charset) {
    case Charset::Gb18030:
    case Charset::Big5Hkscs:
    case Charset::Utf8:
    case Charset::Utf16Le:
    case Charset::Utf16Be:
      return true;
    case Charset::Utf16:
    case Charset::Hz:
    case Charset::Utf7:
      return false;
  }
  return false;
}

}  // namespace

std::size_t CleanCut(std::string_view utf8, std::size_t from, std::size_t within) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
  const std::size_t last = std::min(utf8.size(), from + within);
  for (std::size_t i = std::max<std::size_t>(from, 1); i <= last; ++i) {
    if (at(i - 1) < 0x80) {
      return i;
    }
    if (i >= 3 && (at(i - 3) & 0xF0) == 0xE0 && Continuation(at(i - 2)) &&
        Continuation(at(i - 1))) {
      return i;
    }
  }
  return std::string_view::npos;
}

EncoderPair::EncoderPair(Charset charset, IllFormedUtf8 illFormed)
    : mayCut_(CarriesOnlyACutOffCharacter(charset)),
      first_(charset, illFormed),
      second_(charset, illFormed) {}

char* EncoderPair::FeedInto(std::string_view utf8Block, char* dst) {
  first_.simd = simd;
  return first_.FeedInto(utf8Block, dst);
}

char* EncoderPair::FeedAfterCutInto(std::string_view utf8Part, char* dst) {
  second_.simd = simd;
  return second_.FeedInto(utf8Part, dst);
}

}  // namespace vortane
