#include "gui/long_line_text.h"

#include <QChar>
#include <QPlainTextEdit>
#include <QStringView>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace vortane {
namespace {

// The character format property that marks a block break made for display.
constexpr int kContinuationProperty = QTextFormat::UserProperty + 0x4C4C;

constexpr char16_t kStandInBase = 0xF700;
constexpr char16_t kStandInLast = 0xF7FF;

bool IsStandIn(char16_t c) { return c >= kStandInBase && c <= kStandInLast; }

// A control byte or DEL is a code of its own in every display code; any other
// byte shown as a stand-in may begin a code whose next bytes follow it.
bool IsLoneByteStandIn(char16_t c) {
  return IsStandIn(c) && (c - kStandInBase < 0x20 || c - kStandInBase == 0x7F);
}

bool IsLineEnd(char16_t c) { return c == 0x2029 || c == u'\n' || c == u'\r'; }

bool KeepsWithNext(char16_t c) {
  return QChar::isHighSurrogate(c) || c == 0x200D || (IsStandIn(c) && !IsLoneByteStandIn(c));
}

bool KeepsWithPrevious(char16_t c) {
  return QChar::isLowSurrogate(c) || c == 0x200D || QChar(c).isMark();
}

bool IsWordEnd(char16_t c) { return c == u' ' || c == u'\t' || c == u'>' || c == 0x3000; }

bool CanCut(std::u16string_view text, std::size_t i) {
  return !KeepsWithNext(text[i - 1]) && !KeepsWithPrevious(text[i]);
}

// Document positions of the block breaks SetLongLineText made, ascending.
// Each carries its own number: a break typed or pasted into an emptied
// continuation block copies the format of the break before, so only the first
// break with a number counts.
std::vector<int> CutPositions(const QTextDocument& document) {
  std::vector<int> cuts;
  std::vector<bool> seen;
  for (QTextBlock block = document.begin().next(); block.isValid(); block = block.next()) {
    // A block's character format is that of the break before it.
    const int number = block.charFormat().intProperty(kContinuationProperty);
    if (number <= 0) {
      continue;
    }
    const auto index = static_cast<std::size_t>(number);
    if (seen.size() <= index) {
      seen.resize(index + 1);
    }
    if (!seen[index]) {
      seen[index] = true;
      cuts.push_back(block.position() - 1);
    }
  }
  return cuts;
}

}  // namespace

std::vector<std::size_t> LongLineCuts(std::u16string_view text, std::size_t limit) {
  limit = std::max<std::size_t>(limit, 2);
  std::vector<std::size_t> cuts;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && !IsLineEnd(text[end])) {
      ++end;
    }
    while (end - start > limit) {
      std::size_t cut = 0;
      // After a blank or a tag's end when one is near the limit, so that
      // words stay whole; else at the last place that allows a cut.
      for (std::size_t i = start + limit; i >= start + limit - limit / 4; --i) {
        if (IsWordEnd(text[i - 1]) && CanCut(text, i)) {
          cut = i;
          break;
        }
      }
      for (std::size_t i = start + limit; cut == 0 && i >= start + limit / 2; --i) {
        if (CanCut(text, i)) {
          cut = i;
        }
      }
      if (cut == 0) {
        cut = start + limit;
        if (QChar::isLowSurrogate(text[cut]) && QChar::isHighSurrogate(text[cut - 1])) {
          --cut;
        }
      }
      cuts.push_back(cut);
      start = cut;
    }
    start = end + 1;
  }
  return cuts;
}

void SetLongLineText(QPlainTextEdit& edit, const QString& text, std::size_t limit) {
  const std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()),
                                 static_cast<std::size_t>(text.size()));
  const std::vector<std::size_t> cuts = LongLineCuts(view, limit);
  if (cuts.empty()) {
    edit.setPlainText(text);
    return;
  }
  QString cutText;
  cutText.reserve(text.size() + static_cast<qsizetype>(cuts.size()));
  std::size_t from = 0;
  for (const std::size_t cut : cuts) {
    cutText.append(
        QStringView(text).mid(static_cast<qsizetype>(from), static_cast<qsizetype>(cut - from)));
    cutText.append(QChar::ParagraphSeparator);
    from = cut;
  }
  cutText.append(QStringView(text).mid(static_cast<qsizetype>(from)));
  edit.setPlainText(cutText);

  // Marking the breaks is part of setting the text, not an edit to undo.
  QTextDocument& document = *edit.document();
  const bool undoable = document.isUndoRedoEnabled();
  document.setUndoRedoEnabled(false);
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  for (std::size_t i = 0; i < cuts.size(); ++i) {
    QTextCharFormat marked;
    marked.setProperty(kContinuationProperty, static_cast<int>(i + 1));
    const auto position = static_cast<int>(cuts[i] + i);
    cursor.setPosition(position);
    cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(marked);
  }
  cursor.endEditBlock();
  document.setUndoRedoEnabled(undoable);
  document.setModified(false);
}

QString LongLineText(const QTextDocument& document, int start, int end) {
  const QString raw = document.toRawText();
  const auto size = static_cast<int>(raw.size());
  if (end < 0 || end > size) {
    end = size;
  }
  start = std::clamp(start, 0, end);
  QString text;
  text.reserve(end - start);
  int from = start;
  for (const int cut : CutPositions(document)) {
    if (cut >= end) {
      break;
    }
    if (cut >= start) {
      text.append(QStringView(raw).mid(from, cut - from));
      from = cut + 1;
    }
  }
  text.append(QStringView(raw).mid(from, end - from));
  return text;
}

int LongLineTextPosition(const QTextDocument& document, int position) {
  const std::vector<int> cuts = CutPositions(document);
  return position -
         static_cast<int>(std::lower_bound(cuts.begin(), cuts.end(), position) - cuts.begin());
}

int LongLineDocumentPosition(const QTextDocument& document, int offset) {
  int position = std::clamp(offset, 0, std::max(document.characterCount() - 1, 0));
  for (const int cut : CutPositions(document)) {
    if (cut >= position) {
      break;
    }
    ++position;
  }
  return position;
}

}  // namespace vortane
