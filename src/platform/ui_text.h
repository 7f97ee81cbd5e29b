// Text shown by the dialog logic: 8-bit bytes plus the code they are in, so
// that any platform can display them.
#pragma once

#include <string>

namespace vortane {

// The code of a UI text: plain ASCII (the English texts), GB or Big5.
enum class UiCode { Ascii, Gb, Big5 };

struct UiText {
  std::string bytes;
  UiCode code = UiCode::Ascii;

  friend bool operator==(const UiText&, const UiText&) = default;
};

}  // namespace vortane
