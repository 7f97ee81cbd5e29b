// The platform interface on Qt: message boxes, questions, file dialogs, the
// clipboard, the screen, the temporary directory, the desktop's handlers and
// progress displays.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/platform.h"

namespace vortane {

class QtPlatform final : public Platform {
 public:
  // Dialogs are owned by the modal dialog open at the time, or else by `owner`.
  explicit QtPlatform(QWidget* owner = nullptr) : owner_(owner) {}

  void ShowMessage(const UiText& text) override;
  [[nodiscard]] bool AskYesNo(const UiText& question, const UiText& caption) override;
  [[nodiscard]] std::optional<std::string> ChooseOpenFile(
      const FileDialogOptions& options) override;
  [[nodiscard]] std::optional<std::string> ChooseSaveFile(
      const FileDialogOptions& options) override;
  // The raw bytes the frames offered when they are in `code`; otherwise the
  // clipboard's Unicode text encoded in `code` with CR LF line ends.
  [[nodiscard]] ClipboardText ReadClipboard(TextCode code) override;
  // Offers the text as Unicode (LF line ends) and the raw bytes under
  // text/plain;charset=GB2312 or text/plain;charset=Big5.
  [[nodiscard]] bool WriteClipboard(std::string_view bytes, TextCode code) override;
  [[nodiscard]] ScreenSize GetScreenSize() override;
  [[nodiscard]] std::string TempDirectory() override;
  [[nodiscard]] bool OpenUrl(const std::string& url) override;
  [[nodiscard]] bool OpenFile(const std::string& path) override;
  [[nodiscard]] std::unique_ptr<ProgressMonitor> BeginProgress(const UiText& label,
                                                               std::uint64_t total) override;
  // A QInputDialog named "choiceDialog" with the items in a drop-down list.
  [[nodiscard]] std::optional<std::size_t> ChooseItem(const UiText& title, const UiText& label,
                                                      const std::vector<UiText>& items,
                                                      std::size_t initial) override;
  // As ReadClipboard and WriteClipboard, with the raw bytes of `code` under
  // its own MIME type (text/plain;charset=GB18030, ...=Big5-HKSCS, ...=UTF-8).
  [[nodiscard]] ClipboardText ReadFrameClipboard(DisplayCode code) override;
  [[nodiscard]] bool WriteFrameClipboard(std::string_view bytes, DisplayCode code) override;

 private:
  [[nodiscard]] QWidget* DialogOwner() const;

  QPointer<QWidget> owner_;
};

// The name-filter string a Qt file dialog takes for `options`: "*.*" matches every
// file, and a pattern's upper- and lower-case forms are both offered.
[[nodiscard]] QString QtFileFilter(const FileDialogOptions& options);

}  // namespace vortane
