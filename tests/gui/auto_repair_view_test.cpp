// The Automatic dialog: the ranked readings with their chains, the preview of
// the one chosen, Enter taking the best; and Decode > Automatic... end to end
// in the main window through its key.
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "app/text_transform_dialog.h"
#include "gui/dialog_views.h"
#include "gui/main_window.h"
#include "gui/view_test_support.h"
#include "repair/auto_repair_dialog.h"
#include "support/fake_platform.h"
#include "support/languages.h"
#include "support/stream_check.h"

using vortane::testing::Child;
using vortane::testing::Hex;
using vortane::testing::RunWhileOpen;
using vortane::testing::ToHex;

class AutoRepairViewTest : public QObject {
  Q_OBJECT

 private slots:
  void ListsTheReadingsInTheLanguage_data();
  void ListsTheReadingsInTheLanguage();
  void EnterTakesTheBest();
  void ChoosingAnotherShowsItsPreview();
  void KeyOfTheMainWindowFillsTheTarget();
};

namespace {

// 中文測試 in Big5.
const std::string kBig5Text = Hex("A4A4 A4E5 B4FA B8D5");

bool RunWith(vortane::AutoRepairDialog& logic, const std::function<void(QDialog&)>& whileOpen) {
  bool taken = false;
  RunWhileOpen([&] { taken = vortane::RunAutoRepairView(nullptr, logic); }, whileOpen);
  return taken;
}

}  // namespace

void AutoRepairViewTest::ListsTheReadingsInTheLanguage_data() {
  QTest::addColumn<int>("language");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("firstChain");
  QTest::newRow("english") << 1 << QStringLiteral("Automatic Repair")
                           << QStringLiteral("Base64, then Big5-HKSCS");
  QTest::newRow("gb") << 0 << QString::fromUtf8("自动修复")
                      << QString::fromUtf8("Base64,然后Big5-HKSCS");
  QTest::newRow("big5") << 2 << QString::fromUtf8("自動修復")
                        << QString::fromUtf8("Base64,然後Big5-HKSCS");
}

void AutoRepairViewTest::ListsTheReadingsInTheLanguage() {
  QFETCH(int, language);
  QFETCH(QString, title);
  QFETCH(QString, firstChain);
  vortane::AutoRepairDialog logic("pKSk5bT6uNU=", vortane::testing::Lang(language));
  QVERIFY(!logic.empty());
  RunWith(logic, [&](QDialog& dialog) {
    QCOMPARE(dialog.windowTitle(), title);
    auto& list = Child<QListWidget>(dialog, "readingsList");
    QCOMPARE(list.count(), static_cast<int>(logic.count()));
    QCOMPARE(list.item(0)->text(), firstChain);
    QCOMPARE(list.currentRow(), 0);
    QCOMPARE(Child<QPlainTextEdit>(dialog, "previewText").toPlainText(),
             QString::fromUtf8("中文測試"));
  });
}

void AutoRepairViewTest::EnterTakesTheBest() {
  vortane::AutoRepairDialog logic(kBig5Text, vortane::testing::Lang(1));
  QVERIFY(logic.count() >= 2);
  const bool taken = RunWith(logic, [&](QDialog& dialog) {
    QTest::keyClick(&Child<QListWidget>(dialog, "readingsList"), Qt::Key_Return);
  });
  QVERIFY(taken);
  QCOMPARE(logic.selected(), std::size_t{0});
}

void AutoRepairViewTest::ChoosingAnotherShowsItsPreview() {
  vortane::AutoRepairDialog logic(kBig5Text, vortane::testing::Lang(1));
  QVERIFY(logic.count() >= 2);
  const bool taken = RunWith(logic, [&](QDialog& dialog) {
    auto& list = Child<QListWidget>(dialog, "readingsList");
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(list.currentRow(), 1);
    QCOMPARE(Child<QPlainTextEdit>(dialog, "previewText").toPlainText(),
             QString::fromStdString(logic.preview(1)));
    QTest::keyClick(&list, Qt::Key_Escape);
  });
  QVERIFY(!taken);
  QCOMPARE(logic.selected(), std::size_t{1});
}

void AutoRepairViewTest::KeyOfTheMainWindowFillsTheTarget() {
  QTemporaryDir directory;
  vortane::testing::FakePlatform platform;
  vortane::MainWindow window;
  vortane::MainWindowPaths paths;
  paths.settingsFile = directory.filePath(QStringLiteral("Vortane.ini")).toStdString();
  vortane::TextTransformDialog logic{platform, window, paths};
  window.SetHandlers([&](vortane::Command command) { logic.OnCommand(command); },
                     [&] { logic.OnCloseRequested(); });
  logic.Initialise();
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.sourceFrame().SetBytes("pKSk5bT6uNU=");
  window.sourceFrame().setFocus();
  RunWhileOpen([&] { QTest::keyClick(&window.sourceFrame(), Qt::Key_F9); },
               [](QDialog& dialog) {
                 QTest::keyClick(&Child<QListWidget>(dialog, "readingsList"), Qt::Key_Enter);
               });
  QCOMPARE(ToHex(window.targetFrame().GetBytes()), ToHex(kBig5Text));
  QCOMPARE(window.targetFrame().DisplayCode(), vortane::DisplayCode::Big5Hkscs);
  QCOMPARE(window.targetFrame().toPlainText(), QString::fromUtf8("中文測試"));
}

QTEST_MAIN(AutoRepairViewTest)
#include "auto_repair_view_test.moc"
