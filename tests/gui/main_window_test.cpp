// The main window: menus built from the tables, frames placed as the logic
// computes, close requests routed to the logic, and a decoding end to end.
#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <set>

#include "app/command_table.h"
#include "app/text_transform_dialog.h"
#include "support/fake_platform.h"
#include "support/stream_check.h"
#include "texts/tri_text.h"

using vortane::MainWindow;
using vortane::MenuResource;
using vortane::TextCode;
using vortane::testing::Hex;
using vortane::testing::ToHex;

Q_DECLARE_METATYPE(MenuResource)

namespace {

constexpr vortane::Command kAllCommandIds[] = {vortane::Command::Open,
                                               vortane::Command::SaveAs,
                                               vortane::Command::Close,
                                               vortane::Command::Exit,
                                               vortane::Command::DecodeBase64,
                                               vortane::Command::DecodeQuotedPrintable,
                                               vortane::Command::DecodeHz,
                                               vortane::Command::RestoreHighBits,
                                               vortane::Command::About,
                                               vortane::Command::HelpContents,
                                               vortane::Command::SourceFromTarget,
                                               vortane::Command::TargetFromSource,
                                               vortane::Command::DecodeFileBase64,
                                               vortane::Command::DecodeFileQuotedPrintable,
                                               vortane::Command::DecodeFileHz,
                                               vortane::Command::WordWrap,
                                               vortane::Command::Setting,
                                               vortane::Command::AddMark,
                                               vortane::Command::RemoveMark,
                                               vortane::Command::Utf8Gb,
                                               vortane::Command::Utf7Gb,
                                               vortane::Command::Big5ToGb,
                                               vortane::Command::GbToBig5,
                                               vortane::Command::PasteToSource,
                                               vortane::Command::CopySelectedTarget,
                                               vortane::Command::CodeConverter,
                                               vortane::Command::Utf7Big5,
                                               vortane::Command::Utf8Big5,
                                               vortane::Command::DecodeFileUtf7,
                                               vortane::Command::DecodeFileUtf8,
                                               vortane::Command::AutoRepair,

                                               vortane::Command::OpenMessage,
                                               vortane::Command::DecodeWholeMessage,

                                               vortane::Command::Big5ToGbByPhrases,
                                               vortane::Command::GbToBig5ByPhrases};

// Names of every action reachable from `actions`, with their counts.
void CollectCommands(const QList<QAction*>& actions, std::map<QString, int>& counts,
                     int& separators) {
  for (QAction* action : actions) {
    if (action->isSeparator()) {
      ++separators;
    } else if (action->menu() != nullptr) {
      CollectCommands(action->menu()->actions(), counts, separators);
    } else {
      ++counts[action->objectName()];
    }
  }
}

// A main window wired to its logic on the fake platform, started with the
// settings file in a fresh directory.
struct WiredWindow {
  WiredWindow() {
    window.SetHandlers([this](vortane::Command command) { dialog.OnCommand(command); },
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

// The object name of a command's menu action: its name in the command table.
QString ActionName(vortane::Command command) {
  return QString::fromStdString(std::string(vortane::FindCommand(command)->name));
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void MenuHoldsEveryCommandOnce_data();
  void MenuHoldsEveryCommandOnce();
  void MenuTriggersTheCommand();
  void FramesTakeTheComputedGeometry();
  void FirstSizeHoldsUnderAMenuSetAfterIt();
  void SplitterMovesTheFramesAndTheTargetCodeChoice();
  void EscapeNoLongerAsksToClose();
  void ShortcutsComeFromTheCommandTable();
  void UserEditsOfTheTargetReachTheLogic();
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
  QCOMPARE(bar.at(2)->objectName(), ActionName(vortane::Command::RestoreHighBits));
  std::map<QString, int> counts;
  int separators = 0;
  CollectCommands(bar, counts, separators);
  for (const vortane::Command command : kAllCommandIds) {
    QCOMPARE(counts[ActionName(command)], 1);
  }
  QCOMPARE(counts.size(), std::size(kAllCommandIds));
  QCOMPARE(separators, 9);
}

void MainWindowTest::MenuTriggersTheCommand() {
  MainWindow window;
  std::vector<vortane::Command> commands;
  window.SetHandlers([&](vortane::Command command) { commands.push_back(command); }, [] {});
  window.SetMenu(MenuResource::English);
  QAction* action = window.menuBar()->findChild<QAction*>(ActionName(vortane::Command::GbToBig5));
  QVERIFY(action != nullptr);
  action->trigger();
  QCOMPARE(commands, std::vector<vortane::Command>{vortane::Command::GbToBig5});
}

void MainWindowTest::FramesTakeTheComputedGeometry() {
  MainWindow window;
  window.SetMenu(MenuResource::English);
  window.SetGeometry(760, 540, 190, 564, 496);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.sourceFrame().size(), QSize(190, 496));
  QCOMPARE(window.targetFrame().size(), QSize(564, 496));
  QCOMPARE(window.targetFrame().geometry().left(), 190 + window.splitter().handleWidth());
  // The window can be resized and maximised; the frames follow.
  QVERIFY(window.minimumSize() != window.maximumSize());
  QVERIFY(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  // The target frame's code choice stands under the target frame.
  auto* choice = window.findChild<QComboBox*>(QStringLiteral("targetCodeChoice"));
  QVERIFY(choice != nullptr);
  QTRY_COMPARE(choice->x(), window.targetFrame().geometry().left() + 2);
  window.resize(window.width() + 200, window.height() + 100);
  QTRY_COMPARE(window.sourceFrame().height() + window.targetFrame().height(), 2 * 596);
  QTRY_COMPARE(choice->x(), window.targetFrame().geometry().left() + 2);
}

// The program sets the first size before the menu bar: the frames keep their
// computed sizes under the bar all the same.
void MainWindowTest::FirstSizeHoldsUnderAMenuSetAfterIt() {
  MainWindow window;
  window.SetGeometry(760, 540, 190, 564, 496);
  window.SetMenu(MenuResource::ChineseGb);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.sourceFrame().size(), QSize(190, 496));
  QCOMPARE(window.targetFrame().size(), QSize(564, 496));
  // Once shown, a new bar (a language change) leaves the user's size alone.
  window.resize(1000, 700);
  QTRY_COMPARE(window.size(), QSize(1000, 700));
  window.SetMenu(MenuResource::English);
  QTest::qWait(20);
  QCOMPARE(window.size(), QSize(1000, 700));
}

void MainWindowTest::SplitterMovesTheFramesAndTheTargetCodeChoice() {
  MainWindow window;
  window.SetMenu(MenuResource::English);
  window.SetGeometry(760, 540, 190, 564, 496);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  auto* choice = window.findChild<QComboBox*>(QStringLiteral("targetCodeChoice"));
  QVERIFY(choice != nullptr);
  window.splitter().setSizes({300, 454});
  QCOMPARE(window.sourceFrame().width(), 300);
  QTRY_COMPARE(choice->x(), window.targetFrame().geometry().left() + 2);
  QVERIFY(choice->x() > 300);
}

void MainWindowTest::EscapeNoLongerAsksToClose() {
  MainWindow window;
  int requests = 0;
  window.SetHandlers([](vortane::Command) {}, [&] { ++requests; });
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QTest::keyClick(&window.sourceFrame(), Qt::Key_Escape);
  QTest::keyClick(&window.targetFrame(), Qt::Key_Escape);
  QCOMPARE(requests, 0);
  window.close();  // the close box
  QCOMPARE(requests, 1);
  QVERIFY(window.isVisible());  // the logic did not close it
  window.CloseWindow();
  QTRY_VERIFY(!window.isVisible());
  QCOMPARE(requests, 1);
}

void MainWindowTest::ShortcutsComeFromTheCommandTable() {
  MainWindow window;
  std::vector<vortane::Command> commands;
  window.SetHandlers([&](vortane::Command command) { commands.push_back(command); }, [] {});
  window.SetMenu(MenuResource::English);
  const struct {
    vortane::Command command;
    const char* keys;
  } cases[] = {{vortane::Command::Exit, "Ctrl+Q"},
               {vortane::Command::Open, "Ctrl+O"},
               {vortane::Command::SaveAs, "Ctrl+S"},
               {vortane::Command::HelpContents, "F1"},
               {vortane::Command::DecodeBase64, ""}};
  for (const auto& c : cases) {
    QAction* action = window.menuBar()->findChild<QAction*>(ActionName(c.command));
    QVERIFY(action != nullptr);
    QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(c.keys)));
  }
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.targetFrame().setFocus();
  QTest::keyClick(&window.targetFrame(), Qt::Key_Q, Qt::ControlModifier);
  QCOMPARE(commands, std::vector<vortane::Command>{vortane::Command::Exit});
}

void MainWindowTest::UserEditsOfTheTargetReachTheLogic() {
  MainWindow window;
  int targetEdits = 0;
  std::vector<std::pair<vortane::DisplayCode, std::size_t>> notHeld;
  window.SetEditHandlers(
      [&] { ++targetEdits; },
      [&](vortane::DisplayCode code, std::size_t count) { notHeld.emplace_back(code, count); });
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.targetFrame().SetBytes("set by a command");
  window.targetFrame().SetDisplayCode(TextCode::Big5);
  QCOMPARE(targetEdits, 0);
  QTest::keyClicks(&window.sourceFrame(), QStringLiteral("s"));
  QCOMPARE(targetEdits, 0);
  QTest::keyClicks(&window.targetFrame(), QStringLiteral("t"));
  QVERIFY(targetEdits > 0);
  // A character Big5 cannot hold, typed into the target frame.
  window.targetFrame().insertPlainText(QString::fromUtf16(u"\u00FF"));
  QTRY_COMPARE(notHeld.size(), std::size_t{1});
  QCOMPARE(notHeld[0].first, vortane::DisplayCode::Big5);
  QCOMPARE(notHeld[0].second, std::size_t{1});
  window.ShowStatus(vortane::Ascii("1 character could not be held in Big5 and became ?"));
  auto* status = window.findChild<QLabel*>(QStringLiteral("statusText"));
  QVERIFY(status != nullptr);
  QCOMPARE(status->text(), QStringLiteral("1 character could not be held in Big5 and became ?"));
}

void MainWindowTest::StatusLineSwitchesTheFrameCode() {
  MainWindow window;
  auto* choice = window.findChild<QComboBox*>(QStringLiteral("targetCodeChoice"));
  QVERIFY(choice != nullptr);
  window.targetFrame().SetBytes(Hex("A440"));
  QCOMPARE(choice->count(), 5);
  const int big5 = choice->findText(QStringLiteral("Big5"));
  QVERIFY(big5 > 0);
  choice->setCurrentIndex(big5);
  emit choice->activated(big5);
  QCOMPARE(window.targetFrame().DisplayCode(), vortane::DisplayCode::Big5);
  QCOMPARE(window.sourceFrame().DisplayCode(), vortane::DisplayCode::Gb);
  QCOMPARE(window.targetFrame().toPlainText(), QString::fromUtf16(u"\u4E00"));
  window.SetDisplayCodes(TextCode::Gb);
  QCOMPARE(choice->currentIndex(), 0);
  // Every display code is offered, in the status line's order, with a tip in
  // the menu's language.
  const QStringList names{QStringLiteral("GB"), QStringLiteral("GB18030"), QStringLiteral("Big5"),
                          QStringLiteral("Big5-HKSCS"), QStringLiteral("UTF-8")};
  for (int i = 0; i < names.size(); ++i) {
    QCOMPARE(choice->itemText(i), names.at(i));
  }
  QCOMPARE(choice->toolTip(), QStringLiteral("Display code of this frame"));
  window.SetMenu(MenuResource::ChineseBig5);
  QCOMPARE(choice->toolTip(), QString::fromUtf8("本窗口的顯示內碼"));
  window.SetDisplayCodes(vortane::DisplayCode::Utf8);
  QCOMPARE(choice->currentText(), QStringLiteral("UTF-8"));
  QCOMPARE(window.sourceFrame().DisplayCode(), vortane::DisplayCode::Utf8);
}

void MainWindowTest::DecodeCommandFillsTargetFrame() {
  WiredWindow wired;
  MainWindow& window = wired.window;
  QCOMPARE(window.targetFrame().GetBytes(), std::string());
  // "1tDOxA0K" is Base64 of GB "zhong wen" CR LF.
  window.sourceFrame().SetBytes("1tDOxA0K");
  QAction* decode =
      window.menuBar()->findChild<QAction*>(ActionName(vortane::Command::DecodeBase64));
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
