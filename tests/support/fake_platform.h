// A scripted stand-in for the windowing system: a Platform whose questions,
// file dialogs, clipboard and progress answer from queues and fields the test
// sets, and a MainWindowView with two byte frames that records what the logic
// asked of it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cjk/display_code.h"
#include "cjk/text_code.h"
#include "platform/main_window_view.h"
#include "platform/platform.h"
#include "platform/text_frame.h"
#include "platform/ui_text.h"

namespace vortane::testing {

// The fake clipboard: 8-bit text in a known code, and the failures a test can
// inject into reading and writing it.
struct FakeClipboard {
  bool hasText = false;
  std::string bytes;             // the text, in `code`
  TextCode code = TextCode::Gb;  // Gb or Big5
  // The display code `bytes` are in: DisplayCodeOf(code) for text put there
  // in GB or Big5, or the code of a frame's copy.
  DisplayCode displayCode = DisplayCode::Gb;
  // Reading fails with this status when it is not Ok (NoText, CannotOpen, CannotLock).
  ClipboardStatus readFailure = ClipboardStatus::Ok;
  bool writeFails = false;
  int writes = 0;  // successful writes

  // Puts text on the clipboard as if another program had copied it.
  void Set(std::string_view text, TextCode textCode = TextCode::Gb) {
    hasText = true;
    bytes = std::string(text);
    code = textCode;
    displayCode = DisplayCodeOf(textCode);
  }
  // Puts text in a display code on the clipboard, as a frame's copy does.
  void SetIn(std::string_view text, DisplayCode textCode) {
    hasText = true;
    bytes = std::string(text);
    code = TableTextCode(textCode).value_or(TextCode::Gb);
    displayCode = textCode;
  }
};

// One question asked through AskYesNo.
struct AskedQuestion {
  UiText question;
  UiText caption;
};

// One list offered through ChooseItem.
struct OfferedChoice {
  UiText title;
  UiText label;
  std::vector<UiText> items;
  std::size_t initial = 0;
};

// What the fake's progress displays saw.
struct ProgressLog {
  int begun = 0;  // BeginProgress calls
  int ended = 0;  // monitors destroyed
  UiText label;   // label of the last display
  std::uint64_t total = 0;
  std::vector<std::uint64_t> updates;  // every Update's `done`, in order
  // Update returns false (cancel) once this many updates have been made
  // (1 = the first update cancels); nullopt never cancels.
  std::optional<int> cancelAtUpdate;
};

class FakePlatform final : public Platform {
 public:
  // --- Script (set by the test) ---
  std::deque<bool> answers;                          // AskYesNo; empty = No
  std::deque<std::optional<std::string>> openFiles;  // ChooseOpenFile; empty = cancel
  std::deque<std::optional<std::string>> saveFiles;  // ChooseSaveFile; empty = cancel
  FakeClipboard clipboard;
  ScreenSize screen{1280, 1024};
  std::string tempDirectory = "/tmp/";
  bool openUrlResult = true;
  bool openFileResult = true;
  // ChooseItem's answers: an index, or nullopt to cancel; empty = the item
  // chosen at first.
  std::deque<std::optional<std::size_t>> choices;

  // --- Record (read by the test) ---
  std::vector<UiText> messages;
  std::vector<AskedQuestion> questions;
  std::vector<FileDialogOptions> openDialogs;
  std::vector<FileDialogOptions> saveDialogs;
  std::vector<std::string> openedUrls;
  std::vector<std::string> openedFiles;
  std::vector<TextCode> clipboardReads;          // the code of each ReadClipboard
  std::vector<DisplayCode> frameClipboardReads;  // the code of each ReadFrameClipboard
  std::vector<OfferedChoice> offeredChoices;     // every ChooseItem, in order
  ProgressLog progress;

  void ShowMessage(const UiText& text) override;
  [[nodiscard]] bool AskYesNo(const UiText& question, const UiText& caption) override;
  [[nodiscard]] std::optional<std::string> ChooseOpenFile(
      const FileDialogOptions& options) override;
  [[nodiscard]] std::optional<std::string> ChooseSaveFile(
      const FileDialogOptions& options) override;
  // The clipboard's bytes; text stored in the other of GB and Big5 is passed
  // through the GB-Big5 conversion first.
  [[nodiscard]] ClipboardText ReadClipboard(TextCode code) override;
  [[nodiscard]] bool WriteClipboard(std::string_view bytes, TextCode code) override;
  [[nodiscard]] ScreenSize GetScreenSize() override { return screen; }
  [[nodiscard]] std::string TempDirectory() override { return tempDirectory; }
  [[nodiscard]] bool OpenUrl(const std::string& url) override;
  [[nodiscard]] bool OpenFile(const std::string& path) override;
  [[nodiscard]] std::unique_ptr<ProgressMonitor> BeginProgress(const UiText& label,
                                                               std::uint64_t total) override;
  [[nodiscard]] std::optional<std::size_t> ChooseItem(const UiText& title, const UiText& label,
                                                      const std::vector<UiText>& items,
                                                      std::size_t initial) override;
  // The bytes as they are when they are in `code`; text in another code
  // passes through Unicode (GB and Big5 text between the two as
  // ReadClipboard gives it).
  [[nodiscard]] ClipboardText ReadFrameClipboard(DisplayCode code) override;
  [[nodiscard]] bool WriteFrameClipboard(std::string_view bytes, DisplayCode code) override;

