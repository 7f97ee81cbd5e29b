// The settings file Vortane.ini: eight lines with CR LF line ends, written
// whole and read with fixed patterns.
#pragma once

#include <string>
#include <string_view>

#include "settings/app_settings.h"

namespace vortane {

// The whole file for `settings`:
//   [Mail Vortane]
//   Temp Directory=<tempDirectory>
//   Auto paste=<1 or 0>
//   Recognise double bytes=<1 or 0>
//   Word wrap number=<decimal>
//   Mark character='<first byte of markCharacter, NUL when empty>'
//   Interface=<decimal>
//   *Note:  1-->English, 0-->Chinese GB,  2-->Chinese Big5
// Every LF is written as CR LF (also one inside a field); no line end after
// the last line.
[[nodiscard]] std::string FormatSettingsFile(const AppSettings& settings);

// Reads the fields in file order into `settings` and returns how many (0..6)
// were read. CR LF counts as LF; the line end before each key matches any run
// of white space, also none. "Temp Directory=" takes the rest of its line;
// "Auto paste" and "Recognise double bytes" are 0 only when the file says 0
// (any other integer gives 1); "Word wrap number" and "Interface" are taken
// unchecked; "Mark character" takes exactly one byte, a blank too (a NUL byte
// reads as an empty mark). From the first field that does not match, the
// fields keep the values they had.
int ParseSettingsFile(std::string_view bytes, AppSettings& settings);

}  // namespace vortane
