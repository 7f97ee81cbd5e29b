// The platform interface: the only way dialog logic reaches the windowing
// system. A Qt implementation shows real windows; tests use a scripted fake.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cjk/display_code.h"
#include "cjk/text_code.h"
#include "platform/ui_text.h"

namespace vortane {

// A standard open or save file dialog. An empty filter means "all files";
// the pattern "*.*" matches every file.
struct FileDialogOptions {
  std::string filterDescription;  // e.g. "All File(*.*)"
  std::string filterPattern;      // e.g. "*.*"
  std::string defaultExtension;   // added when the typed name has none, e.g. "TXT"
  std::string initialName;        // e.g. "*.TXT"
  bool overwritePrompt = false;   // save dialogs: ask before replacing a file
};

// Reading the clipboard as 8-bit text.
enum class ClipboardStatus { Ok, CannotOpen, NoText, CannotLock };
struct ClipboardText {
  ClipboardStatus status = ClipboardStatus::Ok;
  std::string bytes;  // the clipboard's text in the requested code
};

struct ScreenSize {
  int width = 0;
  int height = 0;
};

// Progress of a long operation, updated between blocks on the UI thread.
class ProgressMonitor {
 public:
  virtual ~ProgressMonitor() = default;
  // Reports `done` of `total` bytes; false when the user asked to cancel.
  [[nodiscard]] virtual bool Update(std::uint64_t done) = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // A message box with an OK button whose caption is the application's name.
  virtual void ShowMessage(const UiText& text) = 0;
  // A question with Yes and No buttons and a question icon; true for Yes.
  [[nodiscard]] virtual bool AskYesNo(const UiText& question, const UiText& caption) = 0;

  // The chosen full path, or nullopt when the user cancelled.
  [[nodiscard]] virtual std::optional<std::string> ChooseOpenFile(
      const FileDialogOptions& options) = 0;
  [[nodiscard]] virtual std::optional<std::string> ChooseSaveFile(
      const FileDialogOptions& options) = 0;

  // The clipboard's text encoded in `code` (Gb or Big5; characters the code
  // cannot hold become "?").
  [[nodiscard]] virtual ClipboardText ReadClipboard(TextCode code) = 0;
  // Puts `bytes`, text in `code` (Gb or Big5), on the clipboard; false on failure.
  [[nodiscard]] virtual bool WriteClipboard(std::string_view bytes, TextCode code) = 0;

  [[nodiscard]] virtual ScreenSize GetScreenSize() = 0;
  // The user's temporary directory, with its trailing separator.
  [[nodiscard]] virtual std::string TempDirectory() = 0;

  // Opens a web address or a local file with the desktop's default handler;
  // false when the desktop reports failure.
  [[nodiscard]] virtual bool OpenUrl(const std::string& url) = 0;
  [[nodiscard]] virtual bool OpenFile(const std::string& path) = 0;

  // Starts a progress display with a Cancel button for `total` bytes; it
  // closes when the returned object is destroyed.
  [[nodiscard]] virtual std::unique_ptr<ProgressMonitor> BeginProgress(const UiText& label,
                                                                       std::uint64_t total) = 0;

  // A modal choice of one item from a list (Open's and Save As's encodings),
  // `initial` chosen at first: the chosen index, or nullopt when the user
  // cancelled.
  [[nodiscard]] virtual std::optional<std::size_t> ChooseItem(const UiText& title,
                                                              const UiText& label,
                                                              const std::vector<UiText>& items,
                                                              std::size_t initial) = 0;
  // The clipboard's text as bytes of display code `code`: the raw bytes a
  // frame shown in `code` offered, else the Unicode text written in `code`
  // ("?" for what it cannot hold).
  [[nodiscard]] virtual ClipboardText ReadFrameClipboard(DisplayCode code) = 0;
  // Puts `bytes` of display code `code` on the clipboard as Unicode text and
  // as raw bytes; false on failure.
  [[nodiscard]] virtual bool WriteFrameClipboard(std::string_view bytes, DisplayCode code) = 0;
};

}  // namespace vortane
