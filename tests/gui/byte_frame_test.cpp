// The frame through a real QPlainTextEdit: bytes in, bytes out, selection in
// bytes, copy and paste.
#include "gui/byte_frame.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <random>
#include <string>

#include "support/random_bytes.h"
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
  void ShowingThenReadingBackIsTheIdentityInEveryDisplayCode();
  void TodaysCharactersShowUnderTodaysCodes();
  void SelectionCountsWholeCharactersOfTodaysCodes();
  void PasteAndTypingFollowTodaysCodes();
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

// Property: whatever the bytes, the text a frame shows reads back as the same
// bytes in every display code, also when the shown text is put into a fresh
// frame (as the editor's undo and redo do).
void ByteFrameTest::ShowingThenReadingBackIsTheIdentityInEveryDisplayCode() {
  std::mt19937 rng(20261209);
  // Lead and trail bytes of the codes, line ends, the bytes of U+2028 and of
  // the stand-ins in UTF-8, a four-byte GB 18030 code, 0.
  const std::string picks =
      Hex("81 30 39 FE 40 A1 7E 88 62 C8 0D 0A E2 80 A8 A9 EF 9C 80 F0 A0 AE B7 C2 00 FF");
  for (const vortane::DisplayCode code : vortane::kDisplayCodes) {
    ByteFrame frame;
    ByteFrame copy;
    frame.SetDisplayCode(code);
    copy.SetDisplayCode(code);
    for (int round = 0; round < 300; ++round) {
      const std::string bytes = vortane::testing::RandomBytesFrom(rng, rng() % 40, picks, 3);
      frame.SetBytes(bytes);
      QCOMPARE(ToHex(frame.GetBytes()), ToHex(bytes));
      copy.setPlainText(frame.document()->toRawText());
      QCOMPARE(ToHex(copy.GetBytes()), ToHex(bytes));
    }
  }
}

void ByteFrameTest::TodaysCharactersShowUnderTodaysCodes() {
  // 朱镕基 𠮷 你嘅文件 in each code's bytes, and what each code shows: GB and
  // Big5 show the codes their tables lack as hex boxes (stand-ins).
  const QString all = QString::fromUtf16(u"\u6731\u9555\u57FA \U00020BB7 \u4F60\u5605\u6587\u4EF6");
  const struct {
    vortane::DisplayCode code;
    const char* hex;
    bool whole;  // every character shown as itself
  } cases[] = {
      {vortane::DisplayCode::Utf8,
       "E69CB1 E99595 E59FBA 20 F0A0AEB7 20 E4BDA0 E59885 E69687 E4BBB6", true},
      {vortane::DisplayCode::Gb18030, "D6EC E946 BBF9 20 9534B235 20 C4E3 86FE CEC4 BCFE", true},
      {vortane::DisplayCode::Gb, "D6EC E946 BBF9 20 9534B235 20 C4E3 86FE CEC4 BCFE", false},
  };
  for (const auto& c : cases) {
    ByteFrame frame;
    frame.SetDisplayCode(c.code);
    frame.SetBytes(Hex(c.hex));
    const QString shown = frame.document()->toRawText();
    QCOMPARE(shown == all, c.whole);
    QCOMPARE(ToHex(frame.GetBytes()), ToHex(Hex(c.hex)));
  }
  ByteFrame gb;
  gb.SetBytes(Hex("D6EC E946"));
  // 朱 is GB 2312; E9 46 is not: its lead shows as a stand-in, its ASCII
  // trail as itself.
  QCOMPARE(gb.document()->toRawText(), QString::fromUtf16(u"\u6731\uF7E9F"));
}

void ByteFrameTest::SelectionCountsWholeCharactersOfTodaysCodes() {
  ByteFrame frame;
  frame.SetDisplayCode(vortane::DisplayCode::Utf8);
  // a 𠮷 b: the character beyond the BMP is two positions of the document.
  frame.SetBytes(Hex("61 F0A0AEB7 62"));
  QTextCursor cursor = frame.textCursor();
  cursor.setPosition(1);
  cursor.setPosition(3, QTextCursor::KeepAnchor);
  frame.setTextCursor(cursor);
  QCOMPARE(frame.Selection().start, std::size_t{1});
  QCOMPARE(frame.Selection().end, std::size_t{5});
  frame.SelectBytes(1, 5);
  QCOMPARE(frame.textCursor().selectionStart(), 1);
  QCOMPARE(frame.textCursor().selectionEnd(), 3);
  // A byte offset inside the character selects from its start.
  frame.SelectBytes(3, 6);
  QCOMPARE(frame.textCursor().selectionStart(), 1);
  QCOMPARE(frame.textCursor().selectionEnd(), 4);
}

void ByteFrameTest::PasteAndTypingFollowTodaysCodes() {
  const QString text = QString::fromUtf16(u"\u9555\U00020BB7\u5605\n");
  const struct {
    vortane::DisplayCode code;
    const char* pasted;
    const char* typed;  // 基
  } cases[] = {
      {vortane::DisplayCode::Utf8, "E99595 F0A0AEB7 E59885 0D0A", "E59FBA"},
      {vortane::DisplayCode::Gb18030, "E946 9534B235 86FE 0D0A", "BBF9"},
      {vortane::DisplayCode::Big5Hkscs, "3F 3F 9DEF 0D0A", "B0F2"},
      {vortane::DisplayCode::Big5, "3F 3F 3F 0D0A", "B0F2"},
  };
  for (const auto& c : cases) {
    QApplication::clipboard()->setText(text);
    ByteFrame frame;
    frame.SetDisplayCode(c.code);
    frame.PasteClipboard();
    QCOMPARE(ToHex(frame.GetBytes()), ToHex(Hex(c.pasted)));
    // Typed text reads back in the frame's code as well.
    frame.SetBytes("");
    frame.insertPlainText(QString::fromUtf16(u"\u57FA"));
    QCOMPARE(ToHex(frame.GetBytes()), ToHex(Hex(c.typed)));
  }
  ByteFrame utf8;
  utf8.SetDisplayCode(vortane::DisplayCode::Utf8);
  utf8.insertPlainText(QString::fromUtf16(u"\u57FA\U00020BB7"));
  QCOMPARE(ToHex(utf8.GetBytes()), ToHex(Hex("E59FBA F0A0AEB7")));
}

QTEST_MAIN(ByteFrameTest)
#include "byte_frame_test.moc"
