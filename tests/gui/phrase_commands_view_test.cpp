// Decode > Big5->GB and GB->Big5 by phrases in the running program: the menu
// actions reach the logic, which reads the region from the state file in the
// settings folder ($XDG_CONFIG_HOME/vortane) and the phrase list beside it.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

#include "gui/desktop_session.h"
#include "settings/settings_file.h"
#include "support/stream_check.h"

using vortane::testing::Hex;
using vortane::testing::ToHex;

class PhraseCommandsViewTest : public QObject {
  Q_OBJECT

 private slots:
  void MenuCommandsConvertInTheKeptRegion();
};

namespace {

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

void Trigger(vortane::DesktopSession& session, const char* name) {
  QAction* action = session.window().menuBar()->findChild<QAction*>(QString::fromLatin1(name));
  QVERIFY(action != nullptr);
  action->trigger();
}

}  // namespace

void PhraseCommandsViewTest::MenuCommandsConvertInTheKeptRegion() {
  QTemporaryDir config;
  QVERIFY(QDir(config.path()).mkpath(QStringLiteral("vortane")));
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  const QString folder = config.filePath(QStringLiteral("vortane"));
  Write(folder + QStringLiteral("/window-state.conf"), "[phrases]\nregion=twp\n");
  // The list's entry comes before the vocabulary: "软件" -> "軟件", not "軟體".
  Write(folder + QStringLiteral("/phrases.txt"),
        "\xE8\xBD\xAF\xE4\xBB\xB6\t\xE8\xBB\x9F\xE4\xBB\xB6\n");

  vortane::AppSettings settings;
  settings.autoPaste = 0;
  settings.interfaceLanguage = vortane::Language::English;
  const QString ini = config.filePath(QStringLiteral("Vortane.ini"));
  Write(ini, QByteArray::fromStdString(vortane::FormatSettingsFile(settings)));
  vortane::MainWindowPaths paths;
  paths.settingsFile = ini.toStdString();
  paths.defaultOutputFile = config.filePath(QStringLiteral("Vortane.tmp")).toStdString();
  // The program passes the state file of its settings folder.
  vortane::DesktopSession session(paths, folder + QStringLiteral("/window-state.conf"));
  session.Start();

  // GB "软件 头发": Big5 "軟件 頭髮".
  session.window().sourceFrame().SetBytes(Hex("C8EDBCFE 20 CDB7B7A2"));
  Trigger(session, "gb-to-big5-by-phrases");
  QCOMPARE(ToHex(session.window().targetFrame().GetBytes()), ToHex(Hex("B36EA5F3 20 C059BE76")));
  QCOMPARE(session.window().targetFrame().DisplayCode(), vortane::DisplayCode::Big5);

  // Big5 "軟體" read with Taiwan vocabulary: GB "软件".
  session.window().sourceFrame().SetBytes(Hex("B36EC5E9"));
  Trigger(session, "big5-to-gb-by-phrases");
  QCOMPARE(ToHex(session.window().targetFrame().GetBytes()), ToHex(Hex("C8EDBCFE")));
  QCOMPARE(session.window().targetFrame().DisplayCode(), vortane::DisplayCode::Gb);
}

QTEST_MAIN(PhraseCommandsViewTest)
#include "phrase_commands_view_test.moc"
