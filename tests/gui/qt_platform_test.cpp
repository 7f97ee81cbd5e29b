// The Qt platform: clipboard in both codes, file dialog filters, temporary
// directory and screen.
#include "gui/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputDialog>
#include <QMimeData>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>
#include <memory>

#include "gui/byte_frame.h"
#include "support/stream_check.h"

using vortane::ClipboardStatus;
using vortane::ClipboardText;
using vortane::FileDialogOptions;
using vortane::QtPlatform;
using vortane::TextCode;
using vortane::testing::Hex;
using vortane::testing::ToHex;

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void ClipboardKeepsBytesInTheirCode();
  void ClipboardTextFromOtherProgramsIsEncoded();
  void ClipboardWithoutTextSaysSo();
  void FileFilters_data();
  void FileFilters();
  void TempDirectoryAndScreen();
  void ProgressCancelStopsTheRun();
  void FrameClipboardKeepsBytesOfEveryDisplayCode();
  void ChooseItemGivesTheChosenIndexOrNone();
};

void QtPlatformTest::ClipboardKeepsBytesInTheirCode() {
  QtPlatform platform;
  const std::string bytes = Hex("D6D0 0A 0D 80 41 0D0A 7F");
  QVERIFY(platform.WriteClipboard(bytes, TextCode::Gb));
  const QMimeData* data = QApplication::clipboard()->mimeData();
  QVERIFY(data->hasFormat(QStringLiteral("text/plain;charset=GB2312")));
  // Other programs get Unicode with LF line ends.
  QVERIFY(data->text().startsWith(QString::fromUtf16(u"\u4E2D\n\r")));
  // 80 41 is one unmapped pair.
  QVERIFY(data->text().endsWith(QString::fromUtf16(u"\uFFFD\n\x7F")));
  const ClipboardText same = platform.ReadClipboard(TextCode::Gb);
  QCOMPARE(same.status, ClipboardStatus::Ok);
  QCOMPARE(ToHex(same.bytes), ToHex(bytes));

  QVERIFY(platform.WriteClipboard(Hex("A440 0D0A"), TextCode::Big5));
  QVERIFY(
      QApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("text/plain;charset=Big5")));
  // Read in the other code: the characters, not the bytes.
  const ClipboardText other = platform.ReadClipboard(TextCode::Gb);
  QCOMPARE(ToHex(other.bytes), ToHex(Hex("D2BB 0D0A")));
}

void QtPlatformTest::ClipboardTextFromOtherProgramsIsEncoded() {
  QtPlatform platform;
  QApplication::clipboard()->setText(QString::fromUtf16(u"\u4E2D\u6587\nabc\r\n\u0E01"));
  QCOMPARE(ToHex(platform.ReadClipboard(TextCode::Gb).bytes),
           ToHex(Hex("D6D0 CEC4 0D0A 616263 0D0A 3F")));
  QCOMPARE(ToHex(platform.ReadClipboard(TextCode::Big5).bytes),
           ToHex(Hex("A4A4 A4E5 0D0A 616263 0D0A 3F")));
}

void QtPlatformTest::ClipboardWithoutTextSaysSo() {
  QtPlatform platform;
  auto data = std::make_unique<QMimeData>();
  data->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
  QApplication::clipboard()->setMimeData(data.release());
  QCOMPARE(platform.ReadClipboard(TextCode::Gb).status, ClipboardStatus::NoText);
}

void QtPlatformTest::FileFilters_data() {
  QTest::addColumn<QString>("description");
  QTest::addColumn<QString>("pattern");
  QTest::addColumn<QString>("filter");
  QTest::newRow("every file") << "All File(*.*)"
                              << "*.*"
                              << "All File(*.*) (*)";
  QTest::newRow("text files both cases") << "Text Files(*.txt)"
                                         << "*.txt"
                                         << "Text Files(*.txt) (*.txt *.TXT)";
  QTest::newRow("several patterns") << "Mail"
                                    << "*.eml;*.*"
                                    << "Mail (*)";
  QTest::newRow("none") << ""
                        << ""
                        << "";
}

void QtPlatformTest::FileFilters() {
  QFETCH(QString, description);
  QFETCH(QString, pattern);
  QFETCH(QString, filter);
  FileDialogOptions options;
  options.filterDescription = description.toStdString();
  options.filterPattern = pattern.toStdString();
  QCOMPARE(vortane::QtFileFilter(options), filter);
}

