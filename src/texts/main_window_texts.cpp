#include "texts/main_window_texts.h"

#include <array>

namespace vortane::texts {

std::span<const TriText> MainWindowTexts() {
  static constexpr std::array kAll{
      kTitle,
      kQuitQuestion,
      kQuitCaption,
      kSaveQuestion,
      kSaveCaption,
      kOpenFilePrefix,
      kOpenMethodPrefix,
      kObjectFilePrefix,
      kDecodeCancelled,
      kDecodeFileNotice,
      kWriteProtectError,
      kDecodingProgress,
      kCannotOpenFile,
      kOpenTextCut,
      kSaveFailed,
      kOutputIsInput,
      kOneCharacterNotHeld,
      kCharactersNotHeld,
  };
  return kAll;
}

}  // namespace vortane::texts
