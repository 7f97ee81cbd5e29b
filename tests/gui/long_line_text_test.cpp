// Very long lines shown as several blocks: where they are cut, the text read
// back whole through edits and undo, and a frame's bytes, selections and
// copies across the cuts.
#include "gui/long_line_text.h"

#include <QApplication>
#include <QClipboard>
#include <QList>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <string>

#include "gui/byte_frame.h"
#include "support/stream_check.h"

using vortane::ByteFrame;
using vortane::ByteRange;
using vortane::DisplayCode;
using vortane::testing::Hex;
using vortane::testing::ToHex;

Q_DECLARE_METATYPE(DisplayCode)

namespace {

QString U16(const char16_t* text) { return QString::fromUtf16(text); }

std::u16string_view View(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace

class LongLineTextTest : public QObject {
  Q_OBJECT

 private slots:
  void CutsFallWherePlacesAllow_data();
  void CutsFallWherePlacesAllow();
  void TextReadsBackAsSet_data();
  void TextReadsBackAsSet();
  void EditsReadBack_data();
  void EditsReadBack();
  void FrameKeepsBytesAcrossCuts_data();
  void FrameKeepsBytesAcrossCuts();
};

void LongLineTextTest::CutsFallWherePlacesAllow_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("limit");
  QTest::addColumn<QList<int>>("cuts");
  // U+D83D U+DE00 is a surrogate pair, U+F781 the stand-in of byte 81 (a lead
  // byte), U+F701 that of byte 01 (a code of its own).
  QTest::newRow("ascii") << U16(u"abcdefghij") << 4 << QList<int>{4, 8};
  QTest::newRow("after a blank") << U16(u"ab cdefgh") << 4 << QList<int>{3, 7};
  QTest::newRow("at the limit") << U16(u"abcd") << 4 << QList<int>{};
  QTest::newRow("pair at the cut") << U16(u"abc\xD83D\xDE00"
                                          u"def")
                                   << 4 << QList<int>{3, 7};
  QTest::newRow("mark after the cut") << U16(u"abce\u0301fgh") << 4 << QList<int>{3, 7};
  QTest::newRow("joiner") << U16(u"abc\u200D"
                                 u"def")
                          << 4 << QList<int>{2, 6};
  QTest::newRow("lead stand-in before the cut") << U16(u"abc\uF781"
                                                       u"Adefg")
                                                << 4 << QList<int>{3, 7};
  QTest::newRow("control stand-ins")
      << U16(u"\uF701\uF702\uF703\uF704\uF705\uF706") << 4 << QList<int>{4};
  QTest::newRow("lead stand-ins only, cut anyway")
      << U16(u"\uF781\uF781\uF781\uF781\uF781\uF781\uF781\uF781\uF781\uF781") << 4
      << QList<int>{4, 8};
  QTest::newRow("cut anyway keeps the pair")
      << U16(u"\uF781\uF781\uF781\xD83D\xDE00\uF781") << 4 << QList<int>{3};
  QTest::newRow("each line on its own")
      << U16(u"abcdef\u2029ab\u2029\u2029abcdef") << 4 << QList<int>{4, 15};
  QTest::newRow("line separator is not a line end") << U16(u"ab\u2028"
                                                           u"cdef")
                                                    << 4 << QList<int>{4};
}

void LongLineTextTest::CutsFallWherePlacesAllow() {
  QFETCH(QString, text);
  QFETCH(int, limit);
  QFETCH(QList<int>, cuts);
  QList<int> got;
  for (const std::size_t cut : vortane::LongLineCuts(View(text), static_cast<std::size_t>(limit))) {
    got.append(static_cast<int>(cut));
  }
  QCOMPARE(got, cuts);
}

void LongLineTextTest::TextReadsBackAsSet_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("limit");
  QTest::newRow("empty") << QString() << 4;
  QTest::newRow("empty lines") << U16(u"\u2029\u2029abcdefghij\u2029\u2029") << 4;
  QTest::newRow("pairs and stand-ins at cuts")
      << U16(u"abc\xD83D\xDE00"
             u"def\uF781\uF781\uF781\uF781\uF781\uF701\uF70D\u2028xyz\u0301")
      << 4;
  QTest::newRow("long line and short lines")
      << QString(20000, QLatin1Char('x')) + QChar(0x2029) + QStringLiteral("end")
      << static_cast<int>(vortane::kLongLineLimit);
}

