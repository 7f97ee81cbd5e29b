#include "charsets/recode_stream.h"

#include <gtest/gtest.h>

#include <string>

#include "codec/byte_stream.h"
#include "support/block_stream.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::ExpectBlockSizeIndependent;
using testing::Hex;
using testing::ToHex;

struct RecodeCase {
  const char* name;
  ConvertCode from;
  ConvertCode to;
  const char* input;  // hex
  const char* output;
  std::size_t unreadable;
  std::size_t unwritable;
};

const RecodeCase kCases[] = {
    // GBK under the converter's gb is unreadable: its table is GB 2312.
    {"GbTableToUtf8", TextCode::Gb, Charset::Utf8, "D6EC E946 41", "E69CB1 EFBFBD 41", 1, 0},
    {"Gb18030ToGbTable", Charset::Gb18030, TextCode::Gb, "D6EC E946 41", "D6EC 3F 41", 0, 1},
    {"Big5TableToBig5Hkscs", TextCode::Big5, Charset::Big5Hkscs, "A7419DEF", "A741 3F", 1, 0},
    {"Big5HkscsToUtf16", Charset::Big5Hkscs, Charset::Utf16, "A7419DEF", "FFFE 604F 0556", 0, 0},
    // Re-encoding keeps the characters: no simplified-traditional change.
    {"Gb18030ToBig5Hkscs", Charset::Gb18030, Charset::Big5Hkscs, "D6D0 D5E2", "A4A4 3F", 0, 1},
    // The converter's Unicode: big-endian, or little-endian after FF FE; FE FF
    // is the character U+FEFF.
    {"UnicodeToUtf8", TextCode::Unicode, Charset::Utf8, "0041 4E2D", "41 E4B8AD", 0, 0},
    {"UnicodeLittleEndianToUtf8", TextCode::Unicode, Charset::Utf8, "FFFE 4100 2D4E", "41 E4B8AD",
     0, 0},
    {"UnicodeBigMarkIsACharacter", TextCode::Unicode, Charset::Utf8, "FEFF 0041", "EFBBBF 41", 0,
     0},
    {"Utf8ToUnicode", Charset::Utf8, TextCode::Unicode, "41 E4B8AD", "0041 4E2D", 0, 0},
    // Unreadable bytes count once, even where the target cannot hold U+FFFD.
    {"UnreadableIntoBig5CountsOnce", Charset::Utf8, Charset::Big5Hkscs, "FF 41 EDA080",
     "3F 41 3F3F3F", 4, 0},
    {"UnreadableAndUnwritable", Charset::Gb18030, Charset::Big5Hkscs, "80 D6D0 D5E2", "3F A4A4 3F",
     1, 1},
    {"UnreadableIntoGb18030", Charset::Utf16Le, Charset::Gb18030, "00DC", "8431A437", 1, 0},
    // UTF-8 read by the encoder itself: ill-formed bytes are unreadable all the same.
    {"IllFormedUtf8IntoGb18030", Charset::Utf8, Charset::Gb18030, "41 C0 E4B8",
     "41 8431A437 8431A437", 2, 0},
    {"IllFormedUtf8IntoUtf16", Charset::Utf8, Charset::Utf16Le, "F4908080 41",
     "FDFF FDFF FDFF FDFF 4100", 4, 0},
    {"IllFormedUtf8IntoHz", Charset::Utf8, Charset::Hz, "FF E99595", "3F 3F", 1, 1},
    {"IllFormedUtf8IntoGbTable", Charset::Utf8, TextCode::Gb, "FF E4B8AD", "3F D6D0", 1, 0},
};

TEST(RecodeStream, ReencodesAndCounts) {
  for (const RecodeCase& c : kCases) {
    SCOPED_TRACE(c.name);
    std::size_t unreadable = 0;
    std::size_t unwritable = 0;
    const auto run = [&](ByteReader& in, ByteWriter& out) {
      RecodeDecoder decoder(c.from, c.to);
      const StreamStatus status = PumpStream(decoder, in, out);
      unreadable = decoder.Unreadable();
      unwritable = decoder.Unwritable();
      return status;
    };
    EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(run, Hex(c.input))), ToHex(Hex(c.output)));
    EXPECT_EQ(unreadable, c.unreadable);
    EXPECT_EQ(unwritable, c.unwritable);
  }
}

