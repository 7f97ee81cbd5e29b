// The message view and the main window's whole-message paths on Qt: an
// mbox's list, fields, parts, Read as, Save attachment, a dropped file and
// Decode > Whole message with its status line.
#include "mailview/message_view.h"

#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <fstream>
#include <string>

#include "app/text_transform_dialog.h"
#include "gui/dialog_views.h"
#include "gui/main_window.h"
#include "gui/view_test_support.h"
#include "support/fake_platform.h"

using vortane::testing::Child;
using vortane::testing::RunWhileOpen;

namespace {

// An mbox of two messages; the second holds a GB2312 text part and an
// attachment whose name climbs out of its directory.
const std::string kMbox =
    "From a@example.cn Wed Dec  9 05:00:00 2026\n"
    "From: a@example.cn\nSubject: first\n\nfirst body\n\n"
    "From b@example.cn Wed Dec  9 05:01:00 2026\n"
    "From: =?gb2312?B?1cXI/Q==?= <b@example.cn>\nSubject: =?GB2312?B?1tDOxA==?=\n"
    "MIME-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"b1\"\n\n"
    "--b1\nContent-Type: text/plain; charset=gb2312\nContent-Transfer-Encoding: base64\n\n"
    "1tDOxNPKvP4K\n"
    "--b1\nContent-Type: application/octet-stream\n"
    "Content-Disposition: attachment; filename=\"../../x.bin\"\n"
    "Content-Transfer-Encoding: base64\n\ncm9vdDp4OjA6MAo=\n--b1--\n";

QString Text(const std::string& utf8) { return QString::fromUtf8(utf8.c_str()); }

void WriteFile(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

// A main window wired to its logic on the fake platform.
struct WiredWindow {
  WiredWindow() {
    window.SetHandlers([this](vortane::Command command) { dialog.OnCommand(command); },
                       [this] { dialog.OnCloseRequested(); });
    window.SetDropHandler([this](const std::string& path) { (void)dialog.OpenIfMessage(path); });
    dialog.Initialise();
  }
  static vortane::MainWindowPaths SettingsIn(const QTemporaryDir& directory) {
    vortane::MainWindowPaths paths;
    paths.settingsFile = directory.filePath(QStringLiteral("Vortane.ini")).toStdString();
    return paths;
  }
  QTemporaryDir directory;
  vortane::testing::FakePlatform platform;
  vortane::MainWindow window;
  vortane::TextTransformDialog dialog{platform, window, SettingsIn(directory)};
};

}  // namespace

class MessageViewTest : public QObject {
  Q_OBJECT

