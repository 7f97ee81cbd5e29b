// The Chinese code converter dialog's logic.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vortane {

class CodeConverterDialog {
 public:
  // `tempDirectory` (with its trailing separator) holds the scratch files;
  // `interfaceLanguage` chooses the captions and messages.
  CodeConverterDialog(Platform& platform, std::string tempDirectory, int interfaceLanguage)
      : platform_(platform),
        tempDirectory_(std::move(tempDirectory)),
        interfaceLanguage_(interfaceLanguage) {}

 private:
  Platform& platform_;
  std::string tempDirectory_;
  int interfaceLanguage_;
};

}  // namespace vortane