void LongLineTextTest::TextReadsBackAsSet() {
  QFETCH(QString, text);
  QFETCH(int, limit);
  QPlainTextEdit edit;
  vortane::SetLongLineText(edit, text, static_cast<std::size_t>(limit));
  const QTextDocument& document = *edit.document();
  QCOMPARE(vortane::LongLineText(document), text);
  const auto cuts = vortane::LongLineCuts(View(text), static_cast<std::size_t>(limit));
  QCOMPARE(static_cast<std::size_t>(document.blockCount()),
           static_cast<std::size_t>(text.count(QChar(0x2029))) + 1 + cuts.size());
  QVERIFY(!document.isModified());
  QVERIFY(!document.isUndoAvailable());
  // Positions map both ways, and a part of the text reads as the same part.
  for (int offset = 0; offset <= text.size(); offset += 1 + text.size() / 50) {
    const int position = vortane::LongLineDocumentPosition(document, offset);
    QCOMPARE(vortane::LongLineTextPosition(document, position), offset);
    const int end = std::min(offset + 7, static_cast<int>(text.size()));
    QCOMPARE(
        vortane::LongLineText(document, position, vortane::LongLineDocumentPosition(document, end)),
        text.mid(offset, end - offset));
  }
}

namespace {

enum class Edit {
  Type,
  Enter,
  Backspace,
  DeleteSelection,
  Paste,
  DeleteThenEnter,
  TypeOverThenEnter,
};

}  // namespace

Q_DECLARE_METATYPE(Edit)

void LongLineTextTest::EditsReadBack_data() {
  QTest::addColumn<int>("from");  // document positions
  QTest::addColumn<int>("to");
  QTest::addColumn<Edit>("edit");
  QTest::addColumn<int>("undos");
  QTest::addColumn<QString>("expected");
  // "0123456789abcdefghij" with limit 8 shows as the blocks "01234567",
  // "89abcdef" and "ghij": document positions 0-7, 9-16 and 18-21.
  const QString original = QStringLiteral("0123456789abcdefghij");
  QTest::newRow("type in a continuation")
      << 10 << 10 << Edit::Type << 0 << QStringLiteral("012345678X9abcdefghij");
  QTest::newRow("enter in a continuation")
      << 10 << 10 << Edit::Enter << 0 << U16(u"012345678\u20299abcdefghij");
  QTest::newRow("enter at a continuation's start")
      << 9 << 9 << Edit::Enter << 0 << U16(u"01234567\u202989abcdefghij");
  QTest::newRow("enter before a cut")
      << 8 << 8 << Edit::Enter << 0 << U16(u"01234567\u202989abcdefghij");
  QTest::newRow("enter in the last piece")
      << 19 << 19 << Edit::Enter << 0 << U16(u"0123456789abcdefg\u2029hij");
  QTest::newRow("enter undone") << 10 << 10 << Edit::Enter << 1 << original;
  QTest::newRow("enter, two breaks")
      << 17 << 17 << Edit::Enter << 0 << U16(u"0123456789abcdef\u2029ghij");
  QTest::newRow("backspace over a cut") << 9 << 9 << Edit::Backspace << 0 << original;
  QTest::newRow("backspace over a cut undone") << 9 << 9 << Edit::Backspace << 1 << original;
  QTest::newRow("delete across a cut")
      << 6 << 11 << Edit::DeleteSelection << 0 << QStringLiteral("012345abcdefghij");
  QTest::newRow("delete across a cut undone") << 6 << 11 << Edit::DeleteSelection << 1 << original;
  QTest::newRow("delete across two cuts")
      << 6 << 19 << Edit::DeleteSelection << 0 << QStringLiteral("012345hij");
  QTest::newRow("paste a break into a continuation")
      << 10 << 10 << Edit::Paste << 0 << U16(u"012345678X\u2029Y9abcdefghij");
  // An emptied continuation block lends the cut's format to what is typed in it.
  QTest::newRow("enter in an emptied continuation")
      << 9 << 17 << Edit::DeleteThenEnter << 0 << U16(u"01234567\u2029ghij");
  QTest::newRow("typing over a continuation, then enter")
      << 9 << 17 << Edit::TypeOverThenEnter << 0 << U16(u"01234567X\u2029ghij");
  QTest::newRow("emptied continuation, enter undone")
      << 9 << 17 << Edit::DeleteThenEnter << 1 << QStringLiteral("01234567ghij");
}

