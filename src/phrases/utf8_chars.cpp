#include "phrases/utf8_chars.h"

namespace vortane {
namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

Utf8Char DecodeUtf8Char(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned char b = s[0];
  if (b < 0x80) {
    return {b, 1};
  }
  std::size_t length = 0;
  char32_t point = 0;
  char32_t least = 0;
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
    point = b & 0x1F;
    least = 0x80;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    point = b & 0x0F;
    least = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    point = b & 0x07;
    least = 0x10000;
  } else {
    return {};
  }
  if (text.size() < length) {
    return {};
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(s[i])) {
      return {};
    }
    point = (point << 6) | (s[i] & 0x3F);
  }
  if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
    return {};
  }
  return {point, length};
}

void AppendUtf8(char32_t point, std::string& out) {
  if (point < 0x80) {
    out.push_back(static_cast<char>(point));
  } else if (point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (point >> 6)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else if (point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (point >> 12)));
    out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (point >> 18)));
    out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  }
}

bool Utf8ToPoints(std::string_view text, std::u32string& points) {
  points.clear();
  while (!text.empty()) {
    const Utf8Char c = DecodeUtf8Char(text);
    if (c.length == 0) {
      return false;
    }
    points.push_back(c.point);
    text.remove_prefix(c.length);
  }
  return true;
}

std::string PointsToUtf8(std::u32string_view points) {
  std::string out;
  out.reserve(points.size() * 3);
  for (char32_t point : points) {
    AppendUtf8(point, out);
  }
  return out;
}

}  // namespace vortane
