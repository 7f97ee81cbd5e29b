// The about dialog's logic: small and full states, three introduction pages
// and three homepage buttons.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vortane {

class AboutDialog {
 public:
  // `pageFilePath` is the temporary directory followed by "Vortane.htm".
  AboutDialog(Platform& platform, std::string pageFilePath, int interfaceLanguage)
      : platform_(platform), pageFilePath_(std::move(pageFilePath)),
        interfaceLanguage_(interfaceLanguage) {}

 private:
  Platform& platform_;
  std::string pageFilePath_;
  int interfaceLanguage_;
};

}  // namespace vortane
