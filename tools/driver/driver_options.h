// Options of the developer driver `vortane-driver`, which runs the desktop
// program's windows for screenshots and checks without a mouse:
//   --settings-dir DIR     read and write Vortane.ini in DIR
//   --source-file FILE     put FILE's bytes into the source frame after start
//   --display-code CODE    show both frames through CODE: gb, gb18030, big5,
//                          big5-hkscs or utf-8
//   --command NAME         run the command NAME (its name in the command table,
//                          such as decode-base64) after start (repeatable, in order)
//   --open-dialog NAME     settings, converter, help or about (a command too)
//   --set-text NAME=TEXT   set the text of the line edit NAME in the open dialog
//   --click NAME           click the button NAME of the open dialog (repeatable)
//   --show-menu N[.M]      open the N-th menu of the menu bar (1 = first), and
//                          in it the submenu of its M-th item
//   --screenshot FILE      write the windows on screen as PNG to FILE and exit
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "app/command_table.h"
#include "cjk/display_code.h"

namespace vortane {

class MainWindow;

struct DriverOptions {
  QString settingsDirectory;
  QString sourceFile;
  std::optional<DisplayCode> displayCode;
  std::vector<Command> commands;  // run in order
  // UI steps after the commands have started, in order: set a text or click.
  struct Step {
    enum class Kind { SetText, Click } kind;
    QString objectName;
    QString text;
  };
  std::vector<Step> steps;
  int showMenu = 0;     // 0: none
  int showSubmenu = 0;  // 0: none
  QString screenshot;
};

// Parses the options in `arguments` (the program name first). On a usage
// error returns nullopt and sets `error`.
[[nodiscard]] std::optional<DriverOptions> ParseDriverOptions(const QStringList& arguments,
                                                              QString& error);

// Schedules what `options` ask for on the running event loop: the source file
// and the display code at once, the commands once the loop runs (through
// `runCommand`), then the steps, the menu and the screenshot, each after the
// previous has settled.
void ScheduleDriverActions(const DriverOptions& options, MainWindow& window,
                           const std::function<void(Command)>& runCommand);

// Draws every visible top-level window (the main window first, dialogs and
// menus above it) at its screen position into one image and saves it as PNG.
bool SaveScreenshot(const QString& path, MainWindow& window);

}  // namespace vortane
