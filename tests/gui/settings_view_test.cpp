// The settings dialog view: it opens with the logic's texts and values, OK
// with a bad number keeps it open, and a good OK writes the settings.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "gui/dialog_views.h"
#include "gui/view_test_support.h"
#include "settings/settings_dialog.h"
#include "support/fake_platform.h"

using vortane::testing::Child;
using vortane::testing::RunWhileOpen;

class SettingsViewTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensWithTextsAndValues_data();
  void OpensWithTextsAndValues();
  void BadNumberKeepsDialogOpen();
  void ExitChangesNothing();
};

namespace {

// Runs `whileOpen` on the settings dialog once it is shown, then returns what
// RunSettingsView returned.
bool RunWith(vortane::SettingsDialog& logic, const std::function<void(QDialog&)>& whileOpen) {
  bool ok = false;
  RunWhileOpen([&] { ok = vortane::RunSettingsView(nullptr, logic); }, whileOpen);
  return ok;
}

}  // namespace

void SettingsViewTest::OpensWithTextsAndValues_data() {
  QTest::addColumn<int>("language");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("checkedRadio");
  QTest::newRow("english") << 1 << QStringLiteral("Configuration")
                           << QStringLiteral("englishRadio");
  QTest::newRow("gb") << 0 << QString::fromUtf16(u"\u914D\u7F6E") << QStringLiteral("gbRadio");
  QTest::newRow("big5") << 2 << QString::fromUtf16(u"\u914D\u7F6E") << QStringLiteral("big5Radio");
  QTest::newRow("out of range") << 7 << QStringLiteral("Configuration") << QString();
}

void SettingsViewTest::OpensWithTextsAndValues() {
  QFETCH(int, language);
  QFETCH(QString, caption);
  QFETCH(QString, checkedRadio);
  vortane::testing::FakePlatform platform;
  QTemporaryDir directory;
  const vortane::SettingsStore store(
      directory.filePath(QStringLiteral("Vortane.ini")).toStdString());
  vortane::AppSettings settings;
  settings.interfaceLanguage = vortane::InterfaceLanguage::FromNumber(language);
  settings.wordWrapNumber = 10;
  settings.autoPaste = 0;
  settings.markCharacter = "#";
  settings.tempDirectory = "/tmp/x/";
  vortane::SettingsDialog logic(platform, store, settings);
  RunWith(logic, [&](QDialog& dialog) {
    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(Child<QLineEdit>(dialog, "wrapNumberEdit").text(), QStringLiteral("10"));
    QCOMPARE(Child<QLineEdit>(dialog, "markEdit").text(), QStringLiteral("#"));
    QCOMPARE(Child<QLineEdit>(dialog, "markEdit").maxLength(), 1);
    QCOMPARE(Child<QLineEdit>(dialog, "tempDirectoryEdit").text(), QStringLiteral("/tmp/x/"));
    QVERIFY(!Child<QCheckBox>(dialog, "autoPasteBox").isChecked());
    QVERIFY(Child<QCheckBox>(dialog, "doubleBytesBox").isChecked());
    for (const char* radio : {"gbRadio", "englishRadio", "big5Radio"}) {
      QCOMPARE(Child<QRadioButton>(dialog, radio).isChecked(),
               checkedRadio == QLatin1String(radio));
    }
    QCOMPARE(Child<QRadioButton>(dialog, "gbRadio").text(),
             QString::fromUtf16(u"\u4E2D\u6587\u754C\u9762(GB)"));
    QCOMPARE(Child<QRadioButton>(dialog, "big5Radio").text(),
             QString::fromUtf16(u"\u4E2D\u6587\u754C\u9762(BIG5)"));
    // Every control lies inside the dialog.
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      QVERIFY2(dialog.rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
  });
}

void SettingsViewTest::BadNumberKeepsDialogOpen() {
  vortane::testing::FakePlatform platform;
  QTemporaryDir directory;
  const QString file = directory.filePath(QStringLiteral("Vortane.ini"));
  const vortane::SettingsStore store(file.toStdString());
  vortane::SettingsDialog logic(platform, store, vortane::AppSettings{});
  const bool ok = RunWith(logic, [&](QDialog& dialog) {
    dialog.show();
    auto& wrap = Child<QLineEdit>(dialog, "wrapNumberEdit");
    auto& okButton = Child<QPushButton>(dialog, "okButton");
    for (const char* bad : {"abc", "10", "97"}) {
      wrap.setText(QString::fromLatin1(bad));
      okButton.click();
      QVERIFY2(dialog.isVisible(), bad);
      QCOMPARE(dialog.focusWidget(), &wrap);
      QCOMPARE(wrap.selectedText(), QString::fromLatin1(bad));
    }
    QCOMPARE(platform.messages.size(), std::size_t{3});
    QVERIFY(!QFile::exists(file));
    Child<QRadioButton>(dialog, "big5Radio").click();
    wrap.setText(QStringLiteral("50"));
    okButton.click();
    QVERIFY(!dialog.isVisible());
  });
  QVERIFY(ok);
  QCOMPARE(logic.settings().wordWrapNumber, 50);
  QCOMPARE(logic.settings().interfaceLanguage.Number(), 2);
  QVERIFY(QFile::exists(file));
}

void SettingsViewTest::ExitChangesNothing() {
  vortane::testing::FakePlatform platform;
  QTemporaryDir directory;
  const vortane::SettingsStore store(
      directory.filePath(QStringLiteral("Vortane.ini")).toStdString());
  vortane::SettingsDialog logic(platform, store, vortane::AppSettings{});
  const bool ok = RunWith(logic, [&](QDialog& dialog) {
    Child<QLineEdit>(dialog, "wrapNumberEdit").setText(QStringLiteral("40"));
    Child<QPushButton>(dialog, "exitButton").click();
    QVERIFY(!dialog.isVisible());
  });
  QVERIFY(!ok);
  QCOMPARE(logic.settings().wordWrapNumber, 70);
}

QTEST_MAIN(SettingsViewTest)
#include "settings_view_test.moc"
