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
#include <vector>

#include "cjk/display_text.h"
#include "framecodes/frame_clipboard.h"
#include "framecodes/frame_display.h"
#include "gui/long_line_text.h"

namespace vortane {
namespace {

bool IsStandIn(QChar c) {
  return c.unicode() >= kDisplayStandInBase && c.unicode() <= kDisplayStandInLast;
}

QString ToQString(const std::u16string& text) { return QString::fromStdU16String(text); }

// Raw bytes offered by a frame, its own code's first, else those of any
// other display code (bytes are bytes whichever code the copying frame showed
// them in).
std::optional<std::string> RawBytesOf(const QMimeData* source, DisplayCode preferred) {
  std::vector<DisplayCode> order{preferred};
  for (const DisplayCode code : kDisplayCodes) {
    if (code != preferred) {
      order.push_back(code);
    }
  }
  for (const DisplayCode code : order) {
    if (source->hasFormat(RawBytesMimeType(code))) {
      const QByteArray data = source->data(RawBytesMimeType(code));
      return std::string(data.constData(), static_cast<std::size_t>(data.size()));
    }
  }
  return std::nullopt;
}

}  // namespace

QString RawBytesMimeType(DisplayCode code) {
  const std::string format = RawClipboardFormat(code);
  return QString::fromLatin1(format.data(), static_cast<qsizetype>(format.size()));
}

QString RawBytesMimeType(TextCode code) { return RawBytesMimeType(DisplayCodeOf(code)); }

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

std::string ByteFrame::GetBytes() const { return FrameDisplayToBytes(RawText(), code_); }

void ByteFrame::SetBytes(std::string_view bytes) {
  SetLongLineText(*this, ToQString(BytesToFrameDisplay(bytes, code_)));
  QTextCursor cursor = textCursor();
  cursor.movePosition(QTextCursor::Start);
  setTextCursor(cursor);
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
}

ByteRange ByteFrame::Selection() const {
  const std::vector<std::size_t> offsets = FrameDisplayByteOffsets(RawText(), code_);
  const auto at = [&offsets](int position) {
    return offsets[std::min(static_cast<std::size_t>(std::max(position, 0)), offsets.size() - 1)];
  };
  const QTextCursor cursor = textCursor();
  return ByteRange{at(LongLineTextPosition(*document(), cursor.selectionStart())),
                   at(LongLineTextPosition(*document(), cursor.selectionEnd()))};
}

void ByteFrame::SelectBytes(std::size_t start, std::size_t end) {
  const std::vector<std::size_t> offsets = FrameDisplayByteOffsets(RawText(), code_);
  // Document position of the character that holds byte `offset`: the first
  // position whose character reaches past it.
  auto positionOf = [&offsets](std::size_t offset) {
    const auto next = std::upper_bound(offsets.begin(), offsets.end(), offset);
    if (next == offsets.end()) {
      return static_cast<int>(offsets.size() - 1);
    }
    // Positions inside the character share its start offset; take the first.
    const auto start = std::lower_bound(offsets.begin(), offsets.end(), *(next - 1));
    return static_cast<int>(start - offsets.begin());
  };
  QTextCursor cursor = textCursor();
  cursor.setPosition(LongLineDocumentPosition(*document(), positionOf(start)));
  cursor.setPosition(LongLineDocumentPosition(*document(), positionOf(end)),
                     QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

void ByteFrame::PasteClipboard() { paste(); }

void ByteFrame::CopySelection() { copy(); }

void ByteFrame::SetDisplayCode(vortane::DisplayCode code) {
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
  const std::string bytes = FrameDisplayToBytes(
      LongLineText(*document(), cursor.selectionStart(), cursor.selectionEnd()).toStdU16String(),
      code_);
  auto mime = std::make_unique<QMimeData>();
  mime->setText(ToQString(ClipboardTextFromFrameBytes(bytes, code_)));
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
    bytes = FrameBytesFromClipboardText(source->text().toStdU16String(), code_);
  }
  if (!bytes) {
    return;
  }
  QTextCursor cursor = textCursor();
  cursor.insertText(ToQString(BytesToFrameDisplay(*bytes, code_)));
  setTextCursor(cursor);
  ensureCursorVisible();
}

}  // namespace vortane
