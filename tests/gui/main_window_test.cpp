// The main window: menus built from the tables, frames placed as the logic
// computes, close requests routed to the logic, and a decoding end to end.
#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <set>

#include "app/command_ids.h"
#include "app/text_transform_dialog.h"
#include "support/fake_platform.h"
#include "support/stream_check.h"

using vortane::MainWindow;
using vortane::MenuResource;
using vortane::TextCode;
using vortane::testing::Hex;
using vortane::testing::ToHex;

Q_DECLARE_METATYPE(MenuResource)

namespace {

constexpr int kAllCommandIds[] = {vortane::kCmdOpen,
                                  vortane::kCmdSaveAs,
                                  vortane::kCmdClose,
                                  vortane::kCmdExit,
                                  vortane::kCmdDecodeBase64,
                                  vortane::kCmdDecodeQuotedPrintable,
                                  vortane::kCmdDecodeHz,
                                  vortane::kCmd7bit8bit,
                                  vortane::kCmdAbout,
                                  vortane::kCmdHelpContents,
                                  vortane::kCmdSourceFromTarget,
                                  vortane::kCmdTargetFromSource,
                                  vortane::kCmdDecodeFileBase64,
                                  vortane::kCmdDecodeFileQuotedPrintable,
                                  vortane::kCmdDecodeFileHz,
                                  vortane::kCmdWordWrap,
                                  vortane::kCmdSetting,
                                  vortane::kCmdAddMark,
                                  vortane::kCmdRemoveMark,
                                  vortane::kCmdUtf8Gb,
                                  vortane::kCmdUtf7Gb,
                                  vortane::kCmdBig5ToGb,
                                  vortane::kCmdGbToBig5,
                                  vortane::kCmdPasteToSource,
                                  vortane::kCmdCopySelectedTarget,
                                  vortane::kCmdCodeConverter,
                                  vortane::kCmdUtf7Big5,
                                  vortane::kCmdUtf8Big5,
                                  vortane::kCmdDecodeFileUtf7,
                                  vortane::kCmdDecodeFileUtf8};

// Command ids of every action reachable from `actions`, with their counts.
void CollectCommands(const QList<QAction*>& actions, std::map<int, int>& counts, int& separators) {
  for (QAction* action : actions) {
    if (action->isSeparator()) {
      ++separators;
    } else if (action->menu() != nullptr) {
      CollectCommands(action->menu()->actions(), counts, separators);
    } else {
      ++counts[action->data().toInt()];
    }
  }
}

// A main window wired to its logic on the fake platform, started with the
// settings file in a fresh directory.
struct WiredWindow {
  WiredWindow() {
    window.SetHandlers([this](int id) { dialog.OnCommand(id); },
                       [this] { dialog.OnCloseRequested(); });
    dialog.Initialise();
  }

  static vortane::MainWindowPaths SettingsIn(const QTemporaryDir& directory) {
    vortane::MainWindowPaths paths;
    paths.settingsFile = directory.filePath(QStringLiteral("Vortane.ini")).toStdString();
    return paths;
  }

  QTemporaryDir directory;
  vortane::testing::FakePlatform platform;
  MainWindow window;
  vortane::TextTransformDialog dialog{platform, window, SettingsIn(directory)};
};

// The object name of a command's menu action.
QString ActionName(int command) { return QStringLiteral("command%1").arg(command); }

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void MenuHoldsEveryCommandOnce_data();
  void MenuHoldsEveryCommandOnce();
  void MenuTriggersTheCommand();
  void FramesTakeTheComputedGeometry();
  void CloseBoxAndEscapeAskTheLogic();
  void StatusLineSwitchesTheFrameCode();
  void DecodeCommandFillsTargetFrame();
  void ExitWithEmptyTargetEndsTheWindow();
};

void MainWindowTest::MenuHoldsEveryCommandOnce_data() {
  QTest::addColumn<MenuResource>("menu");
  QTest::addColumn<QString>("firstPopup");
  QTest::newRow("english") << MenuResource::English << QStringLiteral("&File");
  QTest::newRow("gb") << MenuResource::ChineseGb << QString::fromUtf16(u"\u6587\u4EF6(&F)");
  QTest::newRow("big5") << MenuResource::ChineseBig5 << QString::fromUtf16(u"\u6587\u4EF6(&F)");
}

