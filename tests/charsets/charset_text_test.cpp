#include "charsets/charset_text.h"

#include <gtest/gtest.h>

#include <string>

#include "charsets/label_map.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

struct RoundTripCase {
  Charset charset;
  const char* bytes;  // hex
  const char* utf8;
};

// Bytes of each code that read as the text and are written back as the same bytes.
const RoundTripCase kRoundTrips[] = {
    // 朱镕基: 镕 is GBK, outside GB 2312.
    {Charset::Gb18030, "D6EC E946 BBF9", "朱镕基"},
    // 𠮷 takes a four-byte code; so does U+0080, the first of them.
    {Charset::Gb18030, "9534B235", "𠮷"},
    {Charset::Gb18030, "81308130 8431A439", "\u0080\uFFFF"},
    {Charset::Gb18030, "E3329A35", "\U0010FFFF"},
    {Charset::Gb18030, "A2E3 A8BC", "€ḿ"},
    // 你嘅: 嘅 is an HKSCS character.
    {Charset::Big5Hkscs, "A7419DEF", "你嘅"},
    {Charset::Big5Hkscs, "8740 8D48", "䏰\u9FB3"},
    {Charset::Big5Hkscs, "8862 8866 8864", "Ê\u0304ÊÊ\u030C"},
    {Charset::Big5Hkscs, "88A3 88A7", "ê\u0304ê"},
    // 877B is one of the codes HKSCS-2008 added.
    {Charset::Big5Hkscs, "9DEF 877B", "嘅\U00021D53"},
    {Charset::Utf8, "E69CB1 F0A0AEB7", "朱𠮷"},
    {Charset::Utf16Le, "3167 42D8B7DF 4100", "朱𠮷A"},
    {Charset::Utf16Be, "6731 D842DFB7 0041", "朱𠮷A"},
    {Charset::Utf16, "FFFE 3167 4100", "朱A"},
    {Charset::Hz, "417E7B566C7E7D42", "A朱B"},
    {Charset::Hz, "7E7B566C7E7D", "朱"},
    {Charset::Utf7, "412B5A7A452D42", "A朱B"},
    {Charset::Utf7, "2B2D", "+"},
};

TEST(CharsetText, ReadsAndWritesBackWithoutLoss) {
  for (const RoundTripCase& c : kRoundTrips) {
    SCOPED_TRACE(std::string(CharsetName(c.charset)) + " " + c.bytes);
    const DecodedText decoded = DecodeToUtf8(c.charset, Hex(c.bytes));
    EXPECT_EQ(ToHex(decoded.utf8), ToHex(c.utf8));
    EXPECT_EQ(decoded.unreadable, 0u);
    const EncodedText encoded = EncodeFromUtf8(c.charset, c.utf8);
    EXPECT_EQ(ToHex(encoded.bytes), ToHex(Hex(c.bytes)));
    EXPECT_EQ(encoded.unwritable, 0u);
  }
}

TEST(CharsetText, MailLabelsReadTheSupersetBytes) {
  // GBK bytes under gb2312, HKSCS bytes under cp950.
  EXPECT_EQ(DecodeToUtf8(*CharsetForLabel("gb2312"), Hex("D6EC E946 BBF9")).utf8, "朱镕基");
  EXPECT_EQ(DecodeToUtf8(*CharsetForLabel("cp950"), Hex("A7419DEF")).utf8, "你嘅");
}

struct ReadCase {
  Charset charset;
  const char* bytes;
  const char* utf8;
  std::size_t unreadable;
};

