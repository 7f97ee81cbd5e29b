#include "driver/driver_options.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <string>

#include "app/command_table.h"
#include "gui/dialog_units.h"
#include "gui/main_window.h"

namespace vortane {
namespace {

constexpr int kSettleMilliseconds = 500;

std::optional<Command> DialogCommand(const QString& name) {
  if (name == QStringLiteral("settings")) {
    return Command::Setting;
  }
  if (name == QStringLiteral("converter")) {
    return Command::CodeConverter;
  }
  if (name == QStringLiteral("help")) {
    return Command::HelpContents;
  }
  if (name == QStringLiteral("about")) {
    return Command::About;
  }
  return std::nullopt;
}

// The widget NAME in the dialog on top, or anywhere on screen.
template <typename T>
T* FindOnScreen(const QString& name) {
  if (QWidget* modal = QApplication::activeModalWidget()) {
    if (T* found = modal->findChild<T*>(name)) {
      return found;
    }
  }
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible()) {
      if (T* found = top->findChild<T*>(name)) {
        return found;
      }
    }
  }
  return nullptr;
}

void RunStep(const DriverOptions::Step& step) {
  if (step.kind == DriverOptions::Step::Kind::SetText) {
    if (QLineEdit* edit = FindOnScreen<QLineEdit>(step.objectName)) {
      edit->setText(step.text);
    } else {
      qWarning("vortane-driver: no edit named %s", qPrintable(step.objectName));
    }
    return;
  }
  if (QAbstractButton* button = FindOnScreen<QAbstractButton>(step.objectName)) {
    button->click();
  } else {
    qWarning("vortane-driver: no button named %s", qPrintable(step.objectName));
  }
}

void ShowMenu(MainWindow& window, int index, int subIndex) {
  const QList<QAction*> actions = window.menuBar()->actions();
  if (index < 1 || index > actions.size()) {
    qWarning("vortane-driver: no menu %d", index);
    return;
  }
  window.menuBar()->setActiveAction(actions.at(index - 1));
  QMenu* menu = actions.at(index - 1)->menu();
  if (subIndex < 1 || menu == nullptr) {
    return;
  }
  int item = 0;
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator() && ++item == subIndex) {
      menu->setActiveAction(action);  // opens its submenu at once
      return;
    }
  }
  qWarning("vortane-driver: no item %d in menu %d", subIndex, index);
}

}  // namespace

std::optional<DriverOptions> ParseDriverOptions(const QStringList& arguments, QString& error) {
  DriverOptions options;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& option = arguments.at(i);
    if (i + 1 >= arguments.size()) {
      error = QStringLiteral("%1 needs a value").arg(option);
      return std::nullopt;
    }
    const QString value = arguments.at(++i);
    bool number = false;
    if (option == QStringLiteral("--settings-dir")) {
      options.settingsDirectory = value;
    } else if (option == QStringLiteral("--source-file")) {
      options.sourceFile = value;
    } else if (option == QStringLiteral("--display-code")) {
      for (const DisplayCode code : kDisplayCodes) {
        const std::string_view name = DisplayCodeName(code);
        if (value.compare(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
                          Qt::CaseInsensitive) == 0) {
          options.displayCode = code;
        }
      }
      if (!options.displayCode) {
        error = QStringLiteral("--display-code takes gb, gb18030, big5, big5-hkscs or utf-8");
        return std::nullopt;
      }
    } else if (option == QStringLiteral("--command")) {
      const std::optional<Command> command = CommandNamed(value.toStdString());
      if (!command) {
        error = QStringLiteral("--command takes a command name, such as decode-base64");
        return std::nullopt;
      }
      options.commands.push_back(*command);
    } else if (option == QStringLiteral("--open-dialog")) {
      const std::optional<Command> id = DialogCommand(value);
      if (!id) {
        error = QStringLiteral("--open-dialog takes settings, converter, help or about");
        return std::nullopt;
      }
      options.commands.push_back(*id);
    } else if (option == QStringLiteral("--set-text")) {
      const qsizetype equals = value.indexOf(QLatin1Char('='));
      if (equals <= 0) {
        error = QStringLiteral("--set-text takes NAME=TEXT");
        return std::nullopt;
      }
      options.steps.push_back(
          {DriverOptions::Step::Kind::SetText, value.left(equals), value.mid(equals + 1)});
    } else if (option == QStringLiteral("--click")) {
      options.steps.push_back({DriverOptions::Step::Kind::Click, value, QString()});
    } else if (option == QStringLiteral("--show-menu")) {
      const QStringList parts = value.split(QLatin1Char('.'));
      options.showMenu = parts.at(0).toInt(&number);
      if (number && parts.size() == 2) {
        options.showSubmenu = parts.at(1).toInt(&number);
      }
      if (!number || parts.size() > 2) {
        error = QStringLiteral("--show-menu takes a number");
        return std::nullopt;
      }
    } else if (option == QStringLiteral("--screenshot")) {
      options.screenshot = value;
    } else {
      error = QStringLiteral("unknown option %1").arg(option);
      return std::nullopt;
    }
  }
  return options;
}

