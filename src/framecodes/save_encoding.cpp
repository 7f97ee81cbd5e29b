#include "framecodes/save_encoding.h"

#include "charsets/charset_text.h"
#include "framecodes/frame_units.h"

namespace vortane {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

Charset CharsetOf(SaveEncoding encoding) {
  switch (encoding) {
    case SaveEncoding::Utf16LeWithMark:
      return Charset::Utf16;  // written little-endian with a mark
    case SaveEncoding::Gb18030:
      return Charset::Gb18030;
    case SaveEncoding::Big5Hkscs:
      return Charset::Big5Hkscs;
    case SaveEncoding::Bytes:
    case SaveEncoding::Utf8:
      break;
  }
  return Charset::Utf8;
}

}  // namespace

SaveText MakeSaveText(std::string_view frameBytes, DisplayCode code, SaveEncoding encoding) {
  SaveText text;
  if (encoding == SaveEncoding::Bytes) {
    text.bytes.assign(frameBytes);
    return text;
  }
  std::string utf8;
  utf8.reserve(frameBytes.size() * 3 / 2);
  std::size_t i = 0;
  while (i < frameBytes.size()) {
    const framecodes_detail::FrameUnit unit =
        framecodes_detail::ReadFrameUnit(frameBytes.substr(i), code);
    switch (unit.kind) {
      case framecodes_detail::UnitKind::Ascii:
        utf8.push_back(frameBytes[i]);
        break;
      case framecodes_detail::UnitKind::Character:
      case framecodes_detail::UnitKind::Hidden:
        for (std::size_t k = 0; k < unit.count; ++k) {
          framecodes_detail::AppendUtf8(unit.points[k], utf8);
        }
        break;
      case framecodes_detail::UnitKind::Unknown:
      case framecodes_detail::UnitKind::Broken:
        for (std::size_t k = 0; k < unit.length; ++k) {
          framecodes_detail::AppendUtf8(kReplacement, utf8);
        }
        text.unreadable += unit.length;
        break;
    }
    i += unit.length;
  }
  const Charset charset = CharsetOf(encoding);
  EncodedText encoded = EncodeFromUtf8(charset, utf8);
  // A U+FFFD standing for unreadable bytes is counted once, as unreadable.
  if (text.unreadable > 0 && EncodeFromUtf8(charset, "\uFFFD").unwritable > 0) {
    encoded.unwritable -= text.unreadable;
  }
  text.bytes = std::move(encoded.bytes);
  text.unwritable = encoded.unwritable;
  return text;
}

}  // namespace vortane
