// The Chinese code converter dialog: radio pairs, path edits, blank mode
// radios and the two code lists bound to CodeConverterDialog. The dialog
// stays above other windows.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <array>
#include <iterator>

#include "converter/code_converter_dialog.h"
#include "converter/convert_route.h"
#include "gui/dialog_units.h"
#include "gui/dialog_views.h"
#include "gui/ui_text_qt.h"

namespace vortane {
namespace {

QString ListName(const ConverterCodeEntry& entry) {
  return QString::fromLatin1(entry.name.data(), static_cast<qsizetype>(entry.name.size()));
}

// The row of `code` in a code list; -1 when the list lacks it.
template <std::size_t N>
int RowOf(const std::array<ConverterCodeEntry, N>& list, const ConvertCode& code) {
  for (std::size_t i = 0; i < N; ++i) {
    if (list[i].code == code) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

// The layout in dialog units (font System 10).
constexpr int kLayoutWidth = 269;
constexpr int kLayoutHeight = 163;

// `text` broken into lines no wider than `width` pixels: at blanks, or
// between any two characters of a word that is too long alone (Chinese text
// has no blanks). A multi-line radio button shows its caption this way.
QString WrapToWidth(const QString& text, const QFontMetrics& metrics, int width) {
  QStringList lines;
  QString line;
  const auto fits = [&](const QString& s) { return metrics.horizontalAdvance(s) <= width; };
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
    if (fits(joined)) {
      line = joined;
      continue;
    }
    if (!line.isEmpty()) {
      lines << line;
    }
    line.clear();
    for (const QChar c : word) {
      if (!line.isEmpty() && !fits(line + c)) {
        lines << line;
        line.clear();
      }
      line += c;
    }
  }
  if (!line.isEmpty()) {
    lines << line;
  }
  return lines.join(QLatin1Char('\n'));
}

class CodeConverterView final : public QDialog {
 public:
  CodeConverterView(QWidget* parent, CodeConverterDialog& logic)
      : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                            Qt::WindowStaysOnTopHint),
        logic_(logic) {
    setObjectName(QStringLiteral("codeConverterDialog"));
    const QFont font = MakeDialogFont(DialogFace::System, 10);
    setFont(font);
    const DialogUnits units(font);
    setFixedSize(units.ToPixels(kLayoutWidth, kLayoutHeight));

    // Group boxes first and lowered, so the controls they frame draw above.
    // Their frame line runs through the middle of the title, as the layout
    // expects: the controls start just below the title.
    for (QGroupBox* box : {&sourceGroup_, &resultGroup_, &methodGroup_}) {
      box->lower();
      box->setStyleSheet(QStringLiteral(
          "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.6em; }"
          "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
    }
    PlaceInDialog(sourceGroup_, units, {5, 0, 260, 25});
    PlaceInDialog(sourceClipboard_, units, {10, 10, 50, 10});
    PlaceInDialog(sourceFile_, units, {65, 10, 35, 10});
    PlaceInDialog(sourcePath_, units, {105, 8, 116, 14});
    PlaceInDialog(sourceBrowse_, units, {226, 8, 34, 13});
    PlaceInDialog(resultGroup_, units, {5, 30, 260, 25});
    PlaceInDialog(resultClipboard_, units, {10, 40, 50, 10});
    PlaceInDialog(resultFile_, units, {65, 40, 35, 10});
    PlaceInDialog(targetPath_, units, {105, 38, 117, 14});
    PlaceInDialog(targetBrowse_, units, {227, 38, 33, 14});
    PlaceInDialog(methodGroup_, units, {5, 60, 260, 80});
    PlaceInDialog(blankLabel_, units, {10, 75, 35, 23});
    PlaceInDialog(addBlank_, units, {50, 70, 75, 25});
    PlaceInDialog(removeBlank_, units, {130, 70, 90, 25});
    PlaceInDialog(keepStill_, units, {225, 70, 35, 25});
    PlaceInDialog(codeLabel_, units, {10, 110, 35, 20});
    PlaceInDialog(sourceCodeLabel_, units, {55, 95, 80, 10});
    PlaceInDialog(sourceCodes_, units, {55, 105, 75, 28});
    PlaceInDialog(resultCodeLabel_, units, {140, 95, 75, 10});
    PlaceInDialog(resultCodes_, units, {140, 105, 75, 28});
    PlaceInDialog(convert_, units, {225, 100, 36, 14});
    PlaceInDialog(exit_, units, {225, 115, 36, 14});
    // Conversion by phrases: a row below the method group.
    PlaceInDialog(byPhrases_, units, {10, 146, 120, 12});
    PlaceInDialog(phraseRegion_, units, {140, 145, 120, 14});

    // The layout's boxes are small: no room for Qt's default margins.
    for (QLineEdit* edit : {&sourcePath_, &targetPath_}) {
      edit->setTextMargins(0, 0, 0, 0);
      edit->setContentsMargins(0, 0, 0, 0);
    }
    for (QLabel* label : {&blankLabel_, &codeLabel_}) {
      label->setWordWrap(true);
    }
    blankLabel_.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    codeLabel_.setAlignment(Qt::AlignCenter);
    sourceCodeLabel_.setAlignment(Qt::AlignCenter);
    resultCodeLabel_.setAlignment(Qt::AlignCenter);
    for (QListWidget* list : {&sourceCodes_, &resultCodes_}) {
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    for (const ConverterCodeEntry& entry : kConverterSourceCodes) {
      sourceCodes_.addItem(ListName(entry));
    }
    for (const ConverterCodeEntry& entry : kConverterResultCodes) {
      resultCodes_.addItem(ListName(entry));
    }

    // The button ids are the values of TextLocation and BlankMode.
    sourceChoice_.addButton(&sourceClipboard_, static_cast<int>(TextLocation::Clipboard));
    sourceChoice_.addButton(&sourceFile_, static_cast<int>(TextLocation::File));
    resultChoice_.addButton(&resultClipboard_, static_cast<int>(TextLocation::Clipboard));
    resultChoice_.addButton(&resultFile_, static_cast<int>(TextLocation::File));
    blankMode_.addButton(&addBlank_, static_cast<int>(BlankMode::AddBlank));
    blankMode_.addButton(&removeBlank_, static_cast<int>(BlankMode::RemoveBlank));
    blankMode_.addButton(&keepStill_, static_cast<int>(BlankMode::KeepStill));

    for (int i = 0; i < 3; ++i) {
      phraseRegion_.addItem(QString());
    }

    convert_.setDefault(true);
    convert_.setAutoDefault(true);
    for (QPushButton* button : {&sourceBrowse_, &targetBrowse_, &exit_}) {
      button->setAutoDefault(false);
    }

    sourceClipboard_.setObjectName(QStringLiteral("sourceClipboardRadio"));
    sourceFile_.setObjectName(QStringLiteral("sourceFileRadio"));
    sourcePath_.setObjectName(QStringLiteral("sourcePathEdit"));
    sourceBrowse_.setObjectName(QStringLiteral("sourceBrowseButton"));
    resultClipboard_.setObjectName(QStringLiteral("resultClipboardRadio"));
    resultFile_.setObjectName(QStringLiteral("resultFileRadio"));
    targetPath_.setObjectName(QStringLiteral("targetPathEdit"));
    targetBrowse_.setObjectName(QStringLiteral("targetBrowseButton"));
    addBlank_.setObjectName(QStringLiteral("addBlankRadio"));
    removeBlank_.setObjectName(QStringLiteral("removeBlankRadio"));
    keepStill_.setObjectName(QStringLiteral("keepStillRadio"));
    sourceCodes_.setObjectName(QStringLiteral("sourceCodeList"));
    resultCodes_.setObjectName(QStringLiteral("resultCodeList"));
    convert_.setObjectName(QStringLiteral("convertButton"));
    exit_.setObjectName(QStringLiteral("exitButton"));
    byPhrases_.setObjectName(QStringLiteral("byPhrasesCheck"));
    phraseRegion_.setObjectName(QStringLiteral("phraseRegionChoice"));

    // Tab order of the layout.
    QWidget* order[] = {&sourceClipboard_, &sourceFile_,  &sourcePath_, &sourceBrowse_,
                        &resultClipboard_, &resultFile_,  &targetPath_, &targetBrowse_,
                        &addBlank_,        &removeBlank_, &keepStill_,  &sourceCodes_,
                        &resultCodes_,     &convert_,     &exit_,       &byPhrases_,
                        &phraseRegion_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
      setTabOrder(order[i], order[i + 1]);
    }

    SetCaptions(logic_.captions());
    Render();

    connect(&sourceBrowse_, &QPushButton::clicked, this,
            [this] { Run(&CodeConverterDialog::OnSourceBrowse); });
    connect(&targetBrowse_, &QPushButton::clicked, this,
            [this] { Run(&CodeConverterDialog::OnTargetBrowse); });
    connect(&convert_, &QPushButton::clicked, this,
            [this] { Run(&CodeConverterDialog::OnConvert); });
    connect(&exit_, &QPushButton::clicked, this, &QDialog::reject);
    // The option applies to some pairs of codes only.
    for (QListWidget* list : {&sourceCodes_, &resultCodes_}) {
      connect(list, &QListWidget::currentRowChanged, this, [this] { EnablePhrases(); });
    }
    connect(&byPhrases_, &QCheckBox::toggled, this, [this] { EnablePhrases(); });
  }

 private:
  void SetCaptions(const CodeConverterDialog::Captions& c) {
    setWindowTitle(ToQString(c.title));
    sourceBrowse_.setText(ToQString(c.browse));
    targetBrowse_.setText(ToQString(c.browse));
    convert_.setText(ToQString(c.convert));
    exit_.setText(ToQString(c.exit));
    methodGroup_.setTitle(ToQString(c.convertMethod));
    sourceGroup_.setTitle(ToQString(c.sourceText));
    resultGroup_.setTitle(ToQString(c.targetText));
    blankLabel_.setText(ToQString(c.blankDealing));
    sourceClipboard_.setText(ToQString(c.clipboard));
    resultClipboard_.setText(ToQString(c.clipboard));
    sourceFile_.setText(ToQString(c.file));
    resultFile_.setText(ToQString(c.file));
    codeLabel_.setText(ToQString(c.codeSelect));
    sourceCodeLabel_.setText(ToQString(c.sourceTextCode));
    resultCodeLabel_.setText(ToQString(c.targetTextCode));
    // Multi-line radio buttons: the caption wraps beside the indicator.
    const QFontMetrics metrics(font());
    const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, this) +
                          style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, this);
    const auto wrapped = [&](const UiText& text, const QRadioButton& button) {
      return WrapToWidth(ToQString(text), metrics, button.width() - indicator - 2);
    };
    addBlank_.setText(wrapped(c.addBlank, addBlank_));
    removeBlank_.setText(wrapped(c.removeBlank, removeBlank_));
    keepStill_.setText(wrapped(c.keepStill, keepStill_));
    byPhrases_.setText(ToQString(c.byPhrases));
    for (int i = 0; i < 3; ++i) {
      phraseRegion_.setItemText(i, ToQString(c.regions[static_cast<std::size_t>(i)]));
    }
    phraseRegion_.setToolTip(ToQString(c.regionTip));
  }

  // The option follows the chosen codes, the region list the option.
  void EnablePhrases() {
    if (rendering_) {
      return;  // Render calls it once all controls show the state
    }
    Transfer();
    const bool apply = logic_.PhrasesApply();
    byPhrases_.setEnabled(apply);
    phraseRegion_.setEnabled(apply && byPhrases_.isChecked());
  }

  // Shows the logic's state in the controls.
  void Render() {
    rendering_ = true;
    const CodeConverterDialog::State& s = logic_.state();
    Check(sourceChoice_, static_cast<int>(s.sourceChoice));
    Check(resultChoice_, static_cast<int>(s.resultChoice));
    Check(blankMode_, static_cast<int>(s.blankMode));
    sourcePath_.setText(QFile::decodeName(QByteArray::fromStdString(s.sourcePath)));
    targetPath_.setText(QFile::decodeName(QByteArray::fromStdString(s.targetPath)));
    sourceCodes_.setCurrentRow(RowOf(kConverterSourceCodes, s.sourceCode));
    resultCodes_.setCurrentRow(RowOf(kConverterResultCodes, s.resultCode));
    byPhrases_.setChecked(s.byPhrases);
    phraseRegion_.setCurrentIndex(static_cast<int>(s.phraseRegion));
    rendering_ = false;
    EnablePhrases();
  }

  static void Check(QButtonGroup& group, int id) {
    if (QAbstractButton* button = group.button(id)) {
      button->setChecked(true);
    }
  }

  // Takes the controls' values into the logic's state.
  void Transfer() {
    CodeConverterDialog::State& s = logic_.state();
    if (sourceChoice_.checkedId() >= 0) {
      s.sourceChoice = static_cast<TextLocation>(sourceChoice_.checkedId());
    }
    if (resultChoice_.checkedId() >= 0) {
      s.resultChoice = static_cast<TextLocation>(resultChoice_.checkedId());
    }
    if (blankMode_.checkedId() >= 0) {
      s.blankMode = static_cast<BlankMode>(blankMode_.checkedId());
    }
    s.sourcePath = QFile::encodeName(sourcePath_.text()).toStdString();
    s.targetPath = QFile::encodeName(targetPath_.text()).toStdString();
    if (const int row = sourceCodes_.currentRow();
        row >= 0 && row < static_cast<int>(kConverterSourceCodes.size())) {
      s.sourceCode = kConverterSourceCodes[static_cast<std::size_t>(row)].code;
    }
    if (const int row = resultCodes_.currentRow();
        row >= 0 && row < static_cast<int>(kConverterResultCodes.size())) {
      s.resultCode = kConverterResultCodes[static_cast<std::size_t>(row)].code;
    }
    s.byPhrases = byPhrases_.isChecked();
    if (phraseRegion_.currentIndex() >= 0) {
      s.phraseRegion = static_cast<PhraseRegion>(phraseRegion_.currentIndex());
    }
  }

  void Run(void (CodeConverterDialog::*handler)()) {
    Transfer();
    (logic_.*handler)();
    Render();
  }

  CodeConverterDialog& logic_;
  QGroupBox sourceGroup_{this};
  QRadioButton sourceClipboard_{this};
  QRadioButton sourceFile_{this};
  QLineEdit sourcePath_{this};
  QPushButton sourceBrowse_{this};
  QGroupBox resultGroup_{this};
  QRadioButton resultClipboard_{this};
  QRadioButton resultFile_{this};
  QLineEdit targetPath_{this};
  QPushButton targetBrowse_{this};
  QGroupBox methodGroup_{this};
  QLabel blankLabel_{this};
  QRadioButton addBlank_{this};
  QRadioButton removeBlank_{this};
  QRadioButton keepStill_{this};
  QLabel codeLabel_{this};
  QLabel sourceCodeLabel_{this};
  QListWidget sourceCodes_{this};
  QLabel resultCodeLabel_{this};
  QListWidget resultCodes_{this};
  QPushButton convert_{this};
  QPushButton exit_{this};
  QCheckBox byPhrases_{this};
  QComboBox phraseRegion_{this};
  bool rendering_ = false;  // Render is moving the controls
  QButtonGroup sourceChoice_{this};
  QButtonGroup resultChoice_{this};
  QButtonGroup blankMode_{this};
};

}  // namespace

void RunCodeConverterView(QWidget* parent, CodeConverterDialog& dialog) {
  CodeConverterView view(parent, dialog);
  view.exec();
}

}  // namespace vortane
