#include "gui/byte_frame.h"

#include <QByteArray>
#include <QColor>
#include <QEvent>
#include <QFontMetrics>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <memory>
#include <optional>

#include "cjk/display_text.h"
#include "gui/long_line_text.h"

namespace vortane {
namespace {

bool IsStandIn(QChar c) {
  return c.unicode() >= kDisplayStandInBase && c.unicode() <= kDisplayStandInLast;
}

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

void StandInHighlighter::SetFonts(const QFont& textFont, const QFont& hexFont) {
  const QFontMetrics text(textFont);
  const QFontMetrics hex(hexFont);
  // Letter spacing widens whatever the text font draws for a private-use
  // character to the same box width.
  const int box = hex.horizontalAdvance(QStringLiteral("DD")) + 4;
  const int glyph = text.horizontalAdvance(QChar(kDisplayStandInBase));
  format_ = QTextCharFormat();
  format_.setBackground(QColor(0xFF, 0xE0, 0xE0));
  format_.setForeground(QColor(0xFF, 0xE0, 0xE0));
  format_.setFontLetterSpacingType(QFont::AbsoluteSpacing);
  format_.setFontLetterSpacing(std::max(0, box - glyph));
  rehighlight();
}

void StandInHighlighter::highlightBlock(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (IsStandIn(text.at(i))) {
      setFormat(static_cast<int>(i), 1, format_);
    }
  }
}

ByteFrame::ByteFrame(QWidget* parent) : QPlainTextEdit(parent), highlighter_(document()) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
  changeEvent(nullptr);
}

void ByteFrame::changeEvent(QEvent* event) {
  if (event != nullptr) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() != QEvent::FontChange) {
      return;
    }
  }
  hexFont_ = font();
  hexFont_.setPointSizeF(std::max(5.0, font().pointSizeF() * 0.6));
  hexFont_.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                        QStringLiteral("Monospace")});
  highlighter_.SetFonts(font(), hexFont_);
}

void ByteFrame::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  QPainter painter(viewport());
  painter.setFont(hexFont_);
  painter.setPen(QColor(0x90, 0x00, 0x00));
  const int bottom = viewport()->height();
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    if (blockBoundingGeometry(block).translated(contentOffset()).top() > bottom) {
      break;
    }
    const QString text = block.text();
    for (qsizetype i = 0; i < text.size(); ++i) {
      if (!IsStandIn(text.at(i))) {
        continue;
      }
      QTextCursor cursor(block);
      cursor.setPosition(block.position() + static_cast<int>(i));
      const QRect start = cursorRect(cursor);
      if (block.textDirection() == Qt::LeftToRight && start.left() > viewport()->width()) {
        break;  // the rest of the line is out of sight to the right
      }
      cursor.setPosition(block.position() + static_cast<int>(i) + 1);
      const QRect end = cursorRect(cursor);
      const QRect box(start.left(), start.top(), std::max(end.left() - start.left(), 1),
                      start.height());
      const auto byte = static_cast<unsigned>(text.at(i).unicode() - kDisplayStandInBase);
      painter.drawText(box, Qt::AlignCenter,
                       QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper());
    }
  }
}

std::u16string ByteFrame::RawText() const { return LongLineText(*document()).toStdU16String(); }

std::string ByteFrame::GetBytes() const { return DisplayTextToBytes(RawText(), code_); }

void ByteFrame::SetBytes(std::string_view bytes) {
  SetLongLineText(*this, ToQString(BytesToDisplayText(bytes, code_)));
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
  return ByteRange{ByteOffset(raw, LongLineTextPosition(*document(), cursor.selectionStart())),
                   ByteOffset(raw, LongLineTextPosition(*document(), cursor.selectionEnd()))};
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
  cursor.setPosition(LongLineDocumentPosition(*document(), positionOf(start)));
  cursor.setPosition(LongLineDocumentPosition(*document(), positionOf(end)),
                     QTextCursor::KeepAnchor);
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
  const std::string bytes = DisplayTextToBytes(
      LongLineText(*document(), cursor.selectionStart(), cursor.selectionEnd()).toStdU16String(),
      code_);
  auto mime = std::make_unique<QMimeData>();
  mime->setText(ToQString(ClipboardTextFromBytes(bytes, code_)));
  mime->setData(RawBytesMimeType(code_),
                QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
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
