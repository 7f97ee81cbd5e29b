// The help view: title, tab buttons along the bottom, Close, and the page
// shown for a clicked tab.
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "gui/dialog_views.h"
#include "gui/view_test_support.h"
#include "help/help_dialog.h"
#include "support/languages.h"

using vortane::testing::Child;
using vortane::testing::RunWhileOpen;

class HelpViewTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensOnTheFirstPage_data();
  void OpensOnTheFirstPage();
  void TabClickShowsItsPage();
};

namespace {

void RunWith(vortane::HelpDialog& logic, const std::function<void(QDialog&)>& whileOpen) {
  RunWhileOpen([&] { vortane::RunHelpView(nullptr, logic); }, whileOpen);
}

}  // namespace

void HelpViewTest::OpensOnTheFirstPage_data() {
  QTest::addColumn<int>("language");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("lastTab");
  QTest::addColumn<QString>("pageTitle");
  QTest::newRow("english") << 1 << QStringLiteral("Help Contents") << QStringLiteral("Others")
                           << QStringLiteral("Simply Introduce");
  QTest::newRow("gb") << 0 << QString::fromUtf8("帮助内容") << QString::fromUtf8("其它")
                      << QString::fromUtf8("简单介绍Vortane");
  QTest::newRow("big5") << 2 << QString::fromUtf8("幫助內容") << QString::fromUtf8("其它")
                        << QString::fromUtf8("簡單介紹Vortane");
}

void HelpViewTest::OpensOnTheFirstPage() {
  QFETCH(int, language);
  QFETCH(QString, title);
  QFETCH(QString, lastTab);
  QFETCH(QString, pageTitle);
  vortane::HelpDialog logic(vortane::testing::Lang(language));
  RunWith(logic, [&](QDialog& dialog) {
    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(Child<QPushButton>(dialog, QStringLiteral("helpTab3")).text(), lastTab);
    QVERIFY(Child<QPushButton>(dialog, QStringLiteral("helpTab0")).isChecked());
    QCOMPARE(Child<QPushButton>(dialog, QStringLiteral("closeButton")).text(),
             QStringLiteral("Close"));
    QCOMPARE(Child<QLabel>(dialog, QStringLiteral("pageTitle")).text(), pageTitle);
    const QString body = Child<QLabel>(dialog, QStringLiteral("pageText")).text();
    QVERIFY(!body.contains(QLatin1Char('\r')));
    // The tabs lie side by side inside the row along the bottom.
    int right = 0;
    for (int i = 0; i < 4; ++i) {
      auto& tab = Child<QPushButton>(dialog, QStringLiteral("helpTab%1").arg(i));
      const QRect inDialog(tab.mapTo(&dialog, QPoint(0, 0)), tab.size());
      QVERIFY(dialog.rect().contains(inDialog));
      QVERIFY(inDialog.left() >= right);
      right = inDialog.right();
      QVERIFY(inDialog.top() > dialog.height() / 2);
    }
  });
}

void HelpViewTest::TabClickShowsItsPage() {
  vortane::HelpDialog logic(vortane::testing::Lang(1));
  RunWith(logic, [&](QDialog& dialog) {
    Child<QPushButton>(dialog, QStringLiteral("helpTab2")).click();
    QCOMPARE(Child<QLabel>(dialog, QStringLiteral("pageTitle")).text(),
             QStringLiteral("Some Code Samples"));
    QVERIFY(Child<QLabel>(dialog, QStringLiteral("pageText"))
                .text()
                .contains(QStringLiteral("VGhpcyBpcyBhILLiytTOxLG+LLLiytRCYXNlNjSx4MLrDQog")));
    QVERIFY(Child<QPushButton>(dialog, QStringLiteral("helpTab2")).isChecked());
    QVERIFY(!Child<QPushButton>(dialog, QStringLiteral("helpTab0")).isChecked());
  });
  QCOMPARE(logic.currentPage(), 2);
}

QTEST_MAIN(HelpViewTest)
#include "help_view_test.moc"
