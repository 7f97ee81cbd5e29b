// The six settings of the program, with their defaults.
#pragma once

#include <string>

#include "texts/interface_language.h"

namespace vortane {

struct AppSettings {
  std::string tempDirectory;  // with its trailing separator
  int autoPaste = 1;          // paste the clipboard into the source frame at start-up
  int recogniseDoubleBytes =
      1;                    // Word Wrap and the QP frame rule keep double-byte characters whole
  int wordWrapNumber = 70;  // line length in bytes for Word Wrap
  std::string markCharacter = ">";  // quote mark, at most one byte
  InterfaceLanguage interfaceLanguage = Language::English;
};

}  // namespace vortane
