// The code converter view: it opens top-most with the captions and the
// initial choices, hands the controls' values to the logic before a command
// and shows the logic's state after it.
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "converter/code_converter_dialog.h"
#include "gui/dialog_views.h"
#include "gui/view_test_support.h"
#include "support/fake_platform.h"
#include "support/languages.h"

using vortane::testing::Child;
using vortane::testing::RunWhileOpen;

class CodeConverterViewTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensWithCaptionsAndInitialChoices_data();
  void OpensWithCaptionsAndInitialChoices();
  void ConvertTakesTheControlsValues();
  void BrowseShowsTheChosenPathAndKeepsTheOther();
  void TodaysCodesConvertFromTheLists();
};

namespace {

void RunWith(vortane::CodeConverterDialog& logic, const std::function<void(QDialog&)>& whileOpen) {
  RunWhileOpen([&] { vortane::RunCodeConverterView(nullptr, logic); }, whileOpen);
}

}  // namespace

void CodeConverterViewTest::OpensWithCaptionsAndInitialChoices_data() {
  QTest::addColumn<int>("language");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("convert");
  QTest::addColumn<QString>("keepStill");
  QTest::newRow("english") << 1 << QStringLiteral("Chinese Code Converter")
                           << QStringLiteral("&Convert") << QStringLiteral("Keep\nStill");
  QTest::newRow("gb") << 0 << QString::fromUtf8("汉字内码转换器") << QString::fromUtf8("转换(&C)")
                      << QString::fromUtf8("不处理");
  QTest::newRow("big5") << 2 << QString::fromUtf8("漢字內碼轉換器") << QString::fromUtf8("轉換(&C)")
                        << QString::fromUtf8("不處理");
}

