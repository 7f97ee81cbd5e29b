// The frame through a real QPlainTextEdit: bytes in, bytes out, selection in
// bytes, copy and paste.
#include "gui/byte_frame.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <string>

#include "support/stream_check.h"

using vortane::ByteFrame;
using vortane::ByteRange;
using vortane::TextCode;
using vortane::testing::Hex;
using vortane::testing::ToHex;

Q_DECLARE_METATYPE(TextCode)

class ByteFrameTest : public QObject {
  Q_OBJECT

 private slots:
  void BytesSurviveTheEditor_data();
  void BytesSurviveTheEditor();
  void SetBytesPutsCaretAtStart();
  void SwitchingDisplayCodeKeepsBytes();
  void SelectionIsInBytes_data();
  void SelectionIsInBytes();
  void CopyThenPasteKeepsBytes_data();
  void CopyThenPasteKeepsBytes();
  void PastedUnicodeTakesFrameCode();
  void TypedTextReadsBackInFrameCode();
  void CopyWithoutSelectionLeavesClipboard();
  void OnlyTheUsersChangesAreEdits();
  void CharactersTheCodeCannotHoldBecomeQuestionMarksAndAreCounted_data();
  void CharactersTheCodeCannotHoldBecomeQuestionMarksAndAreCounted();
};

void ByteFrameTest::BytesSurviveTheEditor_data() {
  QTest::addColumn<TextCode>("code");
  QTest::addColumn<QString>("hex");
  const struct {
    const char* name;
    const char* hex;
  } texts[] = {
      {"gb text with crlf", "D6D0 CEC4 0D0A 61 62 0D0A"},
      {"big5 text with crlf", "A4A4 A4E5 0D0A A440"},
      {"bare lf", "61 0A 62 0A 0A"},
      {"bare cr", "61 0D 62 0D"},
      {"crlf at both ends", "0D0A 61 0D0A"},
      {"control bytes and del", "00 01 07 08 0B 0C 1B 7F 09"},
      {"unmapped pairs", "80 41 FF FF A1 20 81 0D0A"},
      {"lone lead at end", "41 B0"},
      {"nbsp-like and private bytes", "A0 A0 F7 00"},
      {"empty", ""},
  };
  for (const auto& text : texts) {
    for (const TextCode code : {TextCode::Gb, TextCode::Big5}) {
      QTest::addRow("%s %s", text.name, code == TextCode::Gb ? "gb" : "big5")
          << code << QString::fromLatin1(text.hex);
    }
  }
}

void ByteFrameTest::BytesSurviveTheEditor() {
  QFETCH(TextCode, code);
  QFETCH(QString, hex);
  ByteFrame frame;
  frame.SetDisplayCode(code);
  const std::string bytes = Hex(hex.toStdString());
  frame.SetBytes(bytes);
  QCOMPARE(ToHex(frame.GetBytes()), ToHex(bytes));
}

void ByteFrameTest::SetBytesPutsCaretAtStart() {
  ByteFrame frame;
  frame.resize(200, 100);
  frame.SetBytes(std::string(2000, 'x') + "\r\n" + std::string(50, 'y'));
  QCOMPARE(frame.textCursor().position(), 0);
  const ByteRange selection = frame.Selection();
  QCOMPARE(selection.start, std::size_t{0});
  QCOMPARE(selection.end, std::size_t{0});
}

void ByteFrameTest::SwitchingDisplayCodeKeepsBytes() {
  ByteFrame frame;
  // GB "zhong" followed by Big5 "yi": each code shows one of them as a character.
  const std::string bytes = Hex("D6D0 0D0A A440 0A 0D");
  frame.SetBytes(bytes);
  const QString shownAsGb = frame.document()->toRawText();
  frame.SetDisplayCode(TextCode::Big5);
  QCOMPARE(ToHex(frame.GetBytes()), ToHex(bytes));
  QVERIFY(frame.document()->toRawText() != shownAsGb);
  QVERIFY(shownAsGb.startsWith(QChar(0x4E2D)));
  frame.SetDisplayCode(TextCode::Gb);
  QCOMPARE(frame.document()->toRawText(), shownAsGb);
}

