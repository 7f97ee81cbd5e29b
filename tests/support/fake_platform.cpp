#include "support/fake_platform.h"

#include <algorithm>

#include "cjk/gb_big5.h"
#include "framecodes/frame_clipboard.h"

namespace vortane::testing {

void FakePlatform::ShowMessage(const UiText& text) { messages.push_back(text); }

bool FakePlatform::AskYesNo(const UiText& question, const UiText& caption) {
  questions.push_back({question, caption});
  if (answers.empty()) {
    return false;
  }
  const bool yes = answers.front();
  answers.pop_front();
  return yes;
}

namespace {

std::optional<std::string> TakeFront(std::deque<std::optional<std::string>>& queue) {
  if (queue.empty()) {
    return std::nullopt;
  }
  auto front = std::move(queue.front());
  queue.pop_front();
  return front;
}

}  // namespace

std::optional<std::string> FakePlatform::ChooseOpenFile(const FileDialogOptions& options) {
  openDialogs.push_back(options);
  return TakeFront(openFiles);
}

std::optional<std::string> FakePlatform::ChooseSaveFile(const FileDialogOptions& options) {
  saveDialogs.push_back(options);
  return TakeFront(saveFiles);
}

ClipboardText FakePlatform::ReadClipboard(TextCode code) {
  clipboardReads.push_back(code);
  return ClipboardIn(code);
}

ClipboardText FakePlatform::ClipboardIn(TextCode code) const {
  if (clipboard.readFailure != ClipboardStatus::Ok) {
    return {clipboard.readFailure, {}};
  }
  if (!clipboard.hasText) {
    return {ClipboardStatus::NoText, {}};
  }
  if (code == clipboard.code) {
    return {ClipboardStatus::Ok, clipboard.bytes};
  }
  if (code == TextCode::Big5 && clipboard.code == TextCode::Gb) {
    return {ClipboardStatus::Ok, ConvertGbToBig5Text(clipboard.bytes)};
  }
  if (code == TextCode::Gb && clipboard.code == TextCode::Big5) {
    return {ClipboardStatus::Ok, ConvertBig5ToGbText(clipboard.bytes)};
  }
  return {ClipboardStatus::Ok, clipboard.bytes};
}

bool FakePlatform::WriteClipboard(std::string_view bytes, TextCode code) {
  if (clipboard.writeFails) {
    return false;
  }
  clipboard.Set(bytes, code);
  ++clipboard.writes;
  return true;
}

ClipboardText FakePlatform::ReadFrameClipboard(DisplayCode code) {
  frameClipboardReads.push_back(code);
  const auto tableCode = TableTextCode(code);
  if (clipboard.readFailure != ClipboardStatus::Ok || !clipboard.hasText ||
      (tableCode && TableTextCode(clipboard.displayCode))) {
    return ClipboardIn(tableCode.value_or(TextCode::Gb));
  }
  if (code == clipboard.displayCode) {
    return {ClipboardStatus::Ok, clipboard.bytes};
  }
  return {ClipboardStatus::Ok,
          FrameBytesFromClipboardText(
              ClipboardTextFromFrameBytes(clipboard.bytes, clipboard.displayCode), code)};
}

bool FakePlatform::WriteFrameClipboard(std::string_view bytes, DisplayCode code) {
  if (clipboard.writeFails) {
    return false;
  }
  clipboard.SetIn(bytes, code);
  ++clipboard.writes;
  return true;
}

std::optional<std::size_t> FakePlatform::ChooseItem(const UiText& title, const UiText& label,
                                                    const std::vector<UiText>& items,
                                                    std::size_t initial) {
  offeredChoices.push_back({title, label, items, initial});
  if (choices.empty()) {
    return initial;
  }
  const auto choice = choices.front();
  choices.pop_front();
  return choice;
}

bool FakePlatform::OpenUrl(const std::string& url) {
  openedUrls.push_back(url);
  return openUrlResult;
}

bool FakePlatform::OpenFile(const std::string& path) {
  openedFiles.push_back(path);
  return openFileResult;
}

namespace {

class FakeProgressMonitor final : public ProgressMonitor {
 public:
  explicit FakeProgressMonitor(ProgressLog& log) : log_(log) {}
  ~FakeProgressMonitor() override { ++log_.ended; }
  FakeProgressMonitor(const FakeProgressMonitor&) = delete;
  FakeProgressMonitor& operator=(const FakeProgressMonitor&) = delete;

  bool Update(std::uint64_t done) override {
    log_.updates.push_back(done);
    return !(log_.cancelAtUpdate && static_cast<int>(log_.updates.size()) >= *log_.cancelAtUpdate);
  }

 private:
  ProgressLog& log_;
};

}  // namespace

std::unique_ptr<ProgressMonitor> FakePlatform::BeginProgress(const UiText& label,
                                                             std::uint64_t total) {
  ++progress.begun;
  progress.label = label;
  progress.total = total;
  progress.updates.clear();
  return std::make_unique<FakeProgressMonitor>(progress);
}

void FakeTextFrame::SetBytes(std::string_view text) {
  bytes = std::string(text);
  selection = {0, 0};
  ++setCount;
}

void FakeTextFrame::PasteClipboard() {
  const ClipboardText text = platform_.ReadFrameClipboard(displayCode);
  if (text.status != ClipboardStatus::Ok) {
    return;
  }
  const std::size_t start = std::min({selection.start, selection.end, bytes.size()});
  const std::size_t end = std::min(std::max(selection.start, selection.end), bytes.size());
  bytes.replace(start, end - start, text.bytes);
  selection = {start + text.bytes.size(), start + text.bytes.size()};
}

void FakeTextFrame::CopySelection() {
  const std::size_t start = std::min({selection.start, selection.end, bytes.size()});
  const std::size_t end = std::min(std::max(selection.start, selection.end), bytes.size());
  if (start == end) {
    return;
  }
  (void)platform_.WriteFrameClipboard(std::string_view(bytes).substr(start, end - start),
                                      displayCode);
}

bool FakeMainWindowView::RunSettingsDialog(SettingsDialog& dialog) {
  ++settingsRuns;
  return onSettingsDialog ? onSettingsDialog(dialog) : false;
}

void FakeMainWindowView::RunCodeConverter(CodeConverterDialog& dialog) {
  ++converterRuns;
  if (onCodeConverter) {
    onCodeConverter(dialog);
  }
}

void FakeMainWindowView::RunHelp(HelpDialog& dialog) {
  ++helpRuns;
  if (onHelp) {
    onHelp(dialog);
  }
}

void FakeMainWindowView::RunAbout(AboutDialog& dialog) {
  ++aboutRuns;
  if (onAbout) {
    onAbout(dialog);
  }
}

}  // namespace vortane::testing
