// The main window as the dialog logic sees it: two frames, a menu bar chosen
// by language, a title, and the modal dialogs it runs.
#pragma once

#include "platform/text_frame.h"
#include "platform/ui_text.h"

namespace vortane {

class SettingsDialog;
class CodeConverterDialog;
class HelpDialog;
class AboutDialog;
class AutoRepairDialog;
class MessageViewDialog;

// The three menu bars: 130 English, 132 Chinese GB, 140 Chinese Big5.
enum class MenuResource { English = 130, ChineseGb = 132, ChineseBig5 = 140 };

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  virtual TextFrame& SourceFrame() = 0;
  virtual TextFrame& TargetFrame() = 0;

  virtual void SetMenu(MenuResource menu) = 0;
  virtual void SetTitle(const UiText& title) = 0;
  // Sets the outer window size and places the frames (client coordinates).
  virtual void SetGeometry(int width, int height, int sourceWidth, int targetWidth,
                           int frameHeight) = 0;
  virtual void FocusSourceFrame() = 0;
  // Ends the window's run (the accept path after the quit prompt).
  virtual void CloseWindow() = 0;
  // Shows a short note in the status line until the next one.
  virtual void ShowStatus(const UiText& text) = 0;

  // Modal dialogs bound to their logic objects. RunSettingsDialog returns
  // true when the dialog ended with OK.
  [[nodiscard]] virtual bool RunSettingsDialog(SettingsDialog& dialog) = 0;
  virtual void RunCodeConverter(CodeConverterDialog& dialog) = 0;
  virtual void RunHelp(HelpDialog& dialog) = 0;
  virtual void RunAbout(AboutDialog& dialog) = 0;
  // The automatic repair's readings; true when one was taken (Enter or OK),
  // the dialog's selected() then naming it.
  [[nodiscard]] virtual bool RunAutoRepair(AutoRepairDialog& dialog) = 0;

  // The message view, modal, bound to its logic.
  virtual void RunMessageView(MessageViewDialog& dialog) = 0;
};

}  // namespace vortane
