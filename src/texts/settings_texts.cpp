#include "texts/settings_texts.h"

#include <array>

namespace vortane::texts {

std::span<const TriText> SettingsTexts() {
  static constexpr std::array kAll{
      kSettingsCaption, kTempDirectoryLabel, kAutoPasteLabel,     kDoubleBytesLabel,
      kWrapNumberLabel, kMarkLabel,          kSettingsWriteError,
  };
  return kAll;
}

}  // namespace vortane::texts
