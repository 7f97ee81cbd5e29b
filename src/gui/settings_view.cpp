// The settings dialog (layout 131): check boxes, edits and the language
// buttons bound to SettingsDialog.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <map>

#include "cjk/display_text.h"
#include "gui/dialog_units.h"
#include "gui/dialog_views.h"
#include "gui/ui_text_qt.h"
#include "settings/settings_dialog.h"
#include "texts/tri_text.h"

namespace vortane {
namespace {

// Layout 131 in dialog units (font System 10).
constexpr int kLayoutWidth = 166;
constexpr int kLayoutHeight = 126;

class SettingsView final : public QDialog {
 public:
  SettingsView(QWidget* parent, SettingsDialog& logic)
      : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
        logic_(logic),
        autoPaste_(this),
        autoPasteLabel_(this),
        doubleBytes_(this),
        doubleBytesLabel_(this),
        wrapNumber_(this),
        wrapNumberLabel_(this),
        mark_(this),
        markLabel_(this),
        tempDirectory_(this),
        tempDirectoryLabel_(this),
        languageBox_(this),
        gbRadio_(this),
        big5Radio_(this),
        englishRadio_(this),
        ok_(this),
        exit_(this),
        languages_(this) {
    setObjectName(QStringLiteral("settingsDialog"));
    const QFont font = MakeDialogFont(DialogFace::System, 10);
    setFont(font);
    const DialogUnits units(font);
    setFixedSize(units.ToPixels(kLayoutWidth, kLayoutHeight));

    // The group box first, so the buttons it frames draw above it.
    languageBox_.lower();
    PlaceInDialog(languageBox_, units, {2, 74, 94, 48});
    PlaceInDialog(autoPaste_, units, {5, 0, 8, 10});
    PlaceInDialog(autoPasteLabel_, units, {20, 0, 130, 10});
    PlaceInDialog(doubleBytes_, units, {5, 14, 8, 10});
    PlaceInDialog(doubleBytesLabel_, units, {20, 15, 130, 10});
    PlaceInDialog(wrapNumber_, units, {5, 29, 12, 12});
    PlaceInDialog(wrapNumberLabel_, units, {20, 30, 130, 10});
    PlaceInDialog(mark_, units, {5, 45, 10, 10});
    PlaceInDialog(markLabel_, units, {21, 45, 129, 10});
    PlaceInDialog(tempDirectory_, units, {5, 61, 91, 10});
    PlaceInDialog(tempDirectoryLabel_, units, {99, 61, 56, 10});
    PlaceInDialog(gbRadio_, units, {5, 81, 85, 10});
    PlaceInDialog(big5Radio_, units, {5, 96, 85, 10});
    PlaceInDialog(englishRadio_, units, {5, 111, 80, 10});
    PlaceInDialog(ok_, units, {110, 75, 50, 14});
    PlaceInDialog(exit_, units, {110, 95, 50, 14});

    // Small edits: the layout leaves no room for Qt's default text margins.
    for (QLineEdit* edit : {&wrapNumber_, &mark_, &tempDirectory_}) {
      edit->setTextMargins(0, 0, 0, 0);
      edit->setContentsMargins(0, 0, 0, 0);
    }
    mark_.setMaxLength(1);

    // The button index is the language number: 0 GB, 1 English, 2 Big5.
    languages_.setExclusive(true);
    languages_.addButton(&gbRadio_, 0);
    languages_.addButton(&englishRadio_, 1);
    languages_.addButton(&big5Radio_, 2);

    ok_.setText(QStringLiteral("&OK"));
    exit_.setText(QStringLiteral("E&xit"));
    ok_.setDefault(true);
    ok_.setAutoDefault(true);
    exit_.setAutoDefault(false);

    autoPaste_.setObjectName(QStringLiteral("autoPasteBox"));
    doubleBytes_.setObjectName(QStringLiteral("doubleBytesBox"));
    wrapNumber_.setObjectName(QStringLiteral("wrapNumberEdit"));
    mark_.setObjectName(QStringLiteral("markEdit"));
    tempDirectory_.setObjectName(QStringLiteral("tempDirectoryEdit"));
    gbRadio_.setObjectName(QStringLiteral("gbRadio"));
    englishRadio_.setObjectName(QStringLiteral("englishRadio"));
    big5Radio_.setObjectName(QStringLiteral("big5Radio"));
    ok_.setObjectName(QStringLiteral("okButton"));
    exit_.setObjectName(QStringLiteral("exitButton"));

    // Tab order of the layout.
    setTabOrder(&autoPaste_, &doubleBytes_);
    setTabOrder(&doubleBytes_, &wrapNumber_);
    setTabOrder(&wrapNumber_, &mark_);
    setTabOrder(&mark_, &tempDirectory_);
    setTabOrder(&tempDirectory_, &gbRadio_);
    setTabOrder(&gbRadio_, &ok_);
    setTabOrder(&ok_, &exit_);

    controls_ = {{SettingsDialog::kAutoPasteBox, &autoPaste_},
                 {SettingsDialog::kDoubleBytesBox, &doubleBytes_},
                 {SettingsDialog::kWrapNumberEdit, &wrapNumber_},
                 {SettingsDialog::kMarkEdit, &mark_},
                 {SettingsDialog::kTempDirectoryEdit, &tempDirectory_},
                 {SettingsDialog::kGbRadio, &gbRadio_},
                 {SettingsDialog::kEnglishRadio, &englishRadio_},
                 {SettingsDialog::kBig5Radio, &big5Radio_}};

    SetTexts(logic_.OpeningTexts());
    SetValues(logic_.CurrentValues());

    connect(&ok_, &QPushButton::clicked, this, [this] { OnOk(); });
    connect(&exit_, &QPushButton::clicked, this, &QDialog::reject);
  }

