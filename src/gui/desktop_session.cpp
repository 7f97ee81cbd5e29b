#include "gui/desktop_session.h"

#include <QByteArray>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include "texts/interface_language.h"

namespace vortane {

namespace {

const char* const kGeometryKey = "window/geometry";
const char* const kSplitterKey = "window/splitter";

}  // namespace

DesktopSession::DesktopSession(MainWindowPaths paths, QString stateFile)
    : platform_(&window_),
      logic_(platform_, window_, std::move(paths)),
      stateFile_(std::move(stateFile)),
      // The phrase commands' region beside the window state; the user's
      // phrase list in the settings folder.
      desktopState_(stateFile_, stateFile_.isEmpty()
                                    ? std::string()
                                    : QFileInfo(stateFile_).absolutePath().toStdString()) {
  logic_.UseDesktopState(desktopState_);
  window_.SetHandlers([this](Command command) { logic_.OnCommand(command); },
                      [this] { logic_.OnCloseRequested(); });
  window_.SetEditHandlers(
      [this] { logic_.OnTargetEdited(); },
      [this](DisplayCode code, std::size_t count) { logic_.OnCharactersNotHeld(code, count); });
  window_.SetDropHandler([this](const std::string& path) { (void)logic_.OpenIfMessage(path); });
}

void DesktopSession::Start() {
  logic_.Initialise();

  // The frames read the code of the interface language. The start-up paste
  // ran before it was known, so it is redone in that code.
  if (logic_.settings().interfaceLanguage == Language::Big5) {
    window_.SetDisplayCodes(TextCode::Big5);
    if (logic_.settings().autoPaste != 0) {
      window_.sourceFrame().SetBytes({});
      window_.sourceFrame().PasteClipboard();
    }
  }

  if (!RestoreWindowState()) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      window_.move(screen->availableGeometry().center() - window_.rect().center());
    }
  }
  window_.show();
}

bool DesktopSession::RestoreWindowState() {
  if (stateFile_.isEmpty()) {
    return false;
  }
  const QSettings state(stateFile_, QSettings::IniFormat);
  const QByteArray geometry = state.value(QString::fromLatin1(kGeometryKey)).toByteArray();
  if (geometry.isEmpty() || !window_.restoreGeometry(geometry)) {
    return false;
  }
  window_.splitter().restoreState(state.value(QString::fromLatin1(kSplitterKey)).toByteArray());
  return true;
}

void DesktopSession::SaveWindowState() {
  if (stateFile_.isEmpty()) {
    return;
  }
  QSettings state(stateFile_, QSettings::IniFormat);
  state.setValue(QString::fromLatin1(kGeometryKey), window_.saveGeometry());
  state.setValue(QString::fromLatin1(kSplitterKey), window_.splitter().saveState());
}

}  // namespace vortane
