#include "gui/desktop_session.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>

#include "texts/interface_language.h"

namespace vortane {

DesktopSession::DesktopSession(MainWindowPaths paths)
    : platform_(&window_),
      logic_(platform_, window_, std::move(paths)),
      desktopState_(
          StateFileIn(DefaultSettingsFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"))),
          DefaultSettingsFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"))) {
  logic_.UseDesktopState(desktopState_);
  window_.SetHandlers([this](Command command) { logic_.OnCommand(command); },
                      [this] { logic_.OnCloseRequested(); });
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

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window_.move(screen->availableGeometry().center() - window_.rect().center());
  }
  window_.show();
}

}  // namespace vortane
