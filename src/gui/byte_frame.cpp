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
#include <utility>
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

// Whether `code` cannot hold the character at `text[i]` (a surrogate pair
// counts as one character); `length` is set to its length in UTF-16 units.
// Stand-ins, separators and ASCII are always held.
bool NotHeldAt(const QString& text, qsizetype i, DisplayCode code, qsizetype& length) {
  length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
  const QChar c = text.at(i);
  if (length == 1 &&
      (c.unicode() < 0x80 || IsStandIn(c) || c == QChar(0x2028) || c == QChar(0x2029))) {
    return false;
  }
  std::size_t unheld = 0;
  (void)FrameDisplayToBytes(text.mid(i, length).toStdU16String(), code, &unheld);
  return unheld != 0;
}

// How many characters of `text` `code` cannot hold.
int CountNotHeld(const QString& text, DisplayCode code) {
  int count = 0;
  qsizetype length = 1;
  for (qsizetype i = 0; i < text.size(); i += length) {
    count += NotHeldAt(text, i, code, length) ? 1 : 0;
  }
  return count;
}

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
  connect(document(), &QTextDocument::contentsChange, this, &ByteFrame::OnContentsChange);
}

void ByteFrame::OnContentsChange(int position, int /*removed*/, int added) {
  if (rewriting_) {
    return;
  }
  emit edited();
  if (added <= 0) {
    return;
  }
  QTextCursor cursor(document());
  cursor.setPosition(position);
  cursor.setPosition(std::min(position + added, document()->characterCount() - 1),
                     QTextCursor::KeepAnchor);
  if (CountNotHeld(cursor.selectedText(), code_) > 0) {
    // The document may not be changed while it reports a change.
    QMetaObject::invokeMethod(this, &ByteFrame::ReplaceCharactersNotHeld, Qt::QueuedConnection);
  }
}

void ByteFrame::ReplaceCharactersNotHeld() {
  const QString text = document()->toRawText();
  int count = 0;
  rewriting_ = true;
  QTextCursor cursor(document());
  cursor.beginEditBlock();
  // From the end, so that earlier positions stay where they are.
  std::vector<std::pair<qsizetype, qsizetype>> found;
  qsizetype length = 1;
  for (qsizetype i = 0; i < text.size(); i += length) {
    if (NotHeldAt(text, i, code_, length)) {
      found.emplace_back(i, length);
    }
  }
  for (auto it = found.rbegin(); it != found.rend(); ++it) {
    cursor.setPosition(static_cast<int>(it->first));
    cursor.setPosition(static_cast<int>(it->first + it->second), QTextCursor::KeepAnchor);
    cursor.insertText(QStringLiteral("?"));
    ++count;
  }
  cursor.endEditBlock();
  rewriting_ = false;
  if (count > 0) {
    emit charactersNotHeld(count);
  }
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
  rewriting_ = true;
  SetLongLineText(*this, ToQString(BytesToFrameDisplay(bytes, code_)));
  rewriting_ = false;
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
  int notHeld = 0;
  if (!bytes && source->hasText()) {
    std::size_t unheld = 0;
    bytes = FrameBytesFromClipboardText(source->text().toStdU16String(), code_, &unheld);
    notHeld = static_cast<int>(unheld);
  }
  if (!bytes) {
    return;
  }
  QTextCursor cursor = textCursor();
  cursor.insertText(ToQString(BytesToFrameDisplay(*bytes, code_)));
  setTextCursor(cursor);
  ensureCursorVisible();
  if (notHeld > 0) {
    emit charactersNotHeld(notHeld);
  }
}

}  // namespace vortane
