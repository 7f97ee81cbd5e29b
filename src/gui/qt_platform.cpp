#include "gui/qt_platform.h"

#include <QApplication>
#include <QByteArray>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QScreen>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <functional>
#include <string>

#include "cjk/display_text.h"
#include "framecodes/frame_clipboard.h"
#include "gui/byte_frame.h"
#include "gui/ui_text_qt.h"

namespace vortane {
namespace {

QString ApplicationName() { return QCoreApplication::applicationName(); }

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

constexpr int kProgressSteps = 1000;

// The clipboard's bytes: the raw bytes under `rawType` when a frame put them
// there, else its Unicode text turned into bytes by `fromText`.
ClipboardText ReadClipboardBytes(
    const QString& rawType, const std::function<std::string(const std::u16string&)>& fromText) {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
  if (data == nullptr) {
    return ClipboardText{ClipboardStatus::CannotOpen, {}};
  }
  if (data->hasFormat(rawType)) {
    const QByteArray raw = data->data(rawType);
    return ClipboardText{ClipboardStatus::Ok,
                         std::string(raw.constData(), static_cast<std::size_t>(raw.size()))};
  }
  if (!data->hasText()) {
    return ClipboardText{ClipboardStatus::NoText, {}};
  }
  return ClipboardText{ClipboardStatus::Ok, fromText(data->text().toStdU16String())};
}

// Puts `text` on the clipboard, and `bytes` beside it under `rawType`.
bool WriteClipboardBytes(std::string_view bytes, const QString& rawType,
                         const std::u16string& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) {
    return false;
  }
  auto data = std::make_unique<QMimeData>();
  data->setText(QString::fromStdU16String(text));
  data->setData(rawType, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  clipboard->setMimeData(data.release());  // the clipboard owns it
  return true;
}

class QtProgressMonitor final : public ProgressMonitor {
 public:
  QtProgressMonitor(QWidget* owner, const QString& label, std::uint64_t total)
      : dialog_(label, QObject::tr("Cancel"), 0, kProgressSteps, owner), total_(total) {
    dialog_.setWindowTitle(ApplicationName());
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(300);
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
    dialog_.setValue(0);
  }

  bool Update(std::uint64_t done) override {
    const std::uint64_t step =
        total_ == 0 ? kProgressSteps
                    : std::min<std::uint64_t>(done, total_) * kProgressSteps / total_;
    dialog_.setValue(static_cast<int>(step));
    QCoreApplication::processEvents();
    return !dialog_.wasCanceled();
  }

 private:
  QProgressDialog dialog_;
  std::uint64_t total_;
};

}  // namespace

QString QtFileFilter(const FileDialogOptions& options) {
  if (options.filterPattern.empty() && options.filterDescription.empty()) {
    return QString();
  }
  QStringList patterns;
  for (const QString& pattern :
       QString::fromStdString(options.filterPattern).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString trimmed = pattern.trimmed();
    if (trimmed == QStringLiteral("*.*") || trimmed == QStringLiteral("*")) {
      patterns = QStringList{QStringLiteral("*")};
      break;
    }
    patterns << trimmed;
    if (trimmed.toLower() != trimmed) {
      patterns << trimmed.toLower();
    }
    if (trimmed.toUpper() != trimmed) {
      patterns << trimmed.toUpper();
    }
  }
  if (patterns.isEmpty()) {
    patterns << QStringLiteral("*");
  }
  // Qt reads the patterns from the last parentheses of the entry.
  return QStringLiteral("%1 (%2)").arg(QString::fromStdString(options.filterDescription),
                                       patterns.join(QLatin1Char(' ')));
}

QWidget* QtPlatform::DialogOwner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) {
    return modal;
  }
  return owner_.data();
}

void QtPlatform::ShowMessage(const UiText& text) {
  QMessageBox box(QMessageBox::Warning, ApplicationName(), ToQString(text), QMessageBox::Ok,
                  DialogOwner());
  box.setObjectName(QStringLiteral("messageBox"));
  box.exec();
}