const ReadCase kReads[] = {
    // Bytes no code begins with; a lead whose next byte breaks it gives one
    // U+FFFD and the ASCII after it survives.
    {Charset::Gb18030, "80 FF", "\uFFFD\uFFFD", 2},
    {Charset::Gb18030, "81 40", "\u4E02", 0},
    {Charset::Gb18030, "81 0A 41", "\uFFFD\nA", 1},
    {Charset::Gb18030, "81 30 41", "\uFFFD0A", 1},
    {Charset::Gb18030, "81 30 81 41", "\uFFFD0\u4E04", 1},
    // Well formed but naming nothing: between the BMP and U+10000, past U+10FFFF.
    {Charset::Gb18030, "84 31 A5 30", "\uFFFD", 1},
    {Charset::Gb18030, "E3 32 9A 36", "\uFFFD", 1},
    {Charset::Gb18030, "FE 39 FE 39 41", "\uFFFDA", 1},
    // Cut off by the end: one U+FFFD for what is there.
    {Charset::Gb18030, "41 81", "A\uFFFD", 1},
    {Charset::Gb18030, "41 81 30 81", "A\uFFFD", 1},
    {Charset::Big5Hkscs, "80 FF A4", "\uFFFD\uFFFD\uFFFD", 3},
    {Charset::Big5Hkscs, "A4 0A", "\uFFFD\n", 1},
    // Lead bytes without characters; an ASCII trail byte is read again.
    {Charset::Big5Hkscs, "81 A1 81 41", "\uFFFD\uFFFDA", 2},
    {Charset::Big5Hkscs, "C8 7F", "\uFFFD\x7F", 1},
    {Charset::Utf8, "C0 80 41", "\uFFFD\uFFFDA", 2},
    {Charset::Utf8, "ED A0 80", "\uFFFD\uFFFD\uFFFD", 3},
    {Charset::Utf8, "E6 9C 41 F4 90 80 80", "\uFFFDA\uFFFD\uFFFD\uFFFD\uFFFD", 5},
    {Charset::Utf8, "F0 A0 AE", "\uFFFD", 1},
    {Charset::Utf16Le, "00 DC 41 00 00 D8", "\uFFFDA\uFFFD", 2},
    {Charset::Utf16Le, "41 00 42", "A\uFFFD", 1},
    {Charset::Utf16Be, "D8 42 00 41", "\uFFFDA", 1},
    // Utf16 reads the order from the mark, else big-endian (and then keeps it).
    {Charset::Utf16, "FEFF 6731", "朱", 0},
    {Charset::Utf16, "6731 FEFF", "朱\uFEFF", 0},
    {Charset::Utf16, "FF", "\uFFFD", 1},
    {Charset::Utf16, "", "", 0},
    // The HZ frame rule: a "~" before a byte other than "{" or "}" is kept, and
    // the byte after it may begin an escape.
    {Charset::Hz, "7E7E7B566C7E7D", "~朱", 0},
    {Charset::Hz, "417E", "A~", 0},
    {Charset::Hz, "7E7B56", "\uFFFD", 1},
    {Charset::Utf7, "2B5A7A45", "朱", 0},
};

TEST(CharsetText, ReadsBrokenBytesAsReplacementsAndCountsThem) {
  for (const ReadCase& c : kReads) {
    SCOPED_TRACE(std::string(CharsetName(c.charset)) + " " + c.bytes);
    const DecodedText decoded = DecodeToUtf8(c.charset, Hex(c.bytes));
    EXPECT_EQ(ToHex(decoded.utf8), ToHex(c.utf8));
    EXPECT_EQ(decoded.unreadable, c.unreadable);
  }
}

struct WriteCase {
  Charset charset;
  const char* utf8;
  const char* bytes;
  std::size_t unwritable;
};

const WriteCase kWrites[] = {
    {Charset::Gb18030,
     "A\xFF"
     "B\xE6\x9C",
     "41 3F 42 3F", 2},
    {Charset::Gb18030, "\xED\xA0\x80", "3F 3F 3F", 3},
    // Big5-HKSCS holds neither Korean nor most symbols; 0x80 is no code.
    {Charset::Big5Hkscs, "한A\u0080", "3F 41 3F", 2},
    // Ê and ê take a combining-mark code only with the mark right after.
    {Charset::Big5Hkscs, "Ê\u0304", "8862", 0},
    {Charset::Big5Hkscs, "ÊA", "8866 41", 0},
    {Charset::Big5Hkscs, "Ê", "8866", 0},
    {Charset::Big5Hkscs, "êÊ\u030C", "88A7 8864", 0},
    {Charset::Big5Hkscs, "Ê\xFF", "8866 3F", 1},
    {Charset::Big5Hkscs, "\u0304", "3F", 1},
    // Utf16 writes little-endian with a mark, even for nothing.
    {Charset::Utf16, "A", "FFFE 4100", 0},
    {Charset::Utf16, "", "FFFE", 0},
    {Charset::Utf16Be, "\xC3", "003F", 1},
    // HZ: "~" and "{" side by side get an empty escape pair between them, so
    // the frame rule reads them back; non-GB characters become "?".
    {Charset::Hz, "~{", "7E 7E7B7E7D 7B", 0},
    {Charset::Hz, "~朱", "7E 7E7B 566C 7E7D", 0},
    {Charset::Hz, "朱镕\uE4C5", "7E7B 566C 7E7D 3F 7E7B 7E7E 7E7D", 1},
    {Charset::Hz, "𠮷", "3F", 1},
    {Charset::Utf7, "A+B~", "41 2B2D 42 2B4148342D", 0},
    {Charset::Utf7, "𠮷", "2B 32454C667477 2D", 0},
};

TEST(CharsetText, WritesUnwritableCharactersAsQuestionMarksAndCountsThem) {
  for (const WriteCase& c : kWrites) {
    SCOPED_TRACE(std::string(CharsetName(c.charset)) + " " + c.utf8);
    const EncodedText encoded = EncodeFromUtf8(c.charset, c.utf8);
    EXPECT_EQ(ToHex(encoded.bytes), ToHex(Hex(c.bytes)));
    EXPECT_EQ(encoded.unwritable, c.unwritable);
  }
}

}  // namespace
}  // namespace vortane
