// The codes of the charsets library and the converter that read a display
// code's bytes.
#pragma once

#include "charsets/charset.h"
#include "charsets/recode_stream.h"
#include "cjk/display_code.h"

namespace vortane {

// The charset of one of today's display codes: Gb18030, Big5Hkscs or Utf8.
// Gb and Big5 have none of their own; they are given as Gb18030 and Big5Hkscs.
[[nodiscard]] constexpr Charset DisplayCharset(DisplayCode code) {
  switch (code) {
    case DisplayCode::Gb:
    case DisplayCode::Gb18030:
      return Charset::Gb18030;
    case DisplayCode::Big5:
    case DisplayCode::Big5Hkscs:
      return Charset::Big5Hkscs;
    case DisplayCode::Utf8:
      return Charset::Utf8;
  }
  return Charset::Utf8;
}

// The display code that shows a charset's text: GB18030 and Big5-HKSCS their
// own, any other UTF-8 (the text it is read into).
[[nodiscard]] constexpr DisplayCode DisplayCodeOfCharset(Charset charset) {
  switch (charset) {
    case Charset::Gb18030:
      return DisplayCode::Gb18030;
    case Charset::Big5Hkscs:
      return DisplayCode::Big5Hkscs;
    default:
      return DisplayCode::Utf8;
  }
}

// The code that reads a display code exactly as the frame does: the
// program's tables for Gb and Big5, the charset for the others.
[[nodiscard]] constexpr ConvertCode DisplayConvertCode(DisplayCode code) {
  if (const auto tableCode = TableTextCode(code)) {
    return *tableCode;
  }
  return DisplayCharset(code);
}

}  // namespace vortane