 private slots:
  void MboxListChoosesTheMessageAndItsParts();
  void ReadAsOverridesThePartCharset();
  void SaveAttachmentWritesTheSafeName();
  void DroppedMessageFileOpensTheView();
  void WholeMessageFillsTheTargetAndTheStatusLine();
};

void MessageViewTest::MboxListChoosesTheMessageAndItsParts() {
  vortane::testing::FakePlatform platform;
  vortane::MessageViewDialog logic(platform, vortane::InterfaceLanguage::FromNumber(1), "box.mbox",
                                   kMbox);
  RunWhileOpen([&] { vortane::RunMessageViewWindow(nullptr, logic); },
               [&](QDialog& view) {
                 QCOMPARE(view.windowTitle(), QStringLiteral("Message - box.mbox"));
                 auto& list = Child<QTreeWidget>(view, "messageList");
                 QVERIFY(list.isVisible());
                 QCOMPARE(list.topLevelItemCount(), 2);
                 QCOMPARE(list.topLevelItem(1)->text(2), Text("中文"));
                 // The first message is shown below the list until another is chosen.
                 auto& parts = Child<QTreeWidget>(view, "partList");
                 QCOMPARE(list.currentItem(), list.topLevelItem(0));
                 QCOMPARE(parts.topLevelItemCount(), 1);
                 QCOMPARE(Child<QPlainTextEdit>(view, "partText").toPlainText(),
                          QStringLiteral("first body\n"));

                 list.setCurrentItem(list.topLevelItem(1));
                 QCOMPARE(Child<QLabel>(view, "field0").text(), Text("中文"));
                 QCOMPARE(Child<QLabel>(view, "field1").text(), Text("张三 <b@example.cn>"));
                 QCOMPARE(parts.topLevelItemCount(), 2);
                 QCOMPARE(parts.topLevelItem(0)->text(1), QStringLiteral("text/plain"));
                 QCOMPARE(parts.topLevelItem(0)->text(2), QStringLiteral("gb2312"));
                 QCOMPARE(parts.topLevelItem(0)->text(3), QStringLiteral("gb18030"));
                 QCOMPARE(parts.topLevelItem(0)->text(4), QStringLiteral("base64"));
                 QCOMPARE(parts.topLevelItem(0)->text(5), QStringLiteral("9"));
                 QCOMPARE(parts.topLevelItem(1)->text(6), QStringLiteral("../../x.bin"));
                 QCOMPARE(Child<QPlainTextEdit>(view, "partText").toPlainText(),
                          Text("中文邮件\n"));
               });
}

void MessageViewTest::ReadAsOverridesThePartCharset() {
  vortane::testing::FakePlatform platform;
  vortane::MessageViewDialog logic(platform, vortane::InterfaceLanguage::FromNumber(0), "box.mbox",
                                   kMbox);
  logic.SelectMessage(1);
  RunWhileOpen([&] { vortane::RunMessageViewWindow(nullptr, logic); },
               [&](QDialog& view) {
                 auto& readAs = Child<QComboBox>(view, "readAsChoice");
                 auto& text = Child<QPlainTextEdit>(view, "partText");
                 const int big5 = readAs.findText(QStringLiteral("big5-hkscs"));
                 QVERIFY(big5 > 0);
                 readAs.setCurrentIndex(big5);
                 emit readAs.activated(big5);
                 QVERIFY(text.toPlainText() != Text("中文邮件\n"));
                 auto& parts = Child<QTreeWidget>(view, "partList");
                 QCOMPARE(parts.topLevelItem(0)->text(3), QStringLiteral("[big5-hkscs]"));
                 emit readAs.activated(0);  // back to the message's reading
                 QCOMPARE(text.toPlainText(), Text("中文邮件\n"));
                 QCOMPARE(parts.topLevelItem(0)->text(3), QStringLiteral("gb18030"));
               });
}

void MessageViewTest::SaveAttachmentWritesTheSafeName() {
  QTemporaryDir dir;
  vortane::testing::FakePlatform platform;
  vortane::MessageViewDialog logic(platform, vortane::InterfaceLanguage::FromNumber(1), "box.mbox",
                                   kMbox);
  logic.SelectMessage(1);
  platform.saveFiles.push_back(dir.filePath(QStringLiteral("_._x.bin")).toStdString());
  RunWhileOpen([&] { vortane::RunMessageViewWindow(nullptr, logic); },
               [&](QDialog& view) {
                 auto& parts = Child<QTreeWidget>(view, "partList");
                 parts.setCurrentItem(parts.topLevelItem(1));
                 Child<QPushButton>(view, "saveAttachment").click();
               });
  QCOMPARE(platform.saveDialogs.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(platform.saveDialogs[0].initialName), QStringLiteral("_._x.bin"));
  QFile saved(dir.filePath(QStringLiteral("_._x.bin")));
  QVERIFY(saved.open(QIODevice::ReadOnly));
  QCOMPARE(saved.readAll(), QByteArray("root:x:0:0\n"));
  QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("../x.bin"))));
}

void MessageViewTest::DroppedMessageFileOpensTheView() {
  WiredWindow wired;
  const QString path = wired.directory.filePath(QStringLiteral("dropped.mbox"));
  WriteFile(path, kMbox);
  int runs = 0;
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  RunWhileOpen(
      [&] {
        // A drop goes where the drag entered.
        QWidget* viewport = wired.window.sourceFrame().viewport();
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);
      },
      [&](QDialog& view) {
        ++runs;
        QCOMPARE(Child<QTreeWidget>(view, "messageList").topLevelItemCount(), 2);
      });
  QCOMPARE(runs, 1);
  // The frame did not take the drop as text.
  QCOMPARE(wired.window.sourceFrame().GetBytes(), std::string());

  // A file that is not a message is left to the frame: no view opens.
  const QString notes = wired.directory.filePath(QStringLiteral("notes.txt"));
  WriteFile(notes, "Note: not mail\nbuy milk\n");
  QMimeData other;
  other.setUrls({QUrl::fromLocalFile(notes)});
  int opened = 0;
  QTimer::singleShot(0, [&opened] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      ++opened;
      dialog->reject();
    }
  });
  QWidget* viewport = wired.window.sourceFrame().viewport();
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &drop);
  QCoreApplication::processEvents();
  QCOMPARE(opened, 0);
}

void MessageViewTest::WholeMessageFillsTheTargetAndTheStatusLine() {
  WiredWindow wired;
  wired.window.sourceFrame().SetBytes(
      "Subject: =?GB2312?B?1tDOxA==?=\r\nContent-Type: text/plain; charset=gb2312\r\n"
      "Content-Transfer-Encoding: base64\r\n\r\n1tDOxNPKvP4K\r\n");
  wired.dialog.OnCommand(vortane::Command::DecodeWholeMessage);
  const std::string target = wired.window.targetFrame().GetBytes();
  QVERIFY(target.find("Subject: 中文\r\n") != std::string::npos);
  QVERIFY(target.find("中文邮件\r\n") != std::string::npos);
  QCOMPARE(wired.window.targetFrame().DisplayCode(), vortane::DisplayCode::Utf8);
  auto* status = wired.window.findChild<QLabel*>(QStringLiteral("statusText"));
  QVERIFY(status != nullptr);
  QCOMPARE(status->text(), QStringLiteral("Read 1 messages with 1 parts."));
}

QTEST_MAIN(MessageViewTest)
#include "message_view_test.moc"
