// The main window: two byte frames side by side, a status line that shows and
// switches each frame's display code, and a menu bar built from the menu
// tables. Each command's action is named after the command (its table name)
// and carries the command's shortcut. Commands and close requests go to
// handlers set by the program.
#pragma once

#include <QComboBox>
#include <QMainWindow>
#include <QShortcut>
#include <QWidget>
#include <functional>

#include "app/command_table.h"
#include "gui/byte_frame.h"
#include "platform/main_window_view.h"
#include "texts/tri_text.h"

class QCloseEvent;

namespace vortane {

class MainWindow final : public QMainWindow, public MainWindowView {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  // Where menu commands and close requests (close box, Escape, Alt+F4) go.
  void SetHandlers(std::function<void(Command)> onCommand, std::function<void()> onCloseRequested);

  // Both frames show their bytes through `code`.
  void SetDisplayCodes(DisplayCode code);
  void SetDisplayCodes(TextCode code) { SetDisplayCodes(DisplayCodeOf(code)); }

  ByteFrame& sourceFrame() { return source_; }
  ByteFrame& targetFrame() { return target_; }
  // True once CloseWindow has run: the window closes and the program ends.
  [[nodiscard]] bool closing() const { return closing_; }

  // MainWindowView
  TextFrame& SourceFrame() override { return source_; }
  TextFrame& TargetFrame() override { return target_; }
  void SetMenu(MenuResource menu) override;
  void SetTitle(const UiText& title) override;
  // The frames fill the client area: source at x 0, target beside it, the
  // status line below; the window takes that size and cannot be resized.
  void SetGeometry(int width, int height, int sourceWidth, int targetWidth,
                   int frameHeight) override;
  void FocusSourceFrame() override;
  void CloseWindow() override;
  [[nodiscard]] bool RunSettingsDialog(SettingsDialog& dialog) override;
  void RunCodeConverter(CodeConverterDialog& dialog) override;
  void RunHelp(HelpDialog& dialog) override;
  void RunAbout(AboutDialog& dialog) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void PlaceChildren();
  // The display code choosers' tips in `language`.
  void SetCodeTips(Language language);
  void FixWindowSize();

  QWidget central_;
  ByteFrame source_;
  ByteFrame target_;
  QWidget statusLine_;
  QComboBox sourceCode_;
  QComboBox targetCode_;
  QShortcut escape_;
  std::function<void(Command)> onCommand_;
  std::function<void()> onCloseRequested_;
  int sourceWidth_ = 225;
  int targetWidth_ = 669;
  int frameHeight_ = 606;
  bool closing_ = false;
};

}  // namespace vortane