void LongLineTextTest::EditsReadBack() {
  QFETCH(int, from);
  QFETCH(int, to);
  QFETCH(Edit, edit);
  QFETCH(int, undos);
  QFETCH(QString, expected);
  QPlainTextEdit editor;
  editor.show();
  vortane::SetLongLineText(editor, QStringLiteral("0123456789abcdefghij"), 8);
  QCOMPARE(editor.document()->blockCount(), 3);
  QTextCursor cursor = editor.textCursor();
  cursor.setPosition(from);
  cursor.setPosition(to, QTextCursor::KeepAnchor);
  editor.setTextCursor(cursor);
  switch (edit) {
    case Edit::Type:
      QTest::keyClicks(&editor, QStringLiteral("X"));
      break;
    case Edit::Enter:
      QTest::keyClick(&editor, Qt::Key_Return);
      break;
    case Edit::Backspace:
      QTest::keyClick(&editor, Qt::Key_Backspace);
      break;
    case Edit::DeleteSelection:
      QTest::keyClick(&editor, Qt::Key_Delete);
      break;
    case Edit::Paste:
      editor.insertPlainText(U16(u"X\u2029Y"));
      break;
    case Edit::DeleteThenEnter:
      QTest::keyClick(&editor, Qt::Key_Delete);
      QTest::keyClick(&editor, Qt::Key_Return);
      break;
    case Edit::TypeOverThenEnter:
      QTest::keyClicks(&editor, QStringLiteral("X"));
      QTest::keyClick(&editor, Qt::Key_Return);
      break;
  }
  for (int i = 0; i < undos; ++i) {
    editor.undo();
  }
  QCOMPARE(vortane::LongLineText(*editor.document()), expected);
}

void LongLineTextTest::FrameKeepsBytesAcrossCuts_data() {
  QTest::addColumn<DisplayCode>("code");
  QTest::addColumn<QByteArray>("bytes");
  const std::string x(vortane::kLongLineLimit - 1, 'x');
  const std::string y(vortane::kLongLineLimit + 100, 'y');
  const struct {
    const char* name;
    std::string bytes;
  } texts[] = {
      {"one long line", std::string(3 * vortane::kLongLineLimit, 'x')},
      {"pair at the cut", x + Hex("D6D0 A440") + y + Hex("0D0A") + y},
      {"unknown pair at the cut", x + Hex("80 41 FF FF") + y},
      {"bare cr and lf at the cut", x + Hex("0D 0A 0D") + y + Hex("0A")},
      {"crlf at the limit, empty lines", x + "x" + Hex("0D0A") + y + Hex("0D0A 0D0A")},
      {"high bytes only", std::string(2 * vortane::kLongLineLimit + 3, '\xFF')},
  };
  for (const auto& text : texts) {
    for (const DisplayCode code : vortane::kDisplayCodes) {
      QTest::addRow("%s %s", text.name, std::string(vortane::DisplayCodeName(code)).c_str())
          << code << QByteArray(text.bytes.data(), static_cast<qsizetype>(text.bytes.size()));
    }
  }
}

void LongLineTextTest::FrameKeepsBytesAcrossCuts() {
  QFETCH(DisplayCode, code);
  QFETCH(QByteArray, bytes);
  const std::string raw = bytes.toStdString();
  ByteFrame frame;
  frame.SetDisplayCode(code);
  frame.SetBytes(raw);
  QVERIFY(frame.document()->blockCount() > 2);
  QCOMPARE(ToHex(frame.GetBytes()), ToHex(raw));

  // A selection across a cut: its byte range both ways, and a copy of it.
  const std::size_t start = vortane::kLongLineLimit - 5;
  const std::size_t end = vortane::kLongLineLimit + 9;
  frame.SelectBytes(start, end);
  const ByteRange selection = frame.Selection();
  // An offset inside a character moves to its start.
  QVERIFY(selection.start <= start && selection.start + 1 >= start);
  QVERIFY(selection.end <= end && selection.end + 1 >= end);
  frame.CopySelection();
  const QMimeData* data = QApplication::clipboard()->mimeData();
  QVERIFY(data != nullptr);
  QCOMPARE(ToHex(data->data(vortane::RawBytesMimeType(code)).toStdString()),
           ToHex(raw.substr(selection.start, selection.end - selection.start)));
}

QTEST_MAIN(LongLineTextTest)
#include "long_line_text_test.moc"
