// The help dialog: a page title, a page body and a row of tab buttons along
// the bottom, bound to HelpDialog.
#include <QButtonGroup>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QString>
#include <array>

#include "gui/dialog_units.h"
#include "gui/dialog_views.h"
#include "gui/ui_text_qt.h"
#include "help/help_dialog.h"

namespace vortane {
namespace {

// The layout in dialog units (font System 10).
constexpr int kLayoutWidth = 259;
constexpr int kLayoutHeight = 166;
constexpr DialogRect kTabRow{0, 151, 223, 15};

constexpr const char* kIconResource = ":/res/icon128_32.png";

// A page text with its CR LF line ends as Qt lines.
QString PageLines(const UiText& text) {
  return ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

class HelpView final : public QDialog {
 public:
  HelpView(QWidget* parent, HelpDialog& logic)
      : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
        logic_(logic) {
    setObjectName(QStringLiteral("helpDialog"));
    const QFont font = MakeDialogFont(DialogFace::System, 10);
    setFont(font);
    const DialogUnits units(font);
    setFixedSize(units.ToPixels(kLayoutWidth, kLayoutHeight));

    PlaceInDialog(icon_, units, {12, 0, 18, 20});
    PlaceInDialog(pageTitle_, units, {73, 5, 107, 10});
    PlaceInDialog(pageText_, units, {8, 19, 249, 129});
    PlaceInDialog(tabRow_, units, kTabRow);
    PlaceInDialog(close_, units, {227, 150, 30, 13});

    const QPixmap icon(QString::fromLatin1(kIconResource));
    if (!icon.isNull()) {
      icon_.setPixmap(icon.scaled(icon_.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    icon_.setAlignment(Qt::AlignCenter);
    pageTitle_.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pageTitle_.setAlignment(Qt::AlignCenter);
    pageTitle_.setTextFormat(Qt::PlainText);
    // Longer text than the body holds is cut off at the bottom, as there is
    // no scroll bar.
    pageText_.setWordWrap(true);
    pageText_.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pageText_.setTextFormat(Qt::PlainText);
    tabRow_.setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    close_.setText(ToQString(HelpDialog::closeCaption()));
    close_.setDefault(true);
    close_.setObjectName(QStringLiteral("closeButton"));
    pageTitle_.setObjectName(QStringLiteral("pageTitle"));
    pageText_.setObjectName(QStringLiteral("pageText"));
    connect(&close_, &QPushButton::clicked, this, &QDialog::reject);

    setWindowTitle(ToQString(logic_.title()));
    LayOutTabs();
    Render();
  }

 private:
  // The tab buttons, each as wide as its label, side by side in the row;
  // narrowed alike when they do not fit.
  void LayOutTabs() {
    const QFontMetrics metrics(font());
    const int frame = tabRow_.frameWidth();
    const int rowWidth = tabRow_.width() - 2 * frame;
    const int rowHeight = tabRow_.height() - 2 * frame;
    std::array<int, HelpDialog::pageCount()> widths{};
    int total = 0;
    for (int i = 0; i < HelpDialog::pageCount(); ++i) {
      QPushButton& tab = tabs_[static_cast<std::size_t>(i)];
      tab.setParent(&tabRow_);
      tab.setText(ToQString(logic_.tabLabel(i)));
      tab.setCheckable(true);
      tab.setAutoDefault(false);
      // Only a click changes the page.
      tab.setFocusPolicy(Qt::NoFocus);
      tab.setObjectName(QStringLiteral("helpTab%1").arg(i));
      group_.addButton(&tab, i);
      widths[static_cast<std::size_t>(i)] = metrics.horizontalAdvance(tab.text()) + 12;
      total += widths[static_cast<std::size_t>(i)];
    }
    int x = frame;
    for (int i = 0; i < HelpDialog::pageCount(); ++i) {
      int width = widths[static_cast<std::size_t>(i)];
      if (total > rowWidth) {
        width = width * rowWidth / total;
      }
      tabs_[static_cast<std::size_t>(i)].setGeometry(x, frame, width, rowHeight);
      x += width;
    }
    group_.setExclusive(true);
    connect(&group_, &QButtonGroup::idClicked, this, [this](int index) {
      logic_.OnTab(index);
      Render();
    });
  }

  void Render() {
    pageTitle_.setText(ToQString(logic_.pageTitle()));
    pageText_.setText(PageLines(logic_.pageText()));
    if (QAbstractButton* tab = group_.button(logic_.currentPage())) {
      tab->setChecked(true);
    }
  }

  HelpDialog& logic_;
  QLabel icon_{this};
  QLabel pageTitle_{this};
  QLabel pageText_{this};
  QFrame tabRow_{this};
  std::array<QPushButton, HelpDialog::pageCount()> tabs_;
  QPushButton close_{this};
  QButtonGroup group_{this};
};

}  // namespace

void RunHelpView(QWidget* parent, HelpDialog& dialog) {
  HelpView view(parent, dialog);
  view.exec();
}

}  // namespace vortane