void ByteFrameTest::SelectionIsInBytes_data() {
  QTest::addColumn<TextCode>("code");
  QTest::addColumn<int>("from");  // document positions
  QTest::addColumn<int>("to");
  QTest::addColumn<int>("byteStart");
  QTest::addColumn<int>("byteEnd");
  // "a" GB-zhong CRLF "b" LF bare-CR "c": characters a, 中, ¶, b, LS, <0D>, c
  QTest::newRow("ascii") << TextCode::Gb << 0 << 1 << 0 << 1;
  QTest::newRow("double byte") << TextCode::Gb << 1 << 2 << 1 << 3;
  QTest::newRow("across crlf") << TextCode::Gb << 1 << 4 << 1 << 6;
  QTest::newRow("bare lf and cr") << TextCode::Gb << 4 << 6 << 6 << 8;
  QTest::newRow("to the end") << TextCode::Gb << 2 << 7 << 3 << 9;
  // Big5 shows D6D0 as a character too, but a different one.
  QTest::newRow("big5 pair") << TextCode::Big5 << 1 << 2 << 1 << 3;
}

void ByteFrameTest::SelectionIsInBytes() {
  QFETCH(TextCode, code);
  QFETCH(int, from);
  QFETCH(int, to);
  QFETCH(int, byteStart);
  QFETCH(int, byteEnd);
  ByteFrame frame;
  frame.SetDisplayCode(code);
  frame.SetBytes(Hex("61 D6D0 0D0A 62 0A 0D 63"));
  QTextCursor cursor = frame.textCursor();
  cursor.setPosition(from);
  cursor.setPosition(to, QTextCursor::KeepAnchor);
  frame.setTextCursor(cursor);
  const ByteRange selection = frame.Selection();
  QCOMPARE(static_cast<int>(selection.start), byteStart);
  QCOMPARE(static_cast<int>(selection.end), byteEnd);
  // And back: selecting by bytes selects the same characters.
  frame.SelectBytes(selection.start, selection.end);
  QCOMPARE(frame.textCursor().selectionStart(), from);
  QCOMPARE(frame.textCursor().selectionEnd(), to);
}

void ByteFrameTest::CopyThenPasteKeepsBytes_data() {
  QTest::addColumn<TextCode>("fromCode");
  QTest::addColumn<TextCode>("toCode");
  QTest::newRow("gb to gb") << TextCode::Gb << TextCode::Gb;
  QTest::newRow("gb to big5") << TextCode::Gb << TextCode::Big5;
  QTest::newRow("big5 to big5") << TextCode::Big5 << TextCode::Big5;
}

void ByteFrameTest::CopyThenPasteKeepsBytes() {
  QFETCH(TextCode, fromCode);
  QFETCH(TextCode, toCode);
  ByteFrame source;
  ByteFrame target;
  source.SetDisplayCode(fromCode);
  target.SetDisplayCode(toCode);
  const std::string bytes = Hex("D6D0 0A 0D 80 41 A440 0D0A 01");
  source.SetBytes(bytes);
  source.selectAll();
  source.CopySelection();
  const QMimeData* data = QApplication::clipboard()->mimeData();
  QVERIFY(data != nullptr);
  QVERIFY(data->hasText());
  QCOMPARE(ToHex(data->data(vortane::RawBytesMimeType(fromCode)).toStdString()), ToHex(bytes));

  target.SetBytes("<>");
  QTextCursor cursor = target.textCursor();
  cursor.setPosition(1);
  target.setTextCursor(cursor);
  target.PasteClipboard();
  QCOMPARE(ToHex(target.GetBytes()), ToHex("<" + bytes + ">"));
}

void ByteFrameTest::PastedUnicodeTakesFrameCode() {
  // Text from another program: Unicode only, LF line ends.
  const QString text = QString::fromUtf16(u"\u4E2D\u6587\n\u8FD9x");
  for (const TextCode code : {TextCode::Gb, TextCode::Big5}) {
    QApplication::clipboard()->setText(text);
    ByteFrame frame;
    frame.SetDisplayCode(code);
    frame.PasteClipboard();
    // U+8FD9 is simplified only: Big5 cannot hold it.
    const std::string expected =
        code == TextCode::Gb ? Hex("D6D0 CEC4 0D0A D5E2 78") : Hex("A4A4 A4E5 0D0A 3F 78");
    QCOMPARE(ToHex(frame.GetBytes()), ToHex(expected));
  }
}

