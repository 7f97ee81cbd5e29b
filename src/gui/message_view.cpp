// The message view: an mbox's list of messages, the main header fields, the
// parts with their charsets, the chosen part's text, Read as and Save
// attachment, bound to MessageViewDialog.
#include "mailview/message_view.h"

#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <string>

#include "charsets/label_map.h"
#include "gui/dialog_views.h"
#include "gui/ui_text_qt.h"

namespace vortane {
namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class MessageView final : public QDialog {
 public:
  MessageView(QWidget* parent, MessageViewDialog& logic)
      : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
        logic_(logic),
        captions_(logic.captions()) {
    setObjectName(QStringLiteral("messageView"));
    setWindowTitle(ToQString(captions_.title));
    resize(900, 660);

    listLabel_.setText(ToQString(captions_.messageList));
    list_.setObjectName(QStringLiteral("messageList"));
    list_.setRootIsDecorated(false);
    list_.setHeaderLabels({ToQString(captions_.numberColumn), ToQString(captions_.from),
                           ToQString(captions_.subject), ToQString(captions_.date)});
    for (const MessageListRow& row : logic_.Messages()) {
      auto* item = new QTreeWidgetItem(&list_);  // owned by the list
      item->setText(0, QString::number(row.number));
      item->setText(1, FromUtf8(row.from));
      item->setText(2, FromUtf8(row.subject));
      item->setText(3, FromUtf8(row.date));
    }
    list_.header()->resizeSection(0, 50);
    list_.header()->resizeSection(1, 220);
    list_.header()->resizeSection(2, 380);
    // An mbox shows its list with the chosen message, the first one at first.
    if (logic_.IsMbox() && !logic_.SelectedMessage()) {
      logic_.SelectMessage(0);
    }
    if (const auto chosen = logic_.SelectedMessage()) {
      list_.setCurrentItem(list_.topLevelItem(static_cast<int>(*chosen)));
    }
    connect(&list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
      if (item != nullptr) {
        logic_.SelectMessage(static_cast<std::size_t>(list_.indexOfTopLevelItem(item)));
        ShowMessage();
      }
    });

    fields_.setObjectName(QStringLiteral("messageFields"));
    fieldsLayout_->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);