// FeedInto writes into a buffer of MaxOutput bytes: no block of any pair of
// codes may write more, the worst inputs (every byte unreadable, "+" into
// UTF-7, characters that switch HZ in and out) included.
TEST(RecodeStream, NoBlockWritesPastMaxOutput) {
  const ConvertCode codes[] = {TextCode::Gb,     TextCode::Big5,     TextCode::Unicode,
                               Charset::Gb18030, Charset::Big5Hkscs, Charset::Utf8,
                               Charset::Utf16Le, Charset::Utf16Be,   Charset::Utf16,
                               Charset::Hz,      Charset::Utf7};
  const std::string inputs[] = {std::string(64, '\x80'),
                                std::string(64, '+'),
                                Hex("41 E4B8AD 42 E4B8AD 43 F0A0AEB7 FF"),
                                Hex("FFFE 00D8 41 00DC 2B00"),
                                Hex("7E7B 3B3B 7E7D 2B 2D"),
                                Hex("8840 8862 8864 88A3 88A5"),
                                Hex("F0A0AEB7 F0A0AEB7 80 2B 80 2B")};
  for (const ConvertCode& from : codes) {
    for (const ConvertCode& to : codes) {
      for (const std::string& input : inputs) {
        RecodeDecoder decoder(from, to);
        std::string out;
        for (std::size_t at = 0; at < input.size(); at += 5) {
          const std::string_view block = std::string_view(input).substr(at, 5);
          const std::size_t bound = decoder.MaxOutput(block.size());
          std::string buffer(bound + 64, '\0');
          char* const end = decoder.FeedInto(block, buffer.data());
          ASSERT_LE(static_cast<std::size_t>(end - buffer.data()), bound)
              << ConvertCodeName(from) << " to " << ConvertCodeName(to) << ": " << ToHex(input);
        }
      }
    }
  }
}

// Large blocks of UTF-8 are cut in two and the part after the cut is
// re-encoded on the pump's helper thread: the bytes and counts are those of
// one pass over the whole text, for codes that may be cut and codes that
// may not, and a failed write still fails the pump.
TEST(RecodeStream, BlocksCutOnTheHelperThreadGiveTheBytesOfOnePass) {
  // Lines of Chinese and ASCII with an ill-formed byte, a letter and its
  // combining mark, a character Big5-HKSCS lacks, and a run without a place
  // to cut longer than the search for one.
  std::string text;
  for (int line = 0; text.size() < 700'000; ++line) {
    text += "\xE4\xB8\xAD\xE6\x96\x87 mail \xC3\x8A\xCC\x84 \xF0\x9F\x98\x80";
    text += line % 7 == 0 ? "\xFF\n" : "\n";
    if (line == 5000) {
      for (int i = 0; i < 20'000; ++i) {
        text += "\xC3\xA9";
      }
    }
  }
  for (const Charset to :
       {Charset::Gb18030, Charset::Big5Hkscs, Charset::Utf16Le, Charset::Utf8, Charset::Hz}) {
    SCOPED_TRACE(std::string(ConvertCodeName(to)));
    RecodeDecoder onePass(Charset::Utf8, to);
    std::string expected;
    onePass.Feed(text, expected);
    onePass.Finish(expected);
    for (const std::size_t block :
         {std::size_t{64 * 1024}, std::size_t{100'000}, std::size_t{256 * 1024}}) {
      RecodeDecoder decoder(Charset::Utf8, to);
      testing::BlockReader in(text, block, true);
      testing::BlockWriter out(true);
      ASSERT_EQ(PumpStream(decoder, in, out), StreamStatus::Ok);
      EXPECT_EQ(out.bytes() == expected, true) << "blocks of " << block;
      EXPECT_EQ(decoder.Unreadable(), onePass.Unreadable());
      EXPECT_EQ(decoder.Unwritable(), onePass.Unwritable());
    }
    RecodeDecoder decoder(Charset::Utf8, to);
    testing::BlockReader in(text, 256 * 1024, true);
    testing::BlockWriter out(true, 2);
    EXPECT_EQ(PumpStream(decoder, in, out), StreamStatus::WriteError);
  }
}

TEST(RecodeStream, NamesEveryCode) {
  EXPECT_EQ(ConvertCodeName(TextCode::Gb), "gb");
  EXPECT_EQ(ConvertCodeName(TextCode::Big5), "big5");
  EXPECT_EQ(ConvertCodeName(TextCode::Unicode), "unicode");
  EXPECT_EQ(ConvertCodeName(Charset::Big5Hkscs), "big5-hkscs");
}

}  // namespace
}  // namespace vortane
