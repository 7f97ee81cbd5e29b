// The main window: two byte frames side by side in a splitter the user can
// drag, a status line that shows and switches each frame's display code and
// shows the program's notes, and a menu bar built from the menu tables. Each
// command's action is named after the command (its table name) and carries
// the command's shortcut. Commands, close requests and edits go to handlers
// set by the program. The window can be resized and maximised.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QSplitter>
#include <QWidget>
#include <functional>
#include <string>

#include "app/command_table.h"
#include "gui/byte_frame.h"
#include "platform/main_window_view.h"
#include "texts/tri_text.h"

class QCloseEvent;
class QEvent;

namespace vortane {

class MainWindow final : public QMainWindow, public MainWindowView {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  // Where menu commands and close requests (the close box, Alt+F4, the
  // window menu's Close) go.
  void SetHandlers(std::function<void(Command)> onCommand, std::function<void()> onCloseRequested);
  // Where the user's edits go: an edit of the target frame, and characters
  // typed or pasted into a frame that its display code cannot hold (they
  // became "?"; `code` is that frame's code).
  void SetEditHandlers(std::function<void()> onTargetEdited,
                       std::function<void(DisplayCode code, std::size_t count)> onNotHeld);
  // Where a message file (IsMessageFile) dropped on the window goes (its path).
  void SetDropHandler(std::function<void(const std::string&)> onFileDropped);

  // Both frames show their bytes through `code`.
  void SetDisplayCodes(DisplayCode code);
  void SetDisplayCodes(TextCode code) { SetDisplayCodes(DisplayCodeOf(code)); }

  ByteFrame& sourceFrame() { return source_; }
  ByteFrame& targetFrame() { return target_; }
  QSplitter& splitter() { return splitter_; }
  // True once CloseWindow has run: the window closes and the program ends.
  [[nodiscard]] bool closing() const { return closing_; }

  // MainWindowView
  TextFrame& SourceFrame() override { return source_; }
  TextFrame& TargetFrame() override { return target_; }
  void SetMenu(MenuResource menu) override;
  void SetTitle(const UiText& title) override;
  // The first size: the frames take the given widths and height (the status
  // line below them), the window the size that holds them. The user may
  // resize and maximise it and drag the splitter from there.
  void SetGeometry(int width, int height, int sourceWidth, int targetWidth,
                   int frameHeight) override;
  void FocusSourceFrame() override;
  void CloseWindow() override;
  void ShowStatus(const UiText& text) override;
  [[nodiscard]] bool RunSettingsDialog(SettingsDialog& dialog) override;
  void RunCodeConverter(CodeConverterDialog& dialog) override;
  void RunHelp(HelpDialog& dialog) override;
  void RunAbout(AboutDialog& dialog) override;
  [[nodiscard]] bool RunAutoRepair(AutoRepairDialog& dialog) override;
  void RunMessageView(MessageViewDialog& dialog) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Keeps the status line under the frames as they move and resize; message
  // files dropped on the frames or the window go to the drop handler.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Keeps the target frame's code choice under the target frame.
  void PlaceStatusLine();
  // The display code choosers' tips in `language`.
  void SetCodeTips(Language language);

  QWidget central_;
  QSplitter splitter_;
  ByteFrame source_;
  ByteFrame target_;
  QWidget statusLine_;
  QComboBox sourceCode_;
  QComboBox targetCode_;
  QLabel status_;
  std::function<void(Command)> onCommand_;
  std::function<void()> onCloseRequested_;
  std::function<void(const std::string&)> onFileDropped_;
  bool closing_ = false;
  // The frames' sizes SetGeometry was last given.
  struct FirstSize {
    int sourceWidth = 225;
    int targetWidth = 669;
    int frameHeight = 606;
  } firstSize_;
};

}  // namespace vortane
