#include "gui/byte_frame.h"

#include <QByteArray>
#include <QMimeData>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <memory>
#include <optional>

#include "cjk/display_text.h"

namespace vortane {
namespace {

QString ToQString(const std::u16string& text) { return QString::fromStdU16String(text); }

// Raw bytes offered by `source`, in either code (bytes are bytes whichever
// code the copying frame showed them in).
std::optional<std::string> RawBytesOf(const QMimeData* source, TextCode preferred) {
  const TextCode other = preferred == TextCode::Big5 ? TextCode::Gb : TextCode::Big5;
  for (const TextCode code : {preferred, other}) {
    if (source->hasFormat(RawBytesMimeType(code))) {
      const QByteArray data = source->data(RawBytesMimeType(code));
      return std::string(data.constData(), static_cast<std::size_t>(data.size()));
    }
  }
  return std::nullopt;
}

}  // namespace

QString RawBytesMimeType(TextCode code) {
  return code == TextCode::Big5 ? QStringLiteral("text/plain;charset=Big5")
                                : QStringLiteral("text/plain;charset=GB2312");
}

ByteFrame::ByteFrame(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
}

std::u16string ByteFrame::RawText() const { return document()->toRawText().toStdU16String(); }

std::string ByteFrame::GetBytes() const { return DisplayTextToBytes(RawText(), code_); }

void ByteFrame::SetBytes(std::string_view bytes) {
  setPlainText(ToQString(BytesToDisplayText(bytes, code_)));
  QTextCursor cursor = textCursor();
  cursor.movePosition(QTextCursor::Start);
  setTextCursor(cursor);
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
}

std::size_t ByteFrame::ByteOffset(const std::u16string& raw, int position) const {
  const auto length = std::min(static_cast<std::size_t>(std::max(position, 0)), raw.size());
  return DisplayTextToBytes(std::u16string_view(raw).substr(0, length), code_).size();
}

ByteRange ByteFrame::Selection() const {
  const std::u16string raw = RawText();
  const QTextCursor cursor = textCursor();
  return ByteRange{ByteOffset(raw, cursor.selectionStart()), ByteOffset(raw, cursor.selectionEnd())};
}

void ByteFrame::SelectBytes(std::size_t start, std::size_t end) {
  const std::u16string raw = RawText();
  // Document position of the character that holds byte `offset`.
  auto positionOf = [&](std::size_t offset) {
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      const std::size_t next =
          bytes + DisplayTextToBytes(std::u16string_view(raw).substr(i, 1), code_).size();
      if (next > offset) {
        return static_cast<int>(i);
      }
      bytes = next;
    }
    return static_cast<int>(raw.size());
  };
  QTextCursor cursor = textCursor();
  cursor.setPosition(positionOf(start));
  cursor.setPosition(positionOf(end), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

void ByteFrame::PasteClipboard() { paste(); }

void ByteFrame::CopySelection() { copy(); }

void ByteFrame::SetDisplayCode(TextCode code) {
  if (code == code_) {
    return;
  }
  const std::string bytes = GetBytes();
  code_ = code;
  SetBytes(bytes);
  emit displayCodeChanged(code);
}

QMimeData* ByteFrame::createMimeDataFromSelection() const {
  const QTextCursor cursor = textCursor();
  const std::string bytes = DisplayTextToBytes(cursor.selectedText().toStdU16String(), code_);
  auto mime = std::make_unique<QMimeData>();
  mime->setText(ToQString(ClipboardTextFromBytes(bytes, code_)));
  mime->setData(RawBytesMimeType(code_), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return mime.release();  // the caller owns it
}

bool ByteFrame::canInsertFromMimeData(const QMimeData* source) const {
  return source != nullptr && (source->hasText() || RawBytesOf(source, code_).has_value());
}

void ByteFrame::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || isReadOnly()) {
    return;
  }
  std::optional<std::string> bytes = RawBytesOf(source, code_);
  if (!bytes && source->hasText()) {
    bytes = BytesFromClipboardText(source->text().toStdU16String(), code_);
  }
  if (!bytes) {
    return;
  }
  QTextCursor cursor = textCursor();
  cursor.insertText(ToQString(BytesToDisplayText(*bytes, code_)));
  setTextCursor(cursor);
  ensureCursorVisible();
}

}  // namespace vortane
