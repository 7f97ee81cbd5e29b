// The settings dialog's logic. It edits a copy of the settings; OK validates
// the controls into the copy, writes it to the store and hands it back.
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/ui_text.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"

namespace vortane {

class SettingsDialog {
 public:
  // Control ids of the dialog layout.
  static constexpr int kAutoPasteBox = 1002;
  static constexpr int kDoubleBytesBox = 1004;
  static constexpr int kWrapNumberEdit = 1005;
  static constexpr int kMarkEdit = 1006;
  static constexpr int kTempDirectoryEdit = 1015;
  static constexpr int kGbRadio = 1008;
  static constexpr int kEnglishRadio = 1009;
  static constexpr int kBig5Radio = 1010;

  // Edits a copy of `settings`; OK writes it to `store`.
  SettingsDialog(Platform& platform, const SettingsStore& store, AppSettings settings);

  // The settings being edited: after an OK that closed the dialog, the new
  // settings. After a refused OK the fields before the failing control
  // already hold their new values (they are not applied unless a later OK
  // succeeds).
  [[nodiscard]] const AppSettings& settings() const { return settings_; }
  [[nodiscard]] AppSettings& settings() { return settings_; }

  // Texts the view sets when the dialog opens.
  struct Texts {
    UiText caption;
    UiText tempDirectoryLabel;  // 1031
    UiText autoPasteLabel;      // 1014
    UiText doubleBytesLabel;    // 1017
    UiText wrapNumberLabel;     // 1018
    UiText markLabel;           // 1019
    UiText gbRadio;             // 1008, always GB-coded
    UiText big5Radio;           // 1010, always Big5-coded
    UiText englishRadio;        // 1009
  };
  [[nodiscard]] Texts OpeningTexts() const;

  // What the controls hold. languageIndex: 0 GB, 1 English, 2 Big5, -1 none.
  struct ControlValues {
    int languageIndex = -1;
    std::string wordWrapNumber;
    bool recogniseDoubleBytes = false;
    bool autoPaste = false;
    std::string markCharacter;
    std::string tempDirectory;
  };
  // The fields as the controls show them when the dialog opens.
  [[nodiscard]] ControlValues CurrentValues() const;

  // OK: transfers the controls into the copy, validating as it goes. On a
  // validation failure the message is shown and `focusControl` names the
  // control; otherwise the copy is written to the store (the write error, in
  // the new language, shown on failure) and the dialog closes.
  struct OkOutcome {
    bool closeDialog = false;
    int focusControl = 0;
  };
  OkOutcome OnOk(const ControlValues& values);

 private:
  Platform& platform_;
  const SettingsStore& store_;
  AppSettings settings_;
};

}  // namespace vortane