void CodeConverterViewTest::OpensWithCaptionsAndInitialChoices() {
  QFETCH(int, language);
  QFETCH(QString, title);
  QFETCH(QString, convert);
  QFETCH(QString, keepStill);
  vortane::testing::FakePlatform platform;
  vortane::CodeConverterDialog logic(platform, "/tmp/", vortane::testing::Lang(language));
  RunWith(logic, [&](QDialog& dialog) {
    QCOMPARE(dialog.windowTitle(), title);
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(Child<QPushButton>(dialog, "convertButton").text(), convert);
    QVERIFY(Child<QPushButton>(dialog, "convertButton").isDefault());
    // Short captions fit on one line; long ones wrap beside the indicator.
    QString caption = Child<QRadioButton>(dialog, "keepStillRadio").text();
    if (!keepStill.contains(QLatin1Char('\n'))) {
      QCOMPARE(caption, keepStill);
    }
    QVERIFY(Child<QRadioButton>(dialog, "addBlankRadio").text().size() > 0);
    QVERIFY(Child<QRadioButton>(dialog, "sourceClipboardRadio").isChecked());
    QVERIFY(Child<QRadioButton>(dialog, "resultClipboardRadio").isChecked());
    QVERIFY(Child<QRadioButton>(dialog, "keepStillRadio").isChecked());
    QCOMPARE(Child<QLineEdit>(dialog, "sourcePathEdit").text(), QString());
    auto& sources = Child<QListWidget>(dialog, "sourceCodeList");
    auto& results = Child<QListWidget>(dialog, "resultCodeList");
    QCOMPARE(sources.count(), 7);
    QCOMPARE(sources.item(2)->text(), QStringLiteral("Unicode"));
    QCOMPARE(sources.item(3)->text(), QStringLiteral("UTF-8"));
    QCOMPARE(sources.item(4)->text(), QStringLiteral("UTF-16"));
    QCOMPARE(sources.item(6)->text(), QStringLiteral("Big5-HKSCS"));
    QCOMPARE(results.count(), 6);
    QCOMPARE(results.item(3)->text(), QStringLiteral("UTF-16LE (BOM)"));
    QCOMPARE(sources.currentRow(), 0);
    QCOMPARE(results.currentRow(), 1);
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      QVERIFY2(dialog.rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
  });
}

void CodeConverterViewTest::ConvertTakesTheControlsValues() {
  QTemporaryDir directory;
  const QString source = directory.filePath(QStringLiteral("in.txt"));
  const QString target = directory.filePath(QStringLiteral("out.txt"));
  {
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("A \xB4\xF3");  // "A", a blank and a GB character
  }
  vortane::testing::FakePlatform platform;
  vortane::CodeConverterDialog logic(platform, directory.path().toStdString(),
                                     vortane::testing::Lang(1));
  RunWith(logic, [&](QDialog& dialog) {
    Child<QRadioButton>(dialog, "sourceFileRadio").click();
    Child<QRadioButton>(dialog, "resultFileRadio").click();
    Child<QRadioButton>(dialog, "removeBlankRadio").click();
    Child<QLineEdit>(dialog, "sourcePathEdit").setText(source);
    Child<QLineEdit>(dialog, "targetPathEdit").setText(target);
    Child<QListWidget>(dialog, "resultCodeList").setCurrentRow(0);
    Child<QPushButton>(dialog, "convertButton").click();
    QVERIFY(dialog.isVisible());  // the dialog stays open for the next conversion
    QCOMPARE(Child<QLineEdit>(dialog, "targetPathEdit").text(), target);
    QVERIFY(Child<QRadioButton>(dialog, "removeBlankRadio").isChecked());
  });
  QCOMPARE(platform.messages.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(platform.messages[0].bytes), QStringLiteral("Convert Ok!"));
  QFile result(target);
  QVERIFY(result.open(QIODevice::ReadOnly));
  QCOMPARE(result.readAll(), QByteArray("A\xB4\xF3"));
  QVERIFY(logic.state().sourceChoice == vortane::TextLocation::File);
  QVERIFY(logic.state().resultCode == vortane::ConvertCode{vortane::TextCode::Gb});
}

void CodeConverterViewTest::BrowseShowsTheChosenPathAndKeepsTheOther() {
  vortane::testing::FakePlatform platform;
  platform.openFiles.push_back("/chosen/source.txt");
  vortane::CodeConverterDialog logic(platform, "/tmp/", vortane::testing::Lang(1));
  RunWith(logic, [&](QDialog& dialog) {
    auto& browse = Child<QPushButton>(dialog, "sourceBrowseButton");
    browse.click();  // Clipboard chosen: nothing happens
    QVERIFY(platform.openDialogs.empty());
    Child<QRadioButton>(dialog, "sourceFileRadio").click();
    Child<QLineEdit>(dialog, "targetPathEdit").setText(QStringLiteral("typed.txt"));
    browse.click();
    QCOMPARE(Child<QLineEdit>(dialog, "sourcePathEdit").text(),
             QStringLiteral("/chosen/source.txt"));
    QCOMPARE(Child<QLineEdit>(dialog, "targetPathEdit").text(), QStringLiteral("typed.txt"));
  });
  QCOMPARE(platform.openDialogs.size(), std::size_t{1});
}

void CodeConverterViewTest::TodaysCodesConvertFromTheLists() {
  QTemporaryDir directory;
  const QString source = directory.filePath(QStringLiteral("in.txt"));
  const QString target = directory.filePath(QStringLiteral("out.txt"));
  {
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xFF\xFE\x31\x67\x55\x95");  // 朱镕 in UTF-16LE with a mark
  }
  vortane::testing::FakePlatform platform;
  vortane::CodeConverterDialog logic(platform, directory.path().toStdString(),
                                     vortane::testing::Lang(1));
  RunWith(logic, [&](QDialog& dialog) {
    Child<QRadioButton>(dialog, "sourceFileRadio").click();
    Child<QRadioButton>(dialog, "resultFileRadio").click();
    Child<QLineEdit>(dialog, "sourcePathEdit").setText(source);
    Child<QLineEdit>(dialog, "targetPathEdit").setText(target);
    auto& sources = Child<QListWidget>(dialog, "sourceCodeList");
    auto& results = Child<QListWidget>(dialog, "resultCodeList");
    sources.setCurrentRow(
        sources.row(sources.findItems(QStringLiteral("UTF-16"), Qt::MatchExactly).at(0)));
    results.setCurrentRow(
        results.row(results.findItems(QStringLiteral("GB18030"), Qt::MatchExactly).at(0)));
    Child<QPushButton>(dialog, "convertButton").click();
    // The choices show again as they were.
    QCOMPARE(sources.currentItem()->text(), QStringLiteral("UTF-16"));
    QCOMPARE(results.currentItem()->text(), QStringLiteral("GB18030"));
  });
  QCOMPARE(platform.messages.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(platform.messages[0].bytes), QStringLiteral("Convert Ok!"));
  QFile result(target);
  QVERIFY(result.open(QIODevice::ReadOnly));
  QCOMPARE(result.readAll(), QByteArray("\xD6\xEC\xE9\x46"));
  QVERIFY(logic.state().sourceCode == vortane::ConvertCode{vortane::Charset::Utf16});
}

QTEST_MAIN(CodeConverterViewTest)
#include "code_converter_view_test.moc"
