// What the phrase tests share: converters loaded once per test program, and
// UTF-8 test texts written in GB, Big5 or big-endian Unicode.
#pragma once

#include <string>
#include <string_view>

#include "cjk/text_code.h"
#include "phrases/phrase_config.h"
#include "phrases/phrase_converter.h"

namespace vortane::testing {

// The converter of `config` with the shipped fixes and no user list, loaded
// from the system's OpenCC data on first use (a failed load fails the test
// and aborts it).
const PhraseConverter& SharedConverter(PhraseConfig config);

// A UTF-8 text in `code`: ASCII as itself, every other character as its code
// (GB, Big5) or its units (Unicode). A character the code lacks fails the test.
std::string Encode(std::string_view utf8, TextCode code);

// Bytes in `code` as UTF-8, for failure messages: characters the code maps,
// others as "<?>".
std::string Show(std::string_view bytes, TextCode code);

}  // namespace vortane::testing
