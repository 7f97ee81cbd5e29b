#include "gui/ui_text_qt.h"

#include <string>

#include "cjk/display_text.h"

namespace vortane {

QString ToQString(const UiText& text) {
  switch (text.code) {
    case UiCode::Gb:
      return BytesToQString(text.bytes, TextCode::Gb);
    case UiCode::Big5:
      return BytesToQString(text.bytes, TextCode::Big5);
    case UiCode::Ascii:
      break;
  }
  return QString::fromLatin1(text.bytes.data(), static_cast<qsizetype>(text.bytes.size()));
}

QString BytesToQString(std::string_view bytes, TextCode code) {
  const std::u16string text = DecodeText(bytes, code);
  return QString::fromStdU16String(text);
}

QString Utf8ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace vortane