 private:
  [[nodiscard]] ClipboardText ClipboardIn(TextCode code) const;
};

// A frame holding bytes, a selection and a display code. Paste and copy go
// through the platform's clipboard in the frame's display code.
class FakeTextFrame final : public TextFrame {
 public:
  explicit FakeTextFrame(Platform& platform) : platform_(platform) {}

  std::string bytes;
  ByteRange selection;  // also the caret (its start) when empty
  vortane::DisplayCode displayCode = vortane::DisplayCode::Gb;
  int setCount = 0;  // SetBytes calls

  [[nodiscard]] std::string GetBytes() const override { return bytes; }
  void SetBytes(std::string_view text) override;
  [[nodiscard]] ByteRange Selection() const override { return selection; }
  // Replaces the selection with the clipboard's text; the caret ends after it.
  // A clipboard that cannot be read leaves the frame unchanged.
  void PasteClipboard() override;
  void CopySelection() override;
  [[nodiscard]] vortane::DisplayCode DisplayCode() const override { return displayCode; }
  void SetDisplayCode(vortane::DisplayCode code) override { displayCode = code; }
  using TextFrame::SetDisplayCode;

  // Test helper: selects [start, end).
  void Select(std::size_t start, std::size_t end) { selection = {start, end}; }

 private:
  Platform& platform_;
};

class FakeMainWindowView final : public MainWindowView {
 public:
  explicit FakeMainWindowView(Platform& platform) : source(platform), target(platform) {}

  FakeTextFrame source;
  FakeTextFrame target;

  // Recorded state.
  std::vector<MenuResource> menus;  // every SetMenu, in order
  std::vector<UiText> titles;       // every SetTitle, in order
  struct Geometry {
    int width = 0;
    int height = 0;
    int sourceWidth = 0;
    int targetWidth = 0;
    int frameHeight = 0;
    friend bool operator==(const Geometry&, const Geometry&) = default;
  };
  std::optional<Geometry> geometry;
  int focusCount = 0;
  bool closed = false;
  std::vector<UiText> statuses;  // every ShowStatus, in order
  int settingsRuns = 0;
  int converterRuns = 0;
  int helpRuns = 0;
  int aboutRuns = 0;

  // Scripted modal runs: called while the dialog is "open". The settings
  // callback returns true for OK; unset, the dialog ends with Exit.
  std::function<bool(SettingsDialog&)> onSettingsDialog;
  std::function<void(CodeConverterDialog&)> onCodeConverter;
  std::function<void(HelpDialog&)> onHelp;
  std::function<void(AboutDialog&)> onAbout;
  // The automatic repair: returns true to take the dialog's selected reading;
  // unset, the dialog is cancelled.
  int autoRepairRuns = 0;
  std::function<bool(AutoRepairDialog&)> onAutoRepair;

  // The message view: runs and the scripted callback while it is open.
  int messageViewRuns = 0;
  std::function<void(MessageViewDialog&)> onMessageView;

  TextFrame& SourceFrame() override { return source; }
  TextFrame& TargetFrame() override { return target; }
  void SetMenu(MenuResource menu) override { menus.push_back(menu); }
  void SetTitle(const UiText& title) override { titles.push_back(title); }
  void SetGeometry(int width, int height, int sourceWidth, int targetWidth,
                   int frameHeight) override {
    geometry = Geometry{width, height, sourceWidth, targetWidth, frameHeight};
  }
  void FocusSourceFrame() override { ++focusCount; }
  void CloseWindow() override { closed = true; }
  void ShowStatus(const UiText& text) override { statuses.push_back(text); }
  [[nodiscard]] bool RunSettingsDialog(SettingsDialog& dialog) override;
  void RunCodeConverter(CodeConverterDialog& dialog) override;
  void RunHelp(HelpDialog& dialog) override;
  void RunAbout(AboutDialog& dialog) override;
  [[nodiscard]] bool RunAutoRepair(AutoRepairDialog& dialog) override;
  void RunMessageView(MessageViewDialog& dialog) override;
};

}  // namespace vortane::testing
