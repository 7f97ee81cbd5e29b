// The four pages of fixed help text, in English, GB and Big5, and the code
// samples shown on the third page.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/ui_text.h"
#include "texts/interface_language.h"

namespace vortane {

// Sample lines of the code samples page: the same bytes in every language.
// Samples 1 to 5 decode, with the matching command, to GB text.
inline constexpr std::string_view kSampleBase64 =
    "VGhpcyBpcyBhILLiytTOxLG+LLLiytRCYXNlNjSx4MLrDQog";
inline constexpr std::string_view kSampleQuotedPrintable =
    "=B2=E2=CA=D4Quoted Printable=B1=E0=C2=EB";
inline constexpr std::string_view kSampleHz = "This is a ~{2bJTND1>~},~{2bJT~}HZ Code~{1`Bk~}";
inline constexpr std::string_view kSampleUtf7 = "This is a +bUuL1WWHZyw-,+bUuL1Q-UTF-7+fxZ4AQ-";
// The source file is UTF-8, so this literal is the UTF-8 bytes of the phrase.
inline constexpr std::string_view kSampleUtf8 = "This is a 测试文本,测试UTF-8编码";
// GB text of "测试丢失高位的编码" with the high bit of every byte cleared,
// starting at kSampleHighBitsStart.
inline constexpr std::string_view kSampleHighBitsLost = "This is a 2bJT6*J'8_N;5D1`Bk";
inline constexpr std::size_t kSampleHighBitsStart = 10;
// One sentence ("中文电子邮件", Chinese e-mail) in GB and in Big5 bytes.
inline constexpr std::string_view kSampleGbSentence =
    "\xD6\xD0"
    "\xCE\xC4"
    "\xB5\xE7"
    "\xD7\xD3"
    "\xD3\xCA"
    "\xBC\xFE";
inline constexpr std::string_view kSampleBig5Sentence =
    "\xA4\xA4"
    "\xA4\xE5"
    "\xB9\x71"
    "\xA4\x6C"
    "\xB6\x6C"
    "\xA5\xF3";

// Body of help page `page` (0 introduction, 1 usage, 2 code samples, 3
// others) in `language`. Lines end with CR LF. The English samples page
// carries GB and Big5 sample bytes and is marked GB, so a reader sees those
// lines as a GB system shows them. An unknown page gives an empty text.
[[nodiscard]] UiText HelpPageBody(int page, Language language);

}  // namespace vortane
