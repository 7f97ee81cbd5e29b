// The desktop's automatic repair: the readings of the source frame's text,
// ranked, each with its chain in words and a preview, and what the chosen one
// puts into the target frame. The view shows it through MainWindowView.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cjk/display_code.h"
#include "detect/readings.h"
#include "platform/ui_text.h"
#include "texts/interface_language.h"

namespace vortane {

// What a reading puts into a frame: its text as bytes of a code the frame
// shows, and that code.
struct FrameReading {
  std::string bytes;
  DisplayCode displayCode = DisplayCode::Gb18030;

  friend bool operator==(const FrameReading&, const FrameReading&) = default;
};

// A reading goes into a frame in its own code, shown through that code: a
// GB18030 reading as GB18030 bytes, a Big5-HKSCS one as Big5-HKSCS bytes, a
// UTF-8 one as UTF-8. No character is changed or lost on the way.
[[nodiscard]] FrameReading ForFrame(const Reading& reading);

// The display code of the code the best reading of `bytes` ends in; nothing
// when nothing reads as Chinese.
[[nodiscard]] std::optional<DisplayCode> DisplayCodeFor(std::string_view bytes);

// The chain of `reading` in words in `language`: "Base64, then GB18030".
[[nodiscard]] UiText ChainInWords(const Reading& reading, Language language);

class AutoRepairDialog {
 public:
  // Finds the readings of `bytes`; the texts follow the messages' reading of
  // `interfaceLanguage`. The best reading is chosen at first.
  AutoRepairDialog(std::string_view bytes, InterfaceLanguage interfaceLanguage);

  // True when nothing reads as Chinese: the caller shows noReadingMessage()
  // instead of the dialog.
  [[nodiscard]] bool empty() const { return readings_.empty(); }
  [[nodiscard]] UiText title() const;
  [[nodiscard]] UiText readingsLabel() const;
  [[nodiscard]] UiText previewLabel() const;
  [[nodiscard]] UiText noReadingMessage() const;

  // The readings, best first: their chains in words, and a preview of each
  // (the first kPreviewCharacters characters as UTF-8, line breaks kept).
  static constexpr std::size_t kPreviewCharacters = 2000;
  [[nodiscard]] std::size_t count() const { return readings_.size(); }
  [[nodiscard]] UiText chain(std::size_t index) const;
  [[nodiscard]] std::string preview(std::size_t index) const;
  [[nodiscard]] const std::vector<Reading>& readings() const { return readings_; }

  // The reading chosen; a value past the list is ignored.
  [[nodiscard]] std::size_t selected() const { return selected_; }
  void Select(std::size_t index);

  // What the chosen reading puts into the target frame (Enter or OK).
  // Requires a reading (not empty()).
  [[nodiscard]] FrameReading Accept() const;

 private:
  std::vector<Reading> readings_;
  Language language_;
  std::size_t selected_ = 0;
};

}  // namespace vortane
