#include "gui/dialog_units.h"

#include <QFontMetrics>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace vortane {
namespace {

// Rounded a * b / c, as layouts are converted on the desktop they come from.
int MulDivRounded(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

QStringList FamiliesFor(DialogFace face) {
  // The Chinese family comes last so that Latin text keeps the stand-in face.
  switch (face) {
    case DialogFace::TimesNewRoman:
      return {"Times New Roman", "Liberation Serif", "Nimbus Roman", "DejaVu Serif",
              "WenQuanYi Micro Hei"};
    case DialogFace::MsSansSerif:
      return {"MS Sans Serif", "Liberation Sans", "Nimbus Sans", "DejaVu Sans",
              "WenQuanYi Micro Hei"};
    case DialogFace::System:
      return {"DejaVu Sans", "Liberation Sans", "WenQuanYi Micro Hei"};
    case DialogFace::CourierNew:
      return {"Courier New", "Liberation Mono", "Nimbus Mono PS", "DejaVu Sans Mono",
              "WenQuanYi Micro Hei Mono"};
  }
  return {};
}

}  // namespace

QFont MakeDialogFont(DialogFace face, int pointSize) {
  QFont font;
  font.setFamilies(FamiliesFor(face));
  font.setPointSize(pointSize);
  font.setStyleHint(face == DialogFace::CourierNew      ? QFont::TypeWriter
                    : face == DialogFace::TimesNewRoman ? QFont::Serif
                                                        : QFont::SansSerif);
  return font;
}

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  averageCharWidth_ = (letters / 26 + 1) / 2;
  fontHeight_ = metrics.height();
  if (averageCharWidth_ < 1) {
    averageCharWidth_ = 1;
  }
  if (fontHeight_ < 1) {
    fontHeight_ = 1;
  }
}

int DialogUnits::ToPixelsX(int x) const { return MulDivRounded(x, averageCharWidth_, 4); }

int DialogUnits::ToPixelsY(int y) const { return MulDivRounded(y, fontHeight_, 8); }

QRect DialogUnits::ToPixels(const DialogRect& rect) const {
  // Both edges are converted, so neighbouring controls meet without gaps.
  const int left = ToPixelsX(rect.x);
  const int top = ToPixelsY(rect.y);
  return QRect(left, top, ToPixelsX(rect.x + rect.width) - left,
               ToPixelsY(rect.y + rect.height) - top);
}

QSize DialogUnits::ToPixels(int width, int height) const {
  return QSize(ToPixelsX(width), ToPixelsY(height));
}

void PlaceInDialog(QWidget& widget, const DialogUnits& units, const DialogRect& rect) {
  widget.setGeometry(units.ToPixels(rect));
}

}  // namespace vortane
