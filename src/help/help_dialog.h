// The help dialog's logic: four pages of fixed text in three languages.
#pragma once

namespace vortane {

class HelpDialog {
 public:
  explicit HelpDialog(int interfaceLanguage) : interfaceLanguage_(interfaceLanguage) {}

 private:
  int interfaceLanguage_;
};

}  // namespace vortane
