// Dialog layouts are drawn in dialog units: a quarter of the dialog font's
// average character width across, an eighth of its height down. These helpers
// turn layout rectangles into pixels and provide the layouts' named fonts.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace vortane {

// A rectangle of a dialog layout, in dialog units.
struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The font faces the layouts name. Each is shown with a local stand-in and
// falls back to a font with Chinese characters.
enum class DialogFace { TimesNewRoman, MsSansSerif, System, CourierNew };

// The font `face` at `pointSize`, with families that exist on a Linux desktop
// (Liberation, Nimbus, DejaVu) and WenQuanYi Micro Hei for Chinese.
[[nodiscard]] QFont MakeDialogFont(DialogFace face, int pointSize);

// Dialog-unit to pixel conversion for one dialog font.
class DialogUnits {
 public:
  // Measures `font`: the average width of the 52 Latin letters, rounded, and
  // the line height.
  explicit DialogUnits(const QFont& font);

  // x * average character width / 4 and y * font height / 8, rounded.
  [[nodiscard]] int ToPixelsX(int x) const;
  [[nodiscard]] int ToPixelsY(int y) const;
  [[nodiscard]] QRect ToPixels(const DialogRect& rect) const;
  [[nodiscard]] QSize ToPixels(int width, int height) const;

  [[nodiscard]] int averageCharWidth() const { return averageCharWidth_; }
  [[nodiscard]] int fontHeight() const { return fontHeight_; }

 private:
  int averageCharWidth_;
  int fontHeight_;
};

// Places `widget` in its parent at `rect` converted with `units`.
void PlaceInDialog(QWidget& widget, const DialogUnits& units, const DialogRect& rect);

}  // namespace vortane
