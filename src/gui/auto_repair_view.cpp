// The Automatic dialog: the ranked readings, the chain of each in words, and
// a preview of the one chosen, bound to AutoRepairDialog.
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_views.h"
#include "gui/ui_text_qt.h"
#include "repair/auto_repair_dialog.h"

namespace vortane {
namespace {

class AutoRepairView final : public QDialog {
 public:
  AutoRepairView(QWidget* parent, AutoRepairDialog& logic) : QDialog(parent), logic_(logic) {
    setObjectName(QStringLiteral("autoRepairDialog"));
    setWindowTitle(ToQString(logic_.title()));
    readings_.setObjectName(QStringLiteral("readingsList"));
    preview_.setObjectName(QStringLiteral("previewText"));
    preview_.setReadOnly(true);
    // Enter belongs to the list and the OK button: the preview takes the
    // focus only when clicked.
    preview_.setFocusPolicy(Qt::ClickFocus);
    readingsLabel_.setText(ToQString(logic_.readingsLabel()));
    readingsLabel_.setBuddy(&readings_);
    previewLabel_.setText(ToQString(logic_.previewLabel()));
    for (std::size_t i = 0; i < logic_.count(); ++i) {
      readings_.addItem(ToQString(logic_.chain(i)));
    }
    buttons_.setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* ok = buttons_.button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    buttons_.button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));

    auto* layout = new QVBoxLayout(this);  // owned by the dialog
    layout->addWidget(&readingsLabel_);
    layout->addWidget(&readings_, 1);
    layout->addWidget(&previewLabel_);
    layout->addWidget(&preview_, 3);
    layout->addWidget(&buttons_);
    resize(560, 420);

    connect(&readings_, &QListWidget::currentRowChanged, this, [this](int row) {
      if (row >= 0) {
        logic_.Select(static_cast<std::size_t>(row));
        preview_.setPlainText(Utf8ToQString(logic_.preview(logic_.selected())));
      }
    });
    connect(&readings_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(&buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(&buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    readings_.setCurrentRow(static_cast<int>(logic_.selected()));
    readings_.setFocus();
  }

 private:
  AutoRepairDialog& logic_;
  QLabel readingsLabel_;
  QListWidget readings_;
  QLabel previewLabel_;
  QPlainTextEdit preview_;
  QDialogButtonBox buttons_;
};

}  // namespace

bool RunAutoRepairView(QWidget* parent, AutoRepairDialog& dialog) {
  AutoRepairView view(parent, dialog);
  return view.exec() == QDialog::Accepted;
}

}  // namespace vortane