bool QtPlatform::AskYesNo(const UiText& question, const UiText& caption) {
  QMessageBox box(QMessageBox::Question, ToQString(caption), ToQString(question),
                  QMessageBox::Yes | QMessageBox::No, DialogOwner());
  box.setObjectName(QStringLiteral("questionBox"));
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtPlatform::ChooseOpenFile(const FileDialogOptions& options) {
  QFileDialog dialog(DialogOwner(), QString(), QString(), QtFileFilter(options));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (!options.defaultExtension.empty()) {
    dialog.setDefaultSuffix(QString::fromStdString(options.defaultExtension));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return LocalPath(dialog.selectedFiles().constFirst());
}

std::optional<std::string> QtPlatform::ChooseSaveFile(const FileDialogOptions& options) {
  QFileDialog dialog(DialogOwner(), QString(), QString(), QtFileFilter(options));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.overwritePrompt);
  if (!options.defaultExtension.empty()) {
    dialog.setDefaultSuffix(QString::fromStdString(options.defaultExtension));
  }
  // A wildcard name such as "*.TXT" is what the filter already shows.
  const QString initial = QString::fromStdString(options.initialName);
  if (!initial.isEmpty() && !initial.contains(QLatin1Char('*')) &&
      !initial.contains(QLatin1Char('?'))) {
    dialog.selectFile(initial);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return LocalPath(dialog.selectedFiles().constFirst());
}

ClipboardText QtPlatform::ReadClipboard(TextCode code) {
  return ReadClipboardBytes(RawBytesMimeType(code), [code](const std::u16string& text) {
    return BytesFromClipboardText(text, code);
  });
}

bool QtPlatform::WriteClipboard(std::string_view bytes, TextCode code) {
  return WriteClipboardBytes(bytes, RawBytesMimeType(code), ClipboardTextFromBytes(bytes, code));
}

ScreenSize QtPlatform::GetScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return {};
  }
  return ScreenSize{screen->size().width(), screen->size().height()};
}

std::string QtPlatform::TempDirectory() { return LocalPath(QDir::tempPath() + QLatin1Char('/')); }

bool QtPlatform::OpenUrl(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

bool QtPlatform::OpenFile(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
}

std::unique_ptr<ProgressMonitor> QtPlatform::BeginProgress(const UiText& label,
                                                           std::uint64_t total) {
  return std::make_unique<QtProgressMonitor>(DialogOwner(), ToQString(label), total);
}

std::optional<std::size_t> QtPlatform::ChooseItem(const UiText& title, const UiText& label,
                                                  const std::vector<UiText>& items,
                                                  std::size_t initial) {
  QStringList names;
  for (const UiText& item : items) {
    names.push_back(ToQString(item));
  }
  QInputDialog dialog(DialogOwner());
  dialog.setObjectName(QStringLiteral("choiceDialog"));
  dialog.setWindowTitle(ToQString(title));
  dialog.setLabelText(ToQString(label));
  dialog.setComboBoxItems(names);
  dialog.setComboBoxEditable(false);
  if (initial < items.size()) {
    dialog.setTextValue(names.at(static_cast<qsizetype>(initial)));
  }
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  const qsizetype index = names.indexOf(dialog.textValue());
  if (index < 0) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(index);
}

ClipboardText QtPlatform::ReadFrameClipboard(DisplayCode code) {
  return ReadClipboardBytes(RawBytesMimeType(code), [code](const std::u16string& text) {
    return FrameBytesFromClipboardText(text, code);
  });
}

bool QtPlatform::WriteFrameClipboard(std::string_view bytes, DisplayCode code) {
  return WriteClipboardBytes(bytes, RawBytesMimeType(code),
                             ClipboardTextFromFrameBytes(bytes, code));
}

}  // namespace vortane
