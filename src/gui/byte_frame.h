// A text frame of the main window: a plain text editor that holds bytes and
// shows them through a display code (GB, GB18030, Big5, Big5-HKSCS or UTF-8)
// without losing any byte.
#pragma once

#include <QFont>
#include <QPlainTextEdit>
#include <QString>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <string>
#include <string_view>

#include "cjk/display_code.h"
#include "cjk/text_code.h"
#include "platform/text_frame.h"

class QMimeData;
class QPaintEvent;
class QWidget;

namespace vortane {

// The MIME type under which the frames put raw bytes of `code` on the clipboard.
[[nodiscard]] QString RawBytesMimeType(DisplayCode code);
[[nodiscard]] QString RawBytesMimeType(TextCode code);

// Marks the stand-ins of single bytes in a frame's document: a tinted box
// wide enough for the byte's two hex digits, which the frame draws into it.
class StandInHighlighter final : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit StandInHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}
  // The font the document is shown in and the font of the hex digits.
  void SetFonts(const QFont& textFont, const QFont& hexFont);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  QTextCharFormat format_;
};

class ByteFrame final : public QPlainTextEdit, public TextFrame {
  Q_OBJECT

 public:
  explicit ByteFrame(QWidget* parent = nullptr);

  // TextFrame: bytes in and out through the display mapping.
  [[nodiscard]] std::string GetBytes() const override;
  void SetBytes(std::string_view bytes) override;
  [[nodiscard]] ByteRange Selection() const override;
  void PasteClipboard() override;
  void CopySelection() override;
  [[nodiscard]] vortane::DisplayCode DisplayCode() const override { return code_; }
  // Shows the same bytes through `code`; the caret returns to the start.
  void SetDisplayCode(vortane::DisplayCode code) override;
  using TextFrame::SetDisplayCode;

  // Selects bytes [start, end) of GetBytes(); offsets inside a character
  // move to its start.
  void SelectBytes(std::size_t start, std::size_t end);

 signals:
  void displayCodeChanged(vortane::DisplayCode code);

 protected:
  // Copy and paste keep the display rules: the clipboard gets the bytes as
  // Unicode text and raw under RawBytesMimeType; pasting prefers those raw bytes.
  QMimeData* createMimeDataFromSelection() const override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  // Draws each stand-in's byte as two hex digits into its box.
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // The document's text with its block and line separators (not folded to
  // "\n" as toPlainText would), less the breaks that only show long lines
  // in pieces (gui/long_line_text.h).
  [[nodiscard]] std::u16string RawText() const;
  vortane::DisplayCode code_ = vortane::DisplayCode::Gb;
  QFont hexFont_;
  StandInHighlighter highlighter_;
};

}  // namespace vortane
