// One of the main window's two text frames, as the dialog logic sees it: an
// editable byte string whose line breaks are CR LF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cjk/display_code.h"
#include "cjk/text_code.h"

namespace vortane {

// A selection as byte offsets [start, end) into the frame's bytes.
struct ByteRange {
  std::size_t start = 0;
  std::size_t end = 0;
};

class TextFrame {
 public:
  virtual ~TextFrame() = default;

  // The whole text as bytes (line breaks as CR LF).
  [[nodiscard]] virtual std::string GetBytes() const = 0;
  // Replaces the whole text; caret and scroll position return to the start.
  virtual void SetBytes(std::string_view bytes) = 0;
  // The current selection in bytes of GetBytes().
  [[nodiscard]] virtual ByteRange Selection() const = 0;
  // Inserts the clipboard's text at the caret, replacing the selection.
  virtual void PasteClipboard() = 0;
  // Puts the selection on the clipboard; with no selection nothing changes.
  virtual void CopySelection() = 0;
  // The code through which the frame shows its bytes; typing and pasting
  // write characters in it.
  [[nodiscard]] virtual vortane::DisplayCode DisplayCode() const = 0;
  virtual void SetDisplayCode(vortane::DisplayCode code) = 0;
  // Shows the bytes through the display code of a text code (Big5 for Big5,
  // Gb otherwise).
  void SetDisplayCode(TextCode code) { SetDisplayCode(DisplayCodeOf(code)); }
};

}  // namespace vortane
