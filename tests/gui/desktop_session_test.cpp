// The desktop session keeps the window's size and splitter position in a
// state file of its own, never in Vortane.ini.
#include "gui/desktop_session.h"

#include <QApplication>
#include <QFile>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kSettings =
    "[Mail Vortane]\r\nTemp Directory=/tmp/\r\nAuto paste=0\r\nRecognise double bytes=1\r\n"
    "Word wrap number=70\r\nMark character='>'\r\nInterface=1\r\n"
    "*Note:  1-->English, 0-->Chinese GB,  2-->Chinese Big5";

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class DesktopSessionTest : public QObject {
  Q_OBJECT

 private slots:
  void WindowSizeAndSplitterComeBackFromTheStateFile();
  void WithoutAStateFileTheFirstSizeIsTheComputedOne();
};

void DesktopSessionTest::WindowSizeAndSplitterComeBackFromTheStateFile() {
  QTemporaryDir dir;
  const QString ini = dir.filePath(QStringLiteral("Vortane.ini"));
  const QString state = dir.filePath(QStringLiteral("window-state.conf"));
  QFile file(ini);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(kSettings);
  file.close();
  vortane::MainWindowPaths paths;
  paths.settingsFile = ini.toStdString();

  QSize firstSize;
  {
    vortane::DesktopSession session(paths, state);
    session.Start();
    vortane::MainWindow& window = session.window();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    firstSize = window.size();
    window.resize(firstSize + QSize(150, 90));
    QTRY_COMPARE(window.size(), firstSize + QSize(150, 90));
    QTRY_VERIFY(window.splitter().width() > 500);
    const int frames = window.splitter().width() - window.splitter().handleWidth();
    window.splitter().setSizes({400, frames - 400});
    QCOMPARE(window.sourceFrame().width(), 400);
    session.SaveWindowState();
  }
  QVERIFY(QFile::exists(state));
  // Vortane.ini keeps its bytes: the window's state is not in it.
  QCOMPARE(ReadAll(ini), kSettings);

  vortane::DesktopSession again(paths, state);
  again.Start();
  vortane::MainWindow& window = again.window();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QTRY_COMPARE(window.size(), firstSize + QSize(150, 90));
  QTRY_COMPARE(window.sourceFrame().width(), 400);
}

void DesktopSessionTest::WithoutAStateFileTheFirstSizeIsTheComputedOne() {
  QTemporaryDir dir;
  vortane::MainWindowPaths paths;
  paths.settingsFile = dir.filePath(QStringLiteral("Vortane.ini")).toStdString();
  // A state file that does not exist yet, and none at all, give the same
  // first window.
  vortane::DesktopSession fresh(paths, dir.filePath(QStringLiteral("window-state.conf")));
  fresh.Start();
  vortane::DesktopSession none(paths);
  none.Start();
  QVERIFY(QTest::qWaitForWindowExposed(&fresh.window()));
  QVERIFY(QTest::qWaitForWindowExposed(&none.window()));
  QCOMPARE(fresh.window().size(), none.window().size());
  QCOMPARE(fresh.window().sourceFrame().size(), none.window().sourceFrame().size());
  QVERIFY(fresh.window().sourceFrame().width() < fresh.window().targetFrame().width());
}

QTEST_MAIN(DesktopSessionTest)
#include "desktop_session_test.moc"
