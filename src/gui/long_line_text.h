// Very long lines shown as several blocks: Qt lays out a text block whole, so
// a line of megabytes takes many seconds to show. The frames cut such lines
// into blocks of a few thousand characters for display only, and read the
// text back without those breaks.
#pragma once

#include <QString>
#include <cstddef>
#include <string_view>
#include <vector>

class QPlainTextEdit;
class QTextDocument;

namespace vortane {

// Lines longer than this many UTF-16 units are shown as several blocks.
inline constexpr std::size_t kLongLineLimit = 4096;

// Where display text `text` is cut: ascending indices, each the start of a
// continuation block. Every line (text between U+2029, CR and LF) longer than
// `limit` is cut into pieces of at most `limit` units where a place allows,
// with at least limit / 2 units kept before each cut, after a blank or ">"
// when one is in the last quarter. A cut never falls inside
// a surrogate pair, before a combining mark, next to U+200D, nor after a
// stand-in of a byte of 0x80 or more (its code may go on in the next
// character); only a run of `limit` / 2 units with no such place is cut at the
// limit anyway, keeping surrogate pairs whole.
[[nodiscard]] std::vector<std::size_t> LongLineCuts(std::u16string_view text,
                                                    std::size_t limit = kLongLineLimit);

// Sets `edit`'s text as setPlainText does (undo cleared, caret at the start,
// unmodified), with each line longer than `limit` cut at LongLineCuts into
// several blocks. The block breaks so made are marked in their character
// format, which Qt keeps through edits and undo; a break typed or pasted later
// is an ordinary one, and deleting a made break changes no text.
void SetLongLineText(QPlainTextEdit& edit, const QString& text, std::size_t limit = kLongLineLimit);

// The document's text between positions `start` and `end` (-1: the end) as
// toRawText gives it, less the breaks SetLongLineText made: every other block
// break is U+2029.
[[nodiscard]] QString LongLineText(const QTextDocument& document, int start = 0, int end = -1);

// Position in LongLineText(document) of document position `position`.
[[nodiscard]] int LongLineTextPosition(const QTextDocument& document, int position);

// Document position of position `offset` of LongLineText(document); an offset
// at a cut is the end of the block before it.
[[nodiscard]] int LongLineDocumentPosition(const QTextDocument& document, int offset);

}  // namespace vortane