void QtPlatformTest::TempDirectoryAndScreen() {
  QtPlatform platform;
  const std::string temp = platform.TempDirectory();
  QVERIFY(!temp.empty());
  QCOMPARE(temp.back(), '/');
  const vortane::ScreenSize screen = platform.GetScreenSize();
  QVERIFY(screen.width > 0 && screen.height > 0);
}

void QtPlatformTest::ProgressCancelStopsTheRun() {
  QtPlatform platform;
  std::unique_ptr<vortane::ProgressMonitor> monitor =
      platform.BeginProgress(vortane::UiText{"Decoding", vortane::UiCode::Ascii}, 1000);
  QVERIFY(monitor->Update(100));
  QVERIFY(monitor->Update(5000));  // past the total: still running, clamped
  QProgressDialog* dialog = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* progress = qobject_cast<QProgressDialog*>(top)) {
      dialog = progress;
    }
  }
  QVERIFY(dialog != nullptr);
  QCOMPARE(dialog->labelText(), QStringLiteral("Decoding"));
  QCOMPARE(dialog->value(), dialog->maximum());
  dialog->cancel();
  QVERIFY(!monitor->Update(600));
  monitor.reset();
  for (QWidget* top : QApplication::topLevelWidgets()) {
    QVERIFY(qobject_cast<QProgressDialog*>(top) == nullptr);
  }
}

void QtPlatformTest::FrameClipboardKeepsBytesOfEveryDisplayCode() {
  QtPlatform platform;
  // 朱镕基 in GB 18030 with a byte no code reads.
  const std::string gb18030 = Hex("D6EC E946 BBF9 0D0A FF");
  QVERIFY(platform.WriteFrameClipboard(gb18030, vortane::DisplayCode::Gb18030));
  const QMimeData* data = QApplication::clipboard()->mimeData();
  QVERIFY(data->hasFormat(QStringLiteral("text/plain;charset=GB18030")));
  QVERIFY(data->text().startsWith(QString::fromUtf16(u"\u6731\u9555\u57FA\n")));
  QCOMPARE(ToHex(platform.ReadFrameClipboard(vortane::DisplayCode::Gb18030).bytes), ToHex(gb18030));
  // Read in another code: the characters through Unicode.
  QCOMPARE(ToHex(platform.ReadFrameClipboard(vortane::DisplayCode::Utf8).bytes),
           ToHex(Hex("E69CB1 E99595 E59FBA 0D0A EFBFBD")));
  // Text of other programs, written in the frame's code.
  QApplication::clipboard()->setText(QString::fromUtf16(u"\U00020BB7\u5605"));
  QCOMPARE(ToHex(platform.ReadFrameClipboard(vortane::DisplayCode::Utf8).bytes),
           ToHex(Hex("F0A0AEB7 E59885")));
  QCOMPARE(ToHex(platform.ReadFrameClipboard(vortane::DisplayCode::Gb).bytes), ToHex("??"));
}

void QtPlatformTest::ChooseItemGivesTheChosenIndexOrNone() {
  QtPlatform platform;
  const std::vector<vortane::UiText> items{{"Bytes", vortane::UiCode::Ascii},
                                           {"UTF-8", vortane::UiCode::Ascii},
                                           {"\xD6\xD0", vortane::UiCode::Gb}};
  // Accepts the open dialog after moving to `row` (-1: cancels it).
  const auto answer = [](int row) {
    QTimer::singleShot(0, [row] {
      auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      QCOMPARE(dialog->objectName(), QStringLiteral("choiceDialog"));
      QCOMPARE(dialog->labelText(), QStringLiteral("Pick:"));
      if (row < 0) {
        dialog->reject();
        return;
      }
      auto* box = dialog->findChild<QComboBox*>();
      QVERIFY(box != nullptr);
      QCOMPARE(box->count(), 3);
      QCOMPARE(box->itemText(2), QString::fromUtf16(u"\u4E2D"));
      QCOMPARE(box->currentIndex(), 1);  // the initial item
      box->setCurrentIndex(row);
      dialog->accept();
    });
  };
  const vortane::UiText title{"Title", vortane::UiCode::Ascii};
  const vortane::UiText label{"Pick:", vortane::UiCode::Ascii};
  answer(2);
  QCOMPARE(platform.ChooseItem(title, label, items, 1), std::optional<std::size_t>(2));
  answer(1);
  QCOMPARE(platform.ChooseItem(title, label, items, 1), std::optional<std::size_t>(1));
  answer(-1);
  QCOMPARE(platform.ChooseItem(title, label, items, 1), std::optional<std::size_t>());
}

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