 private:
  // The code typed text is kept in: the one the interface reads.
  [[nodiscard]] TextCode TypedCode() const {
    return logic_.settings().interfaceLanguage == Language::Big5 ? TextCode::Big5 : TextCode::Gb;
  }

  void SetTexts(const SettingsDialog::Texts& texts) {
    setWindowTitle(ToQString(texts.caption));
    tempDirectoryLabel_.setText(ToQString(texts.tempDirectoryLabel));
    autoPasteLabel_.setText(ToQString(texts.autoPasteLabel));
    doubleBytesLabel_.setText(ToQString(texts.doubleBytesLabel));
    wrapNumberLabel_.setText(ToQString(texts.wrapNumberLabel));
    markLabel_.setText(ToQString(texts.markLabel));
    gbRadio_.setText(ToQString(texts.gbRadio));
    big5Radio_.setText(ToQString(texts.big5Radio));
    englishRadio_.setText(ToQString(texts.englishRadio));
  }

  void SetValues(const SettingsDialog::ControlValues& values) {
    if (QAbstractButton* button = languages_.button(values.languageIndex)) {
      button->setChecked(true);
    }
    wrapNumber_.setText(QString::fromStdString(values.wordWrapNumber));
    doubleBytes_.setChecked(values.recogniseDoubleBytes);
    autoPaste_.setChecked(values.autoPaste);
    mark_.setText(QString::fromStdU16String(DecodeText(values.markCharacter, TypedCode())));
    tempDirectory_.setText(QFile::decodeName(QByteArray::fromStdString(values.tempDirectory)));
    tempDirectory_.setCursorPosition(0);
  }

  [[nodiscard]] SettingsDialog::ControlValues Values() const {
    SettingsDialog::ControlValues values;
    values.languageIndex = languages_.checkedId();
    values.wordWrapNumber = EncodeText(wrapNumber_.text().toStdU16String(), TypedCode());
    values.recogniseDoubleBytes = doubleBytes_.isChecked();
    values.autoPaste = autoPaste_.isChecked();
    values.markCharacter = EncodeText(mark_.text().toStdU16String(), TypedCode());
    values.tempDirectory = QFile::encodeName(tempDirectory_.text()).toStdString();
    return values;
  }

  void OnOk() {
    const SettingsDialog::OkOutcome outcome = logic_.OnOk(Values());
    if (outcome.closeDialog) {
      accept();
      return;
    }
    const auto found = controls_.find(outcome.focusControl);
    if (found == controls_.end()) {
      return;
    }
    found->second->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(found->second)) {
      edit->selectAll();
    }
  }

  SettingsDialog& logic_;
  QCheckBox autoPaste_;
  QLabel autoPasteLabel_;
  QCheckBox doubleBytes_;
  QLabel doubleBytesLabel_;
  QLineEdit wrapNumber_;
  QLabel wrapNumberLabel_;
  QLineEdit mark_;
  QLabel markLabel_;
  QLineEdit tempDirectory_;
  QLabel tempDirectoryLabel_;
  QGroupBox languageBox_;
  QRadioButton gbRadio_;
  QRadioButton big5Radio_;
  QRadioButton englishRadio_;
  QPushButton ok_;
  QPushButton exit_;
  QButtonGroup languages_;
  std::map<int, QWidget*> controls_;
};

}  // namespace

bool RunSettingsView(QWidget* parent, SettingsDialog& dialog) {
  SettingsView view(parent, dialog);
  return view.exec() == QDialog::Accepted;
}

}  // namespace vortane
