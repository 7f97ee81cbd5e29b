// The about dialog: opens small with the version and a short text, grows to
// its full size to show an introduction page, and opens the homepages from
// the banners. The click areas are buttons that draw nothing over pictures.
#include <QDialog>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPoint>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

#include "gui/dialog_units.h"
#include "gui/dialog_views.h"
#include "gui/ui_text_qt.h"
#include "help/about_dialog.h"

namespace vortane {
namespace {

// The layout in dialog units (font MS Sans Serif 8), at full size.
constexpr int kLayoutWidth = 287;
constexpr int kLayoutHeight = 217;

// The English page's face: Courier New, a 14-pixel cell (12-pixel characters).
constexpr int kPageFontPixels = 12;

// A page text with its CR LF line ends as Qt lines.
QString PageLines(const UiText& text) {
  return ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A flat push button that never draws itself: the picture beneath it shows
// through, and it takes clicks like any button.
class ClickArea final : public QPushButton {
 public:
  explicit ClickArea(QWidget* parent) : QPushButton(parent) {
    setFlat(true);
    setAutoDefault(false);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void paintEvent(QPaintEvent*) override {}
};

// A picture stretched over its layout rectangle, so the click areas laid out
// in the same units lie over the parts of the picture they stand for.
void ShowPicture(QLabel& label, const char* resource) {
  const QPixmap picture(QString::fromLatin1(resource));
  label.setScaledContents(true);
  if (!picture.isNull()) {
    label.setPixmap(picture);
  }
}

class AboutView final : public QDialog {
 public:
  AboutView(QWidget* parent, AboutDialog& logic)
      : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                            Qt::WindowStaysOnTopHint),
        logic_(logic) {
    setObjectName(QStringLiteral("aboutDialog"));
    const QFont font = MakeDialogFont(DialogFace::MsSansSerif, 8);
    setFont(font);
    const DialogUnits units(font);
    fullSize_ = units.ToPixels(kLayoutWidth, kLayoutHeight);

    PlaceInDialog(ok_, units, {221, 10, 25, 15});
    PlaceInDialog(iconPicture_, units, {5, 6, 32, 30});
    PlaceInDialog(blueArea_, units, {15, 7, 21, 21});
    PlaceInDialog(greenArea_, units, {5, 6, 9, 23});
    PlaceInDialog(redArea_, units, {5, 29, 32, 8});
    PlaceInDialog(version_, units, {48, 6, 170, 30});
    PlaceInDialog(shortText_, units, {15, 44, 225, 30});
    PlaceInDialog(page_, units, {1, 0, 284, 162});
    PlaceInDialog(gbBanner_, units, {47, 164, 220, 15});
    PlaceInDialog(big5Banner_, units, {43, 180, 239, 13});
    PlaceInDialog(englishBanner_, units, {50, 196, 220, 15});
    PlaceInDialog(gbHomepage_, units, {43, 163, 235, 16});
    PlaceInDialog(big5Homepage_, units, {44, 180, 235, 15});
    PlaceInDialog(englishHomepage_, units, {43, 196, 235, 15});
    PlaceInDialog(globe_, units, {4, 168, 37, 35});

    ShowPicture(iconPicture_, ":/res/bitmap142.png");
    ShowPicture(gbBanner_, ":/res/bitmap139.png");
    ShowPicture(big5Banner_, ":/res/bitmap145.png");
    ShowPicture(englishBanner_, ":/res/bitmap138.png");
    ShowPicture(globe_, ":/res/bitmap147.png");
    // The click areas lie above the pictures.
    for (ClickArea* area :
         {&blueArea_, &greenArea_, &redArea_, &gbHomepage_, &big5Homepage_, &englishHomepage_}) {
      area->raise();
    }
    gbHomepage_.setText(QStringLiteral("HOMEPAGE"));
    big5Homepage_.setText(QStringLiteral("HOMEPAGEBIG5"));
    englishHomepage_.setText(QStringLiteral("HOMEPAGEE"));

    // Read-only edits on the dialog's face, as a static text would be.
    version_.setReadOnly(true);
    version_.setFrameStyle(QFrame::NoFrame);
    version_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    shortText_.setReadOnly(true);
    shortText_.setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    shortText_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (QWidget* edit : {static_cast<QWidget*>(&version_), static_cast<QWidget*>(&shortText_)}) {
      QPalette palette = edit->palette();
      palette.setColor(QPalette::Base, palette.color(QPalette::Window));
      edit->setPalette(palette);
    }
    page_.setLineWrapMode(QPlainTextEdit::NoWrap);
    page_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    ok_.setText(QStringLiteral("OK"));
    ok_.setDefault(true);
    connect(&ok_, &QPushButton::clicked, this, &QDialog::accept);

    ok_.setObjectName(QStringLiteral("okButton"));
    blueArea_.setObjectName(QStringLiteral("aboutBlueArea"));
    greenArea_.setObjectName(QStringLiteral("aboutGreenArea"));
    redArea_.setObjectName(QStringLiteral("aboutRedArea"));
    gbHomepage_.setObjectName(QStringLiteral("homepageGbButton"));
    big5Homepage_.setObjectName(QStringLiteral("homepageBig5Button"));
    englishHomepage_.setObjectName(QStringLiteral("homepageEnglishButton"));
    version_.setObjectName(QStringLiteral("versionText"));
    shortText_.setObjectName(QStringLiteral("shortText"));
    page_.setObjectName(QStringLiteral("pageText"));

    connect(&blueArea_, &QPushButton::clicked, this, [this] { ShowPage(AboutPage::Gb); });
    connect(&greenArea_, &QPushButton::clicked, this, [this] { ShowPage(AboutPage::Big5); });
    connect(&redArea_, &QPushButton::clicked, this, [this] { ShowPage(AboutPage::English); });
    connect(&gbHomepage_, &QPushButton::clicked, this,
            [this] { logic_.OnHomepage(AboutPage::Gb); });
    connect(&big5Homepage_, &QPushButton::clicked, this,
            [this] { logic_.OnHomepage(AboutPage::Big5); });
    connect(&englishHomepage_, &QPushButton::clicked, this,
            [this] { logic_.OnHomepage(AboutPage::English); });

    version_.setPlainText(PageLines(logic_.versionText()));
    shortText_.setPlainText(PageLines(logic_.shortText()));
    // The short text is centred line by line.
    QTextCursor all(shortText_.document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);

    // Centred on the screen at full size, then shrunk keeping the top-left.
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
      move(screen->availableGeometry().center() - QRect(QPoint(0, 0), fullSize_).center());
    }
    Render();
  }

 private:
  void ShowPage(AboutPage page) {
    logic_.OnPageArea(page);
    Render();
    page_.setFocus(Qt::OtherFocusReason);
  }

  // Shows the logic's state: size, visible controls, page, font and title.
  void Render() {
    if (logic_.full()) {
      setFixedSize(fullSize_);
    } else {
      const AboutDialog::Size small =
          AboutDialog::SmallSize({fullSize_.width(), fullSize_.height()});
      setFixedSize(small.width, small.height);
    }
    const AboutDialog::Visibility visible = logic_.visibility();
    version_.setVisible(visible.versionText);
    ok_.setVisible(visible.okButton);
    shortText_.setVisible(visible.shortText);
    for (ClickArea* area : {&blueArea_, &greenArea_, &redArea_}) {
      area->setVisible(visible.iconAreas);
    }
    page_.setVisible(visible.page);
    if (logic_.courierFont() && !courierSet_) {
      QFont courier = MakeDialogFont(DialogFace::CourierNew, 10);
      courier.setPixelSize(kPageFontPixels);
      courier.setWeight(QFont::Normal);
      page_.setFont(courier);
      courierSet_ = true;
    }
    const QString text = PageLines(logic_.pageText());
    if (page_.toPlainText() != text) {
      page_.setPlainText(text);
    }
    setWindowTitle(ToQString(logic_.title()));
  }

  AboutDialog& logic_;
  QSize fullSize_;
  bool courierSet_ = false;
  QPushButton ok_{this};
  QLabel iconPicture_{this};
  QLabel gbBanner_{this};
  QLabel big5Banner_{this};
  QLabel englishBanner_{this};
  QLabel globe_{this};
  QPlainTextEdit version_{this};
  QTextEdit shortText_{this};
  QPlainTextEdit page_{this};
  ClickArea blueArea_{this};
  ClickArea greenArea_{this};
  ClickArea redArea_{this};
  ClickArea gbHomepage_{this};
  ClickArea big5Homepage_{this};
  ClickArea englishHomepage_{this};
};

}  // namespace

void RunAboutView(QWidget* parent, AboutDialog& dialog) {
  AboutView view(parent, dialog);
  view.exec();
}

}  // namespace vortane
