#include "gui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/menus.h"
#include "gui/dialog_units.h"
#include "gui/dialog_views.h"
#include "gui/ui_text_qt.h"
#include "texts/codes_texts.h"

namespace vortane {
namespace {

constexpr int kStatusLineHeight = 24;
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
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      central_(this),
      source_(&central_),
      target_(&central_),
      statusLine_(&central_),
      sourceCode_(&statusLine_),
      targetCode_(&statusLine_),
      escape_(QKeySequence(Qt::Key_Escape), this) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(QStringLiteral("Mail Vortane"));
  if (QFile::exists(QString::fromLatin1(kIconResource))) {
    setWindowIcon(QIcon(QString::fromLatin1(kIconResource)));
  }
  const QFont frameFont = MakeDialogFont(DialogFace::TimesNewRoman, 11);
  for (ByteFrame* frame : {&source_, &target_}) {
    frame->setFont(frameFont);
  }
  source_.setObjectName(QStringLiteral("sourceFrame"));
  target_.setObjectName(QStringLiteral("targetFrame"));
  sourceCode_.setObjectName(QStringLiteral("sourceCodeChoice"));
  targetCode_.setObjectName(QStringLiteral("targetCodeChoice"));
  FillCodeChoice(sourceCode_);
  FillCodeChoice(targetCode_);
  SetCodeTips(Language::English);

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
  connect(&escape_, &QShortcut::activated, this, [this] {
    if (onCloseRequested_) {
      onCloseRequested_();
    }
  });

  setCentralWidget(&central_);
  PlaceChildren();
  FixWindowSize();
}

void MainWindow::SetHandlers(std::function<void(Command)> onCommand,
                             std::function<void()> onCloseRequested) {
  onCommand_ = std::move(onCommand);
  onCloseRequested_ = std::move(onCloseRequested);
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
  FixWindowSize();
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
  sourceWidth_ = sourceWidth;
  targetWidth_ = targetWidth;
  frameHeight_ = frameHeight;
  PlaceChildren();
  FixWindowSize();
}

void MainWindow::PlaceChildren() {
  source_.setGeometry(0, 0, sourceWidth_, frameHeight_);
  target_.setGeometry(sourceWidth_, 0, targetWidth_, frameHeight_);
  statusLine_.setGeometry(0, frameHeight_, sourceWidth_ + targetWidth_, kStatusLineHeight);
  const int choiceWidth = 104;  // wide enough for "Big5-HKSCS"
  sourceCode_.setGeometry(2, 1, choiceWidth, kStatusLineHeight - 2);
  targetCode_.setGeometry(sourceWidth_ + 2, 1, choiceWidth, kStatusLineHeight - 2);
  central_.setFixedSize(sourceWidth_ + targetWidth_, frameHeight_ + kStatusLineHeight);
}

void MainWindow::FixWindowSize() {
  const int barHeight = menuBar() != nullptr ? menuBar()->sizeHint().height() : 0;
  setFixedSize(central_.width(), central_.height() + barHeight);
}

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