    parts_.setObjectName(QStringLiteral("partList"));
    parts_.setRootIsDecorated(false);
    parts_.setHeaderLabels({QStringLiteral("#"), ToQString(captions_.typeColumn),
                            ToQString(captions_.declaredColumn), ToQString(captions_.readAsColumn),
                            ToQString(captions_.encodingColumn), ToQString(captions_.sizeColumn),
                            ToQString(captions_.fileNameColumn)});
    parts_.header()->resizeSection(0, 30);
    parts_.header()->resizeSection(1, 170);
    parts_.header()->resizeSection(2, 120);
    parts_.header()->resizeSection(3, 150);
    parts_.header()->resizeSection(4, 130);
    parts_.header()->resizeSection(5, 70);
    connect(&parts_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
      if (item != nullptr && !filling_) {
        logic_.SelectPart(static_cast<std::size_t>(parts_.indexOfTopLevelItem(item)));
        ShowPart();
      }
    });

    readAsLabel_.setText(ToQString(captions_.readAs));
    readAsLabel_.setBuddy(&readAs_);
    readAs_.setObjectName(QStringLiteral("readAsChoice"));
    readAs_.addItem(ToQString(captions_.asDeclared));
    for (const Charset charset : MessageViewDialog::ReadAsChoices()) {
      const std::string_view name = CharsetName(charset);
      readAs_.addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
                      static_cast<int>(charset));
    }
    connect(&readAs_, &QComboBox::activated, this, [this](int index) {
      const QVariant data = readAs_.itemData(index);
      logic_.ReadChosenPartAs(data.isValid() ? std::optional(static_cast<Charset>(data.toInt()))
                                             : std::nullopt);
      FillParts();
    });
    save_.setObjectName(QStringLiteral("saveAttachment"));
    save_.setText(ToQString(captions_.saveAttachment));
    connect(&save_, &QPushButton::clicked, this, [this] { (void)logic_.OnSaveAttachment(); });
    close_.setObjectName(QStringLiteral("closeView"));
    close_.setText(ToQString(captions_.close));
    connect(&close_, &QPushButton::clicked, this, &QDialog::accept);

    text_.setObjectName(QStringLiteral("partText"));
    text_.setReadOnly(true);

    auto* controls = new QHBoxLayout;  // owned by the outer layout
    controls->addWidget(&readAsLabel_);
    controls->addWidget(&readAs_);
    controls->addWidget(&save_);
    controls->addStretch(1);
    controls->addWidget(&close_);

    auto* top = new QWidget;  // owned by the splitter
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(&listLabel_);
    topLayout->addWidget(&list_, 2);
    topLayout->addWidget(&fields_);
    topLayout->addWidget(&parts_, 1);
    topLayout->addLayout(controls);
    splitter_.setOrientation(Qt::Vertical);
    splitter_.addWidget(top);
    splitter_.addWidget(&text_);
    splitter_.setStretchFactor(1, 2);
    // The list, fields and parts above; the text gets the rest.
    splitter_.setSizes(logic_.IsMbox() ? QList<int>{380, 280} : QList<int>{250, 410});

    auto* outer = new QVBoxLayout(this);  // owned by the dialog
    outer->addWidget(&splitter_);

    const bool mbox = logic_.IsMbox();
    listLabel_.setVisible(mbox);
    list_.setVisible(mbox);
    if (mbox) {
      list_.setFocus();
    }
    ShowMessage();
  }

 private:
  void ShowMessage() {
    while (fieldsLayout_->rowCount() > 0) {
      fieldsLayout_->removeRow(0);
    }
    int n = 0;
    for (const MessageFieldRow& row : logic_.Fields()) {
      auto* value = new QLabel(FromUtf8(row.value));  // owned by the form
      value->setObjectName(QStringLiteral("field%1").arg(n++));
      value->setTextFormat(Qt::PlainText);
      value->setTextInteractionFlags(Qt::TextSelectableByMouse);
      value->setToolTip(value->text());
      fieldsLayout_->addRow(ToQString(row.caption) + QLatin1Char(':'), value);
    }
    FillParts();
  }

  void FillParts() {
    filling_ = true;
    parts_.clear();
    const auto rows = logic_.Parts();
    for (const PartRow& row : rows) {
      auto* item = new QTreeWidgetItem(&parts_);  // owned by the list
      const QString none = QStringLiteral("-");
      const auto orNone = [&none](const std::string& text) {
        return text.empty() ? none : FromUtf8(text);
      };
      QString charset = orNone(row.charset);
      if (row.guessed && !row.charset.empty()) {
        charset += QStringLiteral(" *");
      }
      if (row.overridden) {
        charset = QStringLiteral("[%1]").arg(charset);
      }
      item->setText(0, QString::number(row.index));
      item->setText(1, FromUtf8(row.contentType));
      item->setText(2, orNone(row.declaredCharset));
      item->setText(3, charset);
      item->setText(4, orNone(row.transferEncoding));
      item->setText(5, QString::number(row.size));
      item->setText(6, FromUtf8(row.fileName));
    }
    if (const auto chosen = logic_.SelectedPart()) {
      parts_.setCurrentItem(parts_.topLevelItem(static_cast<int>(*chosen)));
    }
    filling_ = false;
    ShowPart();
  }

  void ShowPart() {
    text_.setPlainText(FromUtf8(logic_.ShownText()));
    const auto chosen = logic_.SelectedPart();
    save_.setEnabled(chosen.has_value());
    readAs_.setEnabled(chosen.has_value());
    const auto override = logic_.ChosenPartOverride();
    readAs_.setCurrentIndex(override ? readAs_.findData(static_cast<int>(*override)) : 0);
  }

  MessageViewDialog& logic_;
  MessageViewDialog::Captions captions_;
  QSplitter splitter_;
  QLabel listLabel_;
  QTreeWidget list_;
  QWidget fields_;
  QFormLayout* fieldsLayout_ = new QFormLayout(&fields_);  // owned by fields_
  QTreeWidget parts_;
  QLabel readAsLabel_;
  QComboBox readAs_;
  QPushButton save_;
  QPushButton close_;
  QPlainTextEdit text_;
  bool filling_ = false;
};

}  // namespace

void RunMessageViewWindow(QWidget* parent, MessageViewDialog& dialog) {
  MessageView view(parent, dialog);
  view.exec();
}

}  // namespace vortane
