#include "gui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFile>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/menus.h"
#include "gui/dialog_units.h"
#include "gui/dialog_views.h"
#include "gui/ui_text_qt.h"
#include "mailview/message_file.h"
#include "texts/codes_texts.h"

namespace vortane {
namespace {

constexpr int kStatusLineHeight = 24;
// The computed frame widths leave 6 pixels of the width over: the splitter's
// handle takes them.
constexpr int kSplitterHandleWidth = 6;
const char* const kIconResource = ":/res/icon128.png";

void FillCodeChoice(QComboBox& box) {
  for (const DisplayCode code : kDisplayCodes) {
    box.addItem(Utf8ToQString(DisplayCodeName(code)), static_cast<int>(code));
  }
  box.setFocusPolicy(Qt::NoFocus);
}

int IndexOf(DisplayCode code) {
  const auto found = std::ranges::find(kDisplayCodes, code);
  return static_cast<int>(found - kDisplayCodes.begin());
}

// The language of a menu bar's texts.
Language LanguageOfMenu(MenuResource menu) {
  switch (menu) {
    case MenuResource::ChineseGb:
      return Language::Gb;
    case MenuResource::ChineseBig5:
      return Language::Big5;
    case MenuResource::English:
      break;
  }
  return Language::English;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      central_(this),
      splitter_(Qt::Horizontal, &central_),
      source_(&splitter_),
      target_(&splitter_),
      statusLine_(&central_),
      sourceCode_(&statusLine_),
      targetCode_(&statusLine_),
      status_(&statusLine_) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(QStringLiteral("Mail Vortane"));
  if (QFile::exists(QString::fromLatin1(kIconResource))) {
    setWindowIcon(QIcon(QString::fromLatin1(kIconResource)));
  }
  const QFont frameFont = MakeDialogFont(DialogFace::TimesNewRoman, 11);
  for (ByteFrame* frame : {&source_, &target_}) {
    frame->setFont(frameFont);
  }
  splitter_.setObjectName(QStringLiteral("frameSplitter"));
  splitter_.setChildrenCollapsible(false);
  splitter_.setHandleWidth(kSplitterHandleWidth);
  splitter_.addWidget(&source_);
  splitter_.addWidget(&target_);
  splitter_.setStretchFactor(0, 1);
  splitter_.setStretchFactor(1, 3);
  source_.setObjectName(QStringLiteral("sourceFrame"));
  target_.setObjectName(QStringLiteral("targetFrame"));
  sourceCode_.setObjectName(QStringLiteral("sourceCodeChoice"));
  targetCode_.setObjectName(QStringLiteral("targetCodeChoice"));
  status_.setObjectName(QStringLiteral("statusText"));
  FillCodeChoice(sourceCode_);
  FillCodeChoice(targetCode_);
  SetCodeTips(Language::English);
  statusLine_.setFixedHeight(kStatusLineHeight);

  // The choice and the frame follow each other.
  const std::pair<QComboBox*, ByteFrame*> pairs[] = {{&sourceCode_, &source_},
                                                     {&targetCode_, &target_}};
  for (const auto& [box, frame] : pairs) {
    connect(box, &QComboBox::activated, frame, [box = box, frame = frame](int index) {
      frame->SetDisplayCode(static_cast<DisplayCode>(box->itemData(index).toInt()));
    });
    connect(frame, &ByteFrame::displayCodeChanged, box,
            [box = box](DisplayCode code) { box->setCurrentIndex(IndexOf(code)); });
  }
  // The target frame moves when the splitter is dragged or the layout places
  // it; the status line widens with the window.
  target_.installEventFilter(this);
  statusLine_.installEventFilter(this);

  auto* layout = new QVBoxLayout(&central_);  // owned by central_
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(&splitter_, 1);
  layout->addWidget(&statusLine_);
  setAcceptDrops(true);
  for (ByteFrame* frame : {&source_, &target_}) {
    frame->installEventFilter(this);
    frame->viewport()->installEventFilter(this);
  }
  installEventFilter(this);
  setCentralWidget(&central_);
  SetGeometry(900, 650, 225, 669, 606);
}

void MainWindow::SetHandlers(std::function<void(Command)> onCommand,
                             std::function<void()> onCloseRequested) {
  onCommand_ = std::move(onCommand);
  onCloseRequested_ = std::move(onCloseRequested);
}

void MainWindow::SetEditHandlers(std::function<void()> onTargetEdited,
                                 std::function<void(DisplayCode, std::size_t)> onNotHeld) {
  disconnect(&target_, &ByteFrame::edited, this, nullptr);
  disconnect(&source_, &ByteFrame::charactersNotHeld, this, nullptr);
  disconnect(&target_, &ByteFrame::charactersNotHeld, this, nullptr);
  if (onTargetEdited) {
    connect(&target_, &ByteFrame::edited, this, std::move(onTargetEdited));
  }
  if (onNotHeld) {
    for (ByteFrame* frame : {&source_, &target_}) {
      connect(frame, &ByteFrame::charactersNotHeld, this, [frame, onNotHeld](int count) {
        onNotHeld(frame->DisplayCode(), static_cast<std::size_t>(count));
      });
    }
  }
}

void MainWindow::SetDropHandler(std::function<void(const std::string&)> onFileDropped) {
  onFileDropped_ = std::move(onFileDropped);
}

void MainWindow::SetDisplayCodes(DisplayCode code) {
  source_.SetDisplayCode(code);
  target_.SetDisplayCode(code);
}

void MainWindow::SetMenu(MenuResource menu) {
  // A fresh bar each time: QMainWindow deletes the old one with its menus.
  auto bar = std::make_unique<QMenuBar>();
  bar->setObjectName(QStringLiteral("menuBar"));
  std::vector<QMenu*> open;  // the popups being filled, innermost last
  for (const MenuEntry& entry : MenuTable(menu)) {
    const QString caption = Utf8ToQString(entry.caption);
    switch (entry.kind) {
      case MenuEntry::Kind::Popup:
        open.push_back(open.empty() ? bar->addMenu(caption) : open.back()->addMenu(caption));
        break;
      case MenuEntry::Kind::EndPopup:
        if (!open.empty()) {
          open.pop_back();
        }
        break;
      case MenuEntry::Kind::Separator:
        if (!open.empty()) {
          open.back()->addSeparator();
        }
        break;
      case MenuEntry::Kind::Command: {
        QAction* action = open.empty() ? bar->addAction(caption) : open.back()->addAction(caption);
        const CommandInfo& info = *FindCommand(entry.command);
        action->setObjectName(
            QString::fromLatin1(info.name.data(), static_cast<qsizetype>(info.name.size())));
        if (!info.shortcut.empty()) {
          action->setShortcut(
              QKeySequence(Utf8ToQString(info.shortcut), QKeySequence::PortableText));
        }
        connect(action, &QAction::triggered, this, [this, command = entry.command] {
          if (onCommand_) {
            onCommand_(command);
          }
        });
        break;
      }
    }
  }
  setMenuBar(bar.release());
  SetCodeTips(LanguageOfMenu(menu));
  // Before the window first shows, the first size holds the frames under
  // whichever bar they get; afterwards the user's size stays.
  if (!isVisible()) {
    SetGeometry(0, 0, firstSize_.sourceWidth, firstSize_.targetWidth, firstSize_.frameHeight);
  }
}

void MainWindow::SetCodeTips(Language language) {
  const QString tip = ToQString(Choose(codes_text::kDisplayCodeTip, language));
  sourceCode_.setToolTip(tip);
  targetCode_.setToolTip(tip);
}

void MainWindow::SetTitle(const UiText& title) { setWindowTitle(ToQString(title)); }

void MainWindow::SetGeometry(int /*width*/, int /*height*/, int sourceWidth, int targetWidth,
                             int frameHeight) {
  // The outer size includes the desktop's window frame; the client area is
  // what the frames fill, so only their sizes are used.
  firstSize_ = {sourceWidth, targetWidth, frameHeight};
  const int barHeight = menuBar() != nullptr ? menuBar()->sizeHint().height() : 0;
  resize(sourceWidth + kSplitterHandleWidth + targetWidth,
         barHeight + frameHeight + kStatusLineHeight);
  splitter_.setSizes({sourceWidth, targetWidth});
  PlaceStatusLine();
}

void MainWindow::PlaceStatusLine() {
  const int choiceWidth = 104;  // wide enough for "Big5-HKSCS"
  const int targetLeft = target_.geometry().left();
  sourceCode_.setGeometry(2, 1, choiceWidth, kStatusLineHeight - 2);
  targetCode_.setGeometry(targetLeft + 2, 1, choiceWidth, kStatusLineHeight - 2);
  const int statusLeft = targetLeft + choiceWidth + 10;
  status_.setGeometry(statusLeft, 1, std::max(0, statusLine_.width() - statusLeft - 4),
                      kStatusLineHeight - 2);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == &target_ || watched == &statusLine_) &&
      (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
    PlaceStatusLine();
  }
  // Message files only: any other drop keeps the frames' own handling.
  const auto messageFiles = [](const QMimeData* data) {
    QStringList paths;
    if (data != nullptr && data->hasUrls()) {
      for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && IsMessageFile(url.toLocalFile().toStdString())) {
          paths << url.toLocalFile();
        }
      }
    }
    return paths;
  };
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (!messageFiles(drag->mimeData()).isEmpty()) {
        drag->acceptProposedAction();
        return true;
      }
      break;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QStringList paths = messageFiles(drop->mimeData());
      if (!paths.isEmpty()) {
        drop->acceptProposedAction();
        if (onFileDropped_) {
          const QByteArray path = paths.constFirst().toUtf8();
          onFileDropped_(std::string(path.constData(), static_cast<std::size_t>(path.size())));
        }
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ShowStatus(const UiText& text) { status_.setText(ToQString(text)); }

void MainWindow::FocusSourceFrame() { source_.setFocus(); }

void MainWindow::CloseWindow() {
  closing_ = true;
  // Queued, since the request may come from inside closeEvent.
  QTimer::singleShot(0, this, [this] { close(); });
}

bool MainWindow::RunSettingsDialog(SettingsDialog& dialog) { return RunSettingsView(this, dialog); }

void MainWindow::RunCodeConverter(CodeConverterDialog& dialog) {
  RunCodeConverterView(this, dialog);
}

void MainWindow::RunHelp(HelpDialog& dialog) { RunHelpView(this, dialog); }

void MainWindow::RunAbout(AboutDialog& dialog) { RunAboutView(this, dialog); }

bool MainWindow::RunAutoRepair(AutoRepairDialog& dialog) { return RunAutoRepairView(this, dialog); }

void MainWindow::RunMessageView(MessageViewDialog& dialog) { RunMessageViewWindow(this, dialog); }

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  event->ignore();
  if (onCloseRequested_) {
    onCloseRequested_();
  }
}

}  // namespace vortane
