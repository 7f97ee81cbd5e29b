// The six settings of the program, with their defaults.
#pragma once

#include <string>

namespace vortane {

struct AppSettings {
  std::string tempDirectory;  // with its trailing separator
  int autoPaste = 1;          // paste the clipboard into the source frame at start-up
  int recogniseDoubleBytes =
      1;                    // Word Wrap and the QP frame rule keep double-byte characters whole
  int wordWrapNumber = 70;  // line length in bytes for Word Wrap
  std::string markCharacter = ">";  // quote mark, at most one byte
  int interfaceLanguage = 1;        // 0 Chinese GB, 1 English, 2 Chinese Big5
};

}  // namespace vortane
