// The about view: it opens small and top-most, a picture area makes it full
// size with the page shown, and a banner opens the homepage.
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <functional>

#include "gui/dialog_views.h"
#include "gui/view_test_support.h"
#include "help/about_dialog.h"
#include "help/homepages.h"
#include "support/fake_platform.h"
#include "support/languages.h"

using vortane::testing::Child;
using vortane::testing::RunWhileOpen;

class AboutViewTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensSmallAndTopMost_data();
  void OpensSmallAndTopMost();
  void RedAreaShowsTheEnglishPageFullSize();
  void BannerOpensTheHomepage();
};

namespace {

void RunWith(vortane::AboutDialog& logic, const std::function<void(QDialog&)>& whileOpen) {
  RunWhileOpen([&] { vortane::RunAboutView(nullptr, logic); }, whileOpen);
}

}  // namespace

void AboutViewTest::OpensSmallAndTopMost_data() {
  QTest::addColumn<int>("language");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("version");
  QTest::newRow("english") << 1 << QStringLiteral("About Mail Vortane")
                           << QStringLiteral("Mail Vortane Version 1.0");
  QTest::newRow("gb") << 0 << QString::fromUtf8("关于邮件Vortane")
                      << QString::fromUtf8("邮件Vortane1.0版");
  QTest::newRow("big5") << 2 << QString::fromUtf8("關于郵件Vortane")
                        << QString::fromUtf8("郵件Vortane1.0版");
}

void AboutViewTest::OpensSmallAndTopMost() {
  QFETCH(int, language);
  QFETCH(QString, title);
  QFETCH(QString, version);
  vortane::testing::FakePlatform platform;
  vortane::AboutDialog logic(platform, "/tmp/Vortane.htm", vortane::testing::Lang(language));
  RunWith(logic, [&](QDialog& dialog) {
    QCOMPARE(dialog.windowTitle(), title);
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(Child<QPlainTextEdit>(dialog, "versionText").toPlainText(), version);
    QVERIFY(!Child<QPlainTextEdit>(dialog, "pageText").isVisibleTo(&dialog));
    // The small state shows the picture, OK, the version and the short text.
    for (const char* name : {"okButton", "aboutBlueArea", "aboutGreenArea", "aboutRedArea"}) {
      auto& button = Child<QPushButton>(dialog, name);
      QVERIFY2(button.isVisibleTo(&dialog), name);
      QVERIFY2(dialog.rect().contains(button.geometry()), name);
    }
    QVERIFY(dialog.rect().contains(Child<QTextEdit>(dialog, "shortText").geometry()));
    // The banners lie below the small window.
    QVERIFY(Child<QPushButton>(dialog, "homepageGbButton").geometry().top() >= dialog.height());
  });
}

void AboutViewTest::RedAreaShowsTheEnglishPageFullSize() {
  vortane::testing::FakePlatform platform;
  vortane::AboutDialog logic(platform, "/tmp/Vortane.htm", vortane::testing::Lang(0));
  RunWith(logic, [&](QDialog& dialog) {
    const QSize small = dialog.size();
    Child<QPushButton>(dialog, "aboutRedArea").click();
    const vortane::AboutDialog::Size expected =
        vortane::AboutDialog::SmallSize({dialog.width(), dialog.height()});
    QCOMPARE(small, QSize(expected.width, expected.height));
    auto& page = Child<QPlainTextEdit>(dialog, "pageText");
    QVERIFY(page.isVisibleTo(&dialog));
    QVERIFY(page.toPlainText().startsWith(QStringLiteral("Mail Vortane 1.0")));
    QCOMPARE(page.font().pixelSize(), 12);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Introducing Mail Vortane"));
    for (const char* name : {"okButton", "aboutBlueArea", "aboutGreenArea", "aboutRedArea"}) {
      QVERIFY2(!Child<QPushButton>(dialog, name).isVisibleTo(&dialog), name);
    }
    QVERIFY(!Child<QTextEdit>(dialog, "shortText").isVisibleTo(&dialog));
    for (const char* name : {"homepageGbButton", "homepageBig5Button", "homepageEnglishButton"}) {
      QVERIFY2(dialog.rect().contains(Child<QPushButton>(dialog, name).geometry()), name);
    }
  });
}

void AboutViewTest::BannerOpensTheHomepage() {
  vortane::testing::FakePlatform platform;
  vortane::AboutDialog logic(platform, "/tmp/Vortane.htm", vortane::testing::Lang(1));
  RunWith(logic, [&](QDialog& dialog) {
    Child<QPushButton>(dialog, "aboutBlueArea").click();
    Child<QPushButton>(dialog, "homepageBig5Button").click();
  });
  QCOMPARE(platform.openedUrls.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(platform.openedUrls[0]),
           QString::fromLatin1(vortane::kHomepageBig5.data(),
                               static_cast<qsizetype>(vortane::kHomepageBig5.size())));
}

QTEST_MAIN(AboutViewTest)
#include "about_view_test.moc"