void ScheduleDriverActions(const DriverOptions& options, MainWindow& window,
                           const std::function<void(Command)>& runCommand) {
  if (options.displayCode) {
    window.SetDisplayCodes(*options.displayCode);
  }
  if (!options.sourceFile.isEmpty()) {
    QFile file(options.sourceFile);
    if (file.open(QIODevice::ReadOnly)) {
      window.sourceFrame().SetBytes(file.readAll().toStdString());
    } else {
      qWarning("vortane-driver: cannot read %s", qPrintable(options.sourceFile));
    }
  }
  // Commands may open modal dialogs: they run one after the other from a
  // single call, and the later steps fire inside the dialogs' event loops.
  if (!options.commands.empty()) {
    QTimer::singleShot(0, &window, [commands = options.commands, runCommand] {
      for (const Command command : commands) {
        runCommand(command);
      }
    });
  }
  int at = kSettleMilliseconds;
  for (const DriverOptions::Step& step : options.steps) {
    QTimer::singleShot(at, &window, [step] { RunStep(step); });
    at += kSettleMilliseconds;
  }
  if (options.showMenu > 0) {
    QTimer::singleShot(at, &window, [&window, index = options.showMenu, sub = options.showSubmenu] {
      ShowMenu(window, index, sub);
    });
    at += kSettleMilliseconds;
  }
  if (!options.screenshot.isEmpty()) {
    QTimer::singleShot(at, &window, [&window, path = options.screenshot] {
      const bool saved = SaveScreenshot(path, window);
      if (!saved) {
        qWarning("vortane-driver: cannot write %s", qPrintable(path));
      }
      // Ends every event loop, the modal dialogs' included.
      QCoreApplication::exit(saved ? 0 : 1);
    });
  }
}

bool SaveScreenshot(const QString& path, MainWindow& window) {
  std::vector<QWidget*> windows{&window};
  std::vector<QWidget*> popups;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top == &window || !top->isVisible()) {
      continue;
    }
    (top->windowType() == Qt::Popup ? popups : windows).push_back(top);
  }
  // The dialog on top is drawn last.
  if (QWidget* modal = QApplication::activeModalWidget()) {
    const auto found = std::find(windows.begin(), windows.end(), modal);
    if (found != windows.end()) {
      windows.erase(found);
      windows.push_back(modal);
    }
  }
  // Without a window manager there are no title bars: each window gets a
  // plain one drawn above it, so the titles show in the picture.
  const QFont titleFont = MakeDialogFont(DialogFace::MsSansSerif, 9);
  const int titleHeight = QFontMetrics(titleFont).height() + 6;
  auto frameOf = [&](QWidget* w) {
    return w->windowType() == Qt::Popup ? w->geometry()
                                        : w->geometry().adjusted(0, -titleHeight, 0, 0);
  };
  QRect area;
  for (QWidget* w : windows) {
    area = area.united(frameOf(w));
  }
  for (QWidget* w : popups) {
    area = area.united(frameOf(w));
  }
  QImage image(area.size(), QImage::Format_RGB32);
  image.fill(Qt::darkGray);
  QPainter painter(&image);
  for (QWidget* w : windows) {
    const QRect bar = frameOf(w).translated(-area.topLeft());
    painter.fillRect(QRect(bar.left(), bar.top(), bar.width(), titleHeight),
                     QColor(0x00, 0x00, 0x80));
    painter.setPen(Qt::white);
    painter.setFont(titleFont);
    painter.drawText(QRect(bar.left() + 6, bar.top(), bar.width() - 12, titleHeight),
                     Qt::AlignVCenter | Qt::AlignLeft, w->windowTitle());
    painter.drawPixmap(w->geometry().topLeft() - area.topLeft(), w->grab());
  }
  for (QWidget* w : popups) {
    painter.drawPixmap(w->geometry().topLeft() - area.topLeft(), w->grab());
  }
  painter.end();
  return image.save(path, "PNG");
}

}  // namespace vortane
