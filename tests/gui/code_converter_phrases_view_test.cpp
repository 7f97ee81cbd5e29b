// The converter view's option "by phrases": it follows the chosen codes, the
// region list follows the option, and both reach the logic on Convert.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "converter/code_converter_dialog.h"
#include "gui/dialog_views.h"
#include "gui/qt_desktop_state.h"
#include "gui/view_test_support.h"
#include "support/fake_platform.h"
#include "support/languages.h"

using vortane::testing::Child;
using vortane::testing::RunWhileOpen;

class CodeConverterPhrasesViewTest : public QObject {
  Q_OBJECT

 private slots:
  void OptionFollowsTheCodesAndRegionTheOption();
  void ConvertByPhrasesKeepsTheRegionInTheStateFile();
  void RegionNamesInEveryLanguage();
};

namespace {

void RunWith(vortane::CodeConverterDialog& logic, const std::function<void(QDialog&)>& whileOpen) {
  RunWhileOpen([&] { vortane::RunCodeConverterView(nullptr, logic); }, whileOpen);
}

}  // namespace

void CodeConverterPhrasesViewTest::OptionFollowsTheCodesAndRegionTheOption() {
  vortane::testing::FakePlatform platform;
  vortane::CodeConverterDialog logic(platform, "/tmp/", vortane::testing::Lang(1));
  RunWith(logic, [&](QDialog& dialog) {
    auto& option = Child<QCheckBox>(dialog, "byPhrasesCheck");
    auto& region = Child<QComboBox>(dialog, "phraseRegionChoice");
    auto& results = Child<QListWidget>(dialog, "resultCodeList");
    QCOMPARE(region.count(), 3);
    // GB -> BIG5 at first: the option is there, unchecked, the region idle.
    QVERIFY(option.isEnabled());
    QVERIFY(!option.isChecked());
    QVERIFY(!region.isEnabled());
    option.click();
    QVERIFY(region.isEnabled());
    results.setCurrentRow(0);  // GB -> GB has no direction
    QVERIFY(!option.isEnabled());
    QVERIFY(!region.isEnabled());
    Child<QListWidget>(dialog, "sourceCodeList").setCurrentRow(1);  // BIG5 -> GB
    QVERIFY(option.isEnabled());
    QVERIFY(region.isEnabled());
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      QVERIFY2(dialog.rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
  });
}

void CodeConverterPhrasesViewTest::ConvertByPhrasesKeepsTheRegionInTheStateFile() {
  QTemporaryDir directory;
  const QString source = directory.filePath(QStringLiteral("in.txt"));
  const QString target = directory.filePath(QStringLiteral("out.txt"));
  {
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xC8\xED\xBC\xFE");  // GB "软件"
  }
  const std::string folder = directory.path().toStdString();
  vortane::QtDesktopState state(vortane::StateFileIn(folder), folder);
  vortane::testing::FakePlatform platform;
  vortane::CodeConverterDialog logic(platform, folder, vortane::testing::Lang(1));
  logic.UseDesktopState(state);
  RunWith(logic, [&](QDialog& dialog) {
    Child<QRadioButton>(dialog, "sourceFileRadio").click();
    Child<QRadioButton>(dialog, "resultFileRadio").click();
    Child<QLineEdit>(dialog, "sourcePathEdit").setText(source);
    Child<QLineEdit>(dialog, "targetPathEdit").setText(target);
    Child<QCheckBox>(dialog, "byPhrasesCheck").click();
    Child<QComboBox>(dialog, "phraseRegionChoice").setCurrentIndex(1);  // Taiwan, vocabulary
    Child<QPushButton>(dialog, "convertButton").click();
    QVERIFY(Child<QCheckBox>(dialog, "byPhrasesCheck").isChecked());
  });
  QFile result(target);
  QVERIFY(result.open(QIODevice::ReadOnly));
  QCOMPARE(result.readAll(), QByteArray("\xB3\x6E\xC5\xE9"));  // Big5 "軟體"
  // A new state over the same file reads the region back.
  const vortane::QtDesktopState again(vortane::StateFileIn(folder), folder);
  QCOMPARE(again.Value("phrases/region"), std::optional<std::string>("twp"));
  QVERIFY(QFile::exists(directory.filePath(QStringLiteral("window-state.conf"))));
}

void CodeConverterPhrasesViewTest::RegionNamesInEveryLanguage() {
  const struct {
    int language;
    const char* hongKong;
  } kCases[] = {{0, "香港"}, {1, "Hong Kong"}, {2, "香港"}};
  for (const auto& c : kCases) {
    vortane::testing::FakePlatform platform;
    vortane::CodeConverterDialog logic(platform, "/tmp/", vortane::testing::Lang(c.language));
    RunWith(logic, [&](QDialog& dialog) {
      QCOMPARE(Child<QComboBox>(dialog, "phraseRegionChoice").itemText(2),
               QString::fromUtf8(c.hongKong));
      QVERIFY(!Child<QCheckBox>(dialog, "byPhrasesCheck").text().isEmpty());
    });
  }
}

QTEST_MAIN(CodeConverterPhrasesViewTest)
#include "code_converter_phrases_view_test.moc"
