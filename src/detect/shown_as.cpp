#include "detect/shown_as.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "charsets/charset_text.h"
#include "detect/code_points.h"

namespace vortane {
namespace {

// CP1252's characters for the bytes 0x80..0x9F; 0 where the byte is unassigned.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

std::optional<unsigned char> Cp1252Byte(char32_t point) {
  if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) {
    return static_cast<unsigned char>(point);
  }
  for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
    const char32_t shown = kCp1252High[i] != 0 ? kCp1252High[i] : static_cast<char32_t>(0x80 + i);
    if (shown == point) {
      return static_cast<unsigned char>(0x80 + i);
    }
  }
  return std::nullopt;
}

std::optional<std::string> UndoSingleByte(ShownCode code, std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t point = NextCodePoint(utf8, pos);
    if (point == kNotUtf8) {
      return std::nullopt;
    }
    const std::optional<unsigned char> byte =
        code == ShownCode::Latin1
            ? (point <= 0xFF ? std::optional<unsigned char>(static_cast<unsigned char>(point))
                             : std::nullopt)
            : Cp1252Byte(point);
    if (!byte) {
      return std::nullopt;
    }
    bytes += static_cast<char>(*byte);
  }
  return bytes;
}

// True when every character of `bytes` (GB18030) is ASCII or two bytes long:
// a four-byte character is one GBK never showed.
bool IsGbkOnly(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      continue;
    }
    if (i + 1 >= bytes.size() || (static_cast<unsigned char>(bytes[i + 1]) >= 0x30 &&
                                  static_cast<unsigned char>(bytes[i + 1]) <= 0x39)) {
      return false;
    }
    ++i;
  }
  return true;
}

}  // namespace

std::optional<std::string> UndoShownAs(ShownCode code, std::string_view utf8) {
  bool wide = false;
  for (const char c : utf8) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      wide = true;
      break;
    }
  }
  if (!wide || !IsUtf8(utf8)) {
    return std::nullopt;
  }
  if (code == ShownCode::Latin1 || code == ShownCode::Cp1252) {
    return UndoSingleByte(code, utf8);
  }
  const Charset charset = code == ShownCode::Gbk ? Charset::Gb18030 : Charset::Big5Hkscs;
  EncodedText encoded = EncodeFromUtf8(charset, utf8);
  if (encoded.unwritable != 0 || (code == ShownCode::Gbk && !IsGbkOnly(encoded.bytes))) {
    return std::nullopt;
  }
  return std::move(encoded.bytes);
}

}  // namespace vortane