void ByteFrameTest::TypedTextReadsBackInFrameCode() {
  ByteFrame frame;
  frame.SetDisplayCode(TextCode::Big5);
  frame.show();
  QTest::keyClicks(&frame, QStringLiteral("ab"));
  QTest::keyClick(&frame, Qt::Key_Return);
  frame.insertPlainText(QString::fromUtf16(u"\u4E00\u00E9"));
  QCOMPARE(ToHex(frame.GetBytes()), ToHex(Hex("61 62 0D0A A440 3F")));
}

void ByteFrameTest::CopyWithoutSelectionLeavesClipboard() {
  QApplication::clipboard()->setText(QStringLiteral("kept"));
  ByteFrame frame;
  frame.SetBytes("abc");
  frame.CopySelection();
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
}

void ByteFrameTest::OnlyTheUsersChangesAreEdits() {
  ByteFrame frame;
  QSignalSpy edited(&frame, &ByteFrame::edited);
  frame.show();
  QVERIFY(QTest::qWaitForWindowExposed(&frame));
  frame.SetBytes(Hex("A440 80 0D0A 41"));  // stand-ins are highlighted too
  frame.SetDisplayCode(TextCode::Big5);
  QFont font = frame.font();
  font.setPointSize(font.pointSize() + 2);
  frame.setFont(font);
  QTest::qWait(10);
  QCOMPARE(edited.count(), 0);
  QTest::keyClick(&frame, Qt::Key_X);
  QCOMPARE(edited.count(), 1);
  frame.undo();
  QCOMPARE(edited.count(), 2);
  QCOMPARE(ToHex(frame.GetBytes()), ToHex(Hex("A440 80 0D0A 41")));
}

void ByteFrameTest::CharactersTheCodeCannotHoldBecomeQuestionMarksAndAreCounted_data() {
  QTest::addColumn<TextCode>("code");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("pasted");
  QTest::addColumn<int>("count");
  QTest::addColumn<QString>("hex");
  // U+90F5 is a traditional character outside GB 2312; U+00FF and U+1F600
  // (a surrogate pair) are in neither code.
  const QString mixed = QString::fromUtf16(u"a\u90F5\u00FF\U0001F600\u4E00");
  QTest::newRow("typed gb") << TextCode::Gb << mixed << false << 3
                            << QStringLiteral("61 3F 3F 3F D2BB");
  QTest::newRow("typed big5") << TextCode::Big5 << mixed << false << 2
                              << QStringLiteral("61 B66C 3F 3F A440");
  QTest::newRow("pasted gb") << TextCode::Gb << mixed << true << 3
                             << QStringLiteral("61 3F 3F 3F D2BB");
  QTest::newRow("all held") << TextCode::Gb << QString::fromUtf16(u"a\u4E00") << false << 0
                            << QStringLiteral("61 D2BB");
}

void ByteFrameTest::CharactersTheCodeCannotHoldBecomeQuestionMarksAndAreCounted() {
  QFETCH(TextCode, code);
  QFETCH(QString, typed);
  QFETCH(bool, pasted);
  QFETCH(int, count);
  QFETCH(QString, hex);
  ByteFrame frame;
  frame.SetDisplayCode(code);
  QSignalSpy notHeld(&frame, &ByteFrame::charactersNotHeld);
  if (pasted) {
    QApplication::clipboard()->setText(typed);
    frame.PasteClipboard();
  } else {
    frame.insertPlainText(typed);
  }
  QTest::qWait(10);
  QCOMPARE(ToHex(frame.GetBytes()), ToHex(Hex(hex.toStdString())));
  if (count == 0) {
    QCOMPARE(notHeld.count(), 0);
    return;
  }
  QCOMPARE(notHeld.count(), 1);
  QCOMPARE(notHeld.at(0).at(0).toInt(), count);
  // The document itself now shows the "?"s.
  QCOMPARE(frame.toPlainText().count(QLatin1Char('?')), count);
}

QTEST_MAIN(ByteFrameTest)
#include "byte_frame_test.moc"