void MainWindowTest::MenuHoldsEveryCommandOnce() {
  QFETCH(MenuResource, menu);
  QFETCH(QString, firstPopup);
  MainWindow window;
  // Built twice: the second bar replaces the first, it does not add to it.
  window.SetMenu(MenuResource::English);
  window.SetMenu(menu);
  const QList<QAction*> bar = window.menuBar()->actions();
  QCOMPARE(bar.size(), 6);  // File, Decode, 7bit-8bit, Edit, Configuration, Help
  QCOMPARE(bar.first()->text(), firstPopup);
  QVERIFY(bar.at(2)->menu() == nullptr);  // 7bit-8bit stands on the bar itself
  QCOMPARE(bar.at(2)->data().toInt(), static_cast<int>(vortane::kCmd7bit8bit));
  std::map<int, int> counts;
  int separators = 0;
  CollectCommands(bar, counts, separators);
  for (const int id : kAllCommandIds) {
    QCOMPARE(counts[id], 1);
  }
  QCOMPARE(counts.size(), std::size(kAllCommandIds));
  QCOMPARE(separators, 8);
}

void MainWindowTest::MenuTriggersTheCommand() {
  MainWindow window;
  std::vector<int> commands;
  window.SetHandlers([&](int id) { commands.push_back(id); }, [] {});
  window.SetMenu(MenuResource::English);
  QAction* action = window.menuBar()->findChild<QAction*>(ActionName(vortane::kCmdGbToBig5));
  QVERIFY(action != nullptr);
  action->trigger();
  QCOMPARE(commands, std::vector<int>{vortane::kCmdGbToBig5});
}

void MainWindowTest::FramesTakeTheComputedGeometry() {
  MainWindow window;
  window.SetMenu(MenuResource::English);
  window.SetGeometry(760, 540, 190, 564, 496);
  QCOMPARE(window.sourceFrame().geometry(), QRect(0, 0, 190, 496));
  QCOMPARE(window.targetFrame().geometry(), QRect(190, 0, 564, 496));
  QCOMPARE(window.width(), 190 + 564);
  // Fixed size: not resizable.
  QCOMPARE(window.minimumSize(), window.maximumSize());
  QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
}

void MainWindowTest::CloseBoxAndEscapeAskTheLogic() {
  MainWindow window;
  int requests = 0;
  window.SetHandlers([](int) {}, [&] { ++requests; });
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.close();
  QCOMPARE(requests, 1);
  QVERIFY(window.isVisible());  // the logic did not close it
  QTest::keyClick(&window.sourceFrame(), Qt::Key_Escape);
  QCOMPARE(requests, 2);
  window.CloseWindow();
  QTRY_VERIFY(!window.isVisible());
  QCOMPARE(requests, 2);
}

void MainWindowTest::StatusLineSwitchesTheFrameCode() {
  MainWindow window;
  auto* choice = window.findChild<QComboBox*>(QStringLiteral("targetCodeChoice"));
  QVERIFY(choice != nullptr);
  window.targetFrame().SetBytes(Hex("A440"));
  choice->setCurrentIndex(1);
  emit choice->activated(1);
  QCOMPARE(window.targetFrame().DisplayCode(), TextCode::Big5);
  QCOMPARE(window.sourceFrame().DisplayCode(), TextCode::Gb);
  QCOMPARE(window.targetFrame().toPlainText(), QString::fromUtf16(u"\u4E00"));
  window.SetDisplayCodes(TextCode::Gb);
  QCOMPARE(choice->currentIndex(), 0);
}

void MainWindowTest::DecodeCommandFillsTargetFrame() {
  WiredWindow wired;
  MainWindow& window = wired.window;
  QCOMPARE(window.targetFrame().GetBytes(), std::string());
  // "1tDOxA0K" is Base64 of GB "zhong wen" CR LF.
  window.sourceFrame().SetBytes("1tDOxA0K");
  QAction* decode = window.menuBar()->findChild<QAction*>(ActionName(vortane::kCmdDecodeBase64));
  QVERIFY(decode != nullptr);
  decode->trigger();
  QCOMPARE(ToHex(window.targetFrame().GetBytes()), ToHex(Hex("D6D0 CEC4 0D0A")));
  QCOMPARE(window.targetFrame().document()->toRawText(), QString::fromUtf16(u"\u4E2D\u6587\u2029"));
}

void MainWindowTest::ExitWithEmptyTargetEndsTheWindow() {
  WiredWindow wired;
  MainWindow& window = wired.window;
  window.show();
  window.close();  // the close box
  QVERIFY(window.closing());
  QTRY_VERIFY(!window.isVisible());
  QVERIFY(wired.platform.questions.empty());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
