// Setting the eighth bit again on GB text that a 7-bit mail path stripped.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vortane {

// `text` must be 7-bit. A stripped GB 2312 character is two bytes in
// 0x21..0x7E, so each run of such bytes between blanks is split into ASCII
// bytes and GB 2312 pairs, whichever reads best as Chinese text: each token is
// scored by how likely it is after the one before it in Chinese text (ASCII
// such as "<文件>", "%s" or "(_O)" is common there; ChineseTextStep), and
// each pair also by how often its character occurs (FrequencyScore) and a
// pair after a pair by how often the two follow each other (PairAfterPair);
// a word of letters or digits that Chinese text often holds ("ID", "USB",
// LookUpAsciiWord) scores as a word beside its bytes; a line of two or three
// letters or digits alone leans to ASCII ("EB", "JB0"), and so does a ">"
// that closes an ASCII "<" on its line ("[<目录>]"). The text is read twice:
// the second time, characters the first reading chose more than once beside
// other characters, and words it read as ASCII more than once, are likelier
// (a text keeps to its names and terms: "卢比", "卢森堡", "APT"). The
// chosen pairs get the eighth bit set; a run of 40 or more bytes of Base64's
// alphabet alone is left as it is. Nothing (nullopt) when `text` holds a byte
// of 0x80 or more, when no pair is chosen, when the text is not at least 3
// nats likelier so read than as English (EnglishTextStep: English with a few
// pairs that read well by chance stays English), or when a text of more than
// 64 bytes in 0x21..0x7E has less than a quarter of them set (mail with its
// headers; a short text may hold a single character).
[[nodiscard]] std::optional<std::string> SetEighthBit(std::string_view text);

}  // namespace vortane
