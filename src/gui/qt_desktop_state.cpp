#include "gui/qt_desktop_state.h"

#include <QFile>
#include <QVariant>
#include <utility>

namespace vortane {
namespace {

QString Key(std::string_view key) {
  return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

}  // namespace

std::string DefaultSettingsFolder(const char* xdgConfigHome, const char* home) {
  if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
    return std::string(xdgConfigHome) + "/vortane";
  }
  if (home != nullptr && home[0] == '/') {
    return std::string(home) + "/.config/vortane";
  }
  return {};
}

QString StateFileIn(const std::string& settingsFolder) {
  if (settingsFolder.empty()) {
    return {};
  }
  return QFile::decodeName(QByteArray::fromStdString(settingsFolder + "/window-state.conf"));
}

QtDesktopState::QtDesktopState(const QString& stateFile, std::string settingsFolder)
    : folder_(std::move(settingsFolder)) {
  if (!stateFile.isEmpty()) {
    file_ = std::make_unique<QSettings>(stateFile, QSettings::IniFormat);
  }
}

std::optional<std::string> QtDesktopState::Value(std::string_view key) const {
  if (!file_) {
    return memory_.Value(key);
  }
  const QVariant value = file_->value(Key(key));
  if (!value.isValid()) {
    return std::nullopt;
  }
  return value.toString().toStdString();
}

void QtDesktopState::SetValue(std::string_view key, std::string_view value) {
  if (!file_) {
    memory_.SetValue(key, value);
    return;
  }
  file_->setValue(Key(key), Key(value));
  // Written now, so a crash later loses nothing.
  file_->sync();
}

}  // namespace vortane
