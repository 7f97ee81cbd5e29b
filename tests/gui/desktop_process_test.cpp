// The desktop program as a process: its command line needs no display, and
// its settings live in a folder of their own.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The environment of a desktop session without a display.
QProcessEnvironment WithoutDisplay() {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    env.remove(QString::fromLatin1(name));
  }
  return env;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kOldSettings =
    "[Mail Vortane]\r\nTemp Directory=/tmp/old/\r\nAuto paste=0\r\nRecognise double bytes=1\r\n"
    "Word wrap number=44\r\nMark character='>'\r\nInterface=0\r\n"
    "*Note:  1-->English, 0-->Chinese GB,  2-->Chinese Big5";

}  // namespace

class DesktopProcessTest : public QObject {
  Q_OBJECT

 private slots:
  void CommandLineAnswersWithoutADisplay_data();
  void CommandLineAnswersWithoutADisplay();
  void SettingsMoveIntoTheConfigFolderOnce();
  void SettingsDirOverridesTheFolder();

 private:
  // Starts vortane on the offscreen platform and waits until `file` exists;
  // then ends it.
  static void RunUntilFileExists(const QStringList& args, const QProcessEnvironment& env,
                                 const QString& workingFolder, const QString& file);
};

void DesktopProcessTest::CommandLineAnswersWithoutADisplay_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<int>("exitCode");
  QTest::addColumn<QString>("out");
  QTest::addColumn<QString>("err");
  QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0
                        << QStringLiteral("Usage: vortane [--settings-dir DIR] [FILE]\n")
                        << QString();
  QTest::newRow("help after a file") << QStringList{QStringLiteral("x.txt"), QStringLiteral("-h")}
                                     << 0 << QStringLiteral("Usage: vortane") << QString();
  QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                           << QStringLiteral("vortane (Mail Vortane) ") << QString();
  QTest::newRow("unknown option") << QStringList{QStringLiteral("--bogus")} << 2 << QString()
                                  << QStringLiteral(
                                         "vortane: unknown option '--bogus'\n"
                                         "Usage: vortane [--settings-dir DIR] [FILE]\n");
  QTest::newRow("two files") << QStringList{QStringLiteral("a"), QStringLiteral("b")} << 2
                             << QString() << QStringLiteral("vortane: too many arguments: 'b'\n");
}

void DesktopProcessTest::CommandLineAnswersWithoutADisplay() {
  QFETCH(QStringList, args);
  QFETCH(int, exitCode);
  QFETCH(QString, out);
  QFETCH(QString, err);
  QProcess process;
  process.setProcessEnvironment(WithoutDisplay());
  process.start(QStringLiteral(VORTANE_PATH), args);
  QVERIFY(process.waitForFinished(30000));
  QCOMPARE(process.exitStatus(), QProcess::NormalExit);
  QCOMPARE(process.exitCode(), exitCode);
  const QString stdoutText = QString::fromUtf8(process.readAllStandardOutput());
  const QString stderrText = QString::fromUtf8(process.readAllStandardError());
  if (out.isEmpty()) {
    QVERIFY2(stdoutText.isEmpty(), qPrintable(stdoutText));
  } else {
    QVERIFY2(stdoutText.startsWith(out), qPrintable(stdoutText));
  }
  if (err.isEmpty()) {
    QVERIFY2(stderrText.isEmpty(), qPrintable(stderrText));
  } else {
    QVERIFY2(stderrText.startsWith(err), qPrintable(stderrText));
  }
}

void DesktopProcessTest::RunUntilFileExists(const QStringList& args, const QProcessEnvironment& env,
                                            const QString& workingFolder, const QString& file) {
  QProcess process;
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(workingFolder);
  process.start(QStringLiteral(VORTANE_PATH),
                QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen")} + args);
  QVERIFY(process.waitForStarted(30000));
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file), 30000);
  process.terminate();
  if (!process.waitForFinished(10000)) {
    process.kill();
    process.waitForFinished(10000);
  }
}

void DesktopProcessTest::SettingsMoveIntoTheConfigFolderOnce() {
  QTemporaryDir root;
  QVERIFY(QDir(root.path()).mkpath(QStringLiteral("work")));
  const QString work = root.filePath(QStringLiteral("work"));
  QFile old(work + QStringLiteral("/Vortane.ini"));
  QVERIFY(old.open(QIODevice::WriteOnly));
  old.write(kOldSettings);
  old.close();

  QProcessEnvironment env = WithoutDisplay();
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
  const QString moved = root.filePath(QStringLiteral("config/vortane/Vortane.ini"));
  RunUntilFileExists({}, env, work, moved);
  QCOMPARE(ReadAll(moved), kOldSettings);
  QCOMPARE(ReadAll(work + QStringLiteral("/Vortane.ini")), kOldSettings);

  // Without XDG_CONFIG_HOME the folder is under HOME.
  env.remove(QStringLiteral("XDG_CONFIG_HOME"));
  env.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
  const QString underHome = root.filePath(QStringLiteral("home/.config/vortane/Vortane.ini"));
  RunUntilFileExists({}, env, work, underHome);
  QCOMPARE(ReadAll(underHome), kOldSettings);
}

void DesktopProcessTest::SettingsDirOverridesTheFolder() {
  QTemporaryDir root;
  QVERIFY(QDir(root.path()).mkpath(QStringLiteral("work")));
  const QString work = root.filePath(QStringLiteral("work"));
  QFile old(work + QStringLiteral("/Vortane.ini"));
  QVERIFY(old.open(QIODevice::WriteOnly));
  old.write(kOldSettings);
  old.close();
  QProcessEnvironment env = WithoutDisplay();
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
  const QString chosen = root.filePath(QStringLiteral("chosen/Vortane.ini"));
  RunUntilFileExists({QStringLiteral("--settings-dir"), root.filePath(QStringLiteral("chosen"))},
                     env, work, chosen);
  // A new file with the defaults: the working folder's file is not taken.
  QVERIFY(ReadAll(chosen).contains("Word wrap number=70"));
  QVERIFY(!QFile::exists(root.filePath(QStringLiteral("config/vortane/Vortane.ini"))));
}

QTEST_GUILESS_MAIN(DesktopProcessTest)
#include "desktop_process_test.moc"
