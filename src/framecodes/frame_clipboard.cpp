#include "framecodes/frame_clipboard.h"

#include "charsets/charset_text.h"
#include "charsets/unicode_scalar.h"
#include "cjk/display_text.h"
#include "framecodes/display_charset.h"
#include "framecodes/frame_units.h"

namespace vortane {

std::u16string ClipboardTextFromFrameBytes(std::string_view bytes, DisplayCode code) {
  if (const auto tableCode = TableTextCode(code)) {
    return ClipboardTextFromBytes(bytes, *tableCode);
  }
  const std::string utf8 = DecodeToUtf8(DisplayCharset(code), bytes).utf8;
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    if (p[i] < 0x80) {
      // The LF that follows stands for the pair.
      if (!(p[i] == '\r' && i + 1 < utf8.size() && p[i + 1] == '\n')) {
        out.push_back(p[i]);
      }
      ++i;
      continue;
    }
    // The decoder writes well-formed UTF-8 only.
    const charsets_detail::Utf8Step step = charsets_detail::ReadUtf8(p + i, utf8.size() - i);
    framecodes_detail::AppendUtf16(step.point, out);
    i += step.length;
  }
  return out;
}

std::string FrameBytesFromClipboardText(std::u16string_view text, DisplayCode code,
                                        std::size_t* unheld) {
  std::string out;
  out.reserve(text.size() * 2);
  std::size_t missing = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if ((u == u'\n' && (i == 0 || text[i - 1] != u'\r')) || u == kDisplayLineBreak) {
      out.append("\r\n");
    } else if (u == kDisplayBareLineFeed) {
      out.push_back('\n');
    } else {
      i = framecodes_detail::AppendCharacter(
          code, text, i, framecodes_detail::StandIns::AreCharacters, out, missing);
    }
  }
  if (unheld != nullptr) {
    *unheld = missing;
  }
  return out;
}

std::string RawClipboardFormat(DisplayCode code) {
  switch (code) {
    case DisplayCode::Gb:
      return "text/plain;charset=GB2312";
    case DisplayCode::Big5:
      return "text/plain;charset=Big5";
    case DisplayCode::Gb18030:
      return "text/plain;charset=GB18030";
    case DisplayCode::Big5Hkscs:
      return "text/plain;charset=Big5-HKSCS";
    case DisplayCode::Utf8:
      return "text/plain;charset=UTF-8";
  }
  return "text/plain;charset=GB2312";
}

}  // namespace vortane
