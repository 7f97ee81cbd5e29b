#include "charsets/charset_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "charsets/charset_text.h"
#include "charsets/label_map.h"
#include "cjk/utf7.h"
#include "codec/byte_stream.h"
#include "codec/hz.h"
#include "support/random_bytes.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::ExpectBlockSizeIndependent;
using testing::Hex;
using testing::ToHex;

constexpr Charset kAllCharsets[] = {Charset::Gb18030, Charset::Big5Hkscs, Charset::Utf8,
                                    Charset::Utf16Le, Charset::Utf16Be,   Charset::Utf16,
                                    Charset::Hz,      Charset::Utf7};

testing::StreamFunction DecodeStream(Charset charset) {
  return [charset](ByteReader& in, ByteWriter& out) {
    CharsetDecoder decoder(charset);
    return PumpStream(decoder, in, out);
  };
}

testing::StreamFunction EncodeStream(Charset charset) {
  return [charset](ByteReader& in, ByteWriter& out) {
    CharsetEncoder encoder(charset);
    return PumpStream(encoder, in, out);
  };
}

// Text with every kind of character: ASCII, the characters each code treats
// specially (HZ's "~{", Big5's Ê with its marks, UTF-7's "+"), GBK, HKSCS and
// supplementary characters, a private-use point and characters no legacy code
// holds.
const std::string kMixedText =
    "Re: ~{ 1+1 ~} \r\n朱镕基 你嘅 𠮷𡵓 Ê\u0304Ê ê\u030C € ḿ \uE816 \uFE10 한국 ~~ \\ end";

TEST(CharsetStream, EncodingAndDecodingDoNotDependOnBlockEdges) {
  for (const Charset charset : kAllCharsets) {
    SCOPED_TRACE(std::string(CharsetName(charset)));
    const std::string bytes = ExpectBlockSizeIndependent(EncodeStream(charset), kMixedText);
    EXPECT_EQ(bytes, EncodeFromUtf8(charset, kMixedText).bytes);
    const std::string utf8 = ExpectBlockSizeIndependent(DecodeStream(charset), bytes);
    EXPECT_EQ(utf8, DecodeToUtf8(charset, bytes).utf8);
  }
}

TEST(CharsetStream, RandomBytesDecodeTheSameInEveryBlockSize) {
  std::mt19937 rng(11);
  for (const Charset charset : kAllCharsets) {
    SCOPED_TRACE(std::string(CharsetName(charset)));
    for (int round = 0; round < 40; ++round) {
      // Weighted towards the bytes that begin and continue sequences.
      const std::string input = testing::RandomBytesFrom(
          rng, 64, "\x81\x30\x39\xFE\x87\xA1\x40\xD8\xDC\xE6\xF0\x80\xBF~{}+-Ab\xFF\xC3\x8A", 4);
      const DecodedText whole = DecodeToUtf8(charset, input);
      EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(DecodeStream(charset), input)), ToHex(whole.utf8))
          << ToHex(input);
      // Every byte is read or counted: the output is well-formed UTF-8.
      EXPECT_EQ(DecodeToUtf8(Charset::Utf8, whole.utf8).unreadable, 0u) << ToHex(input);
    }
  }
}

TEST(CharsetStream, RandomUtf8EncodesTheSameInEveryBlockSize) {
  std::mt19937 rng(12);
  for (const Charset charset : kAllCharsets) {
    SCOPED_TRACE(std::string(CharsetName(charset)));
    for (int round = 0; round < 40; ++round) {
      const std::string input = testing::RandomBytesFrom(
          rng, 48, "\xE6\x9C\xB1\xF0\xA0\xAE\xB7\xC3\x8A\xCC\x84~{}+-A\xC0\xED", 2);
      const EncodedText whole = EncodeFromUtf8(charset, input);
      EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(EncodeStream(charset), input)), ToHex(whole.bytes))
          << ToHex(input);
    }
  }
}

// FeedInto writes what Feed appends and stays inside MaxOutput, on the inputs
// that make each code write the most for what it reads, in blocks of every
// size, one larger than the decoders' internal pieces among them.
TEST(CharsetStream, FeedIntoStaysWithinMaxOutput) {
  const auto repeat = [](std::string_view unit, std::size_t n) {
    std::string text;
    while (text.size() < n) {
      text += unit;
    }
    return text;
  };
  const std::string readWorst[] = {
      repeat("\xFF", 70000), repeat("\x80", 300), repeat("\x81\x30", 300), repeat("+", 300),
      repeat("+A-", 300),    repeat("~", 300),    repeat("\xD8\x00", 300), repeat("A", 300)};
  const std::string writeWorst[] = {repeat("~", 70000),       repeat("+", 300),
                                    repeat("\xFF", 300),      repeat("\xC2\x80", 300),
                                    repeat("\xC3\x8A~", 300), repeat("\xE4\xB8\x80~", 300),
                                    repeat("A", 300)};
  // Bytes past the end a FeedInto returns are scratch; past MaxOutput they
  // must be untouched.
  constexpr char kGuard = '\x5A';
  constexpr std::size_t kGuardBytes = 64;
  const auto check = [&](auto& coder, auto& reference, const std::string& input,
                         std::size_t block) {
    std::string viaFeed;
    std::string viaInto;
    for (std::size_t at = 0; at < input.size(); at += block) {
      const std::string_view piece = std::string_view(input).substr(at, block);
      reference.Feed(piece, viaFeed);
      std::string room(coder.MaxOutput(piece.size()) + kGuardBytes, kGuard);
      char* end = coder.FeedInto(piece, room.data());
      viaInto.append(room.data(), end);
      EXPECT_EQ(room.substr(room.size() - kGuardBytes), std::string(kGuardBytes, kGuard));
    }
    EXPECT_EQ(ToHex(viaInto), ToHex(viaFeed));
  };
  for (const Charset charset : kAllCharsets) {
    SCOPED_TRACE(std::string(CharsetName(charset)));
    for (const std::size_t block : {std::size_t{1}, std::size_t{3}, std::size_t{70000}}) {
      for (const std::string& input : readWorst) {
        CharsetDecoder decoder(charset);
        CharsetDecoder reference(charset);
        check(decoder, reference, input, block);
      }
      for (const std::string& input : writeWorst) {
        CharsetEncoder encoder(charset);
        CharsetEncoder reference(charset);
        check(encoder, reference, input, block);
      }
    }
  }
}

TEST(CharsetStream, CountsAddUpOverBlocks) {
  CharsetDecoder decoder(Charset::Gb18030);
  std::string out;
  for (const char* block : {"\x81", "\x30", "\x81", "A", "\xFF"}) {
    decoder.Feed(block, out);
  }
  decoder.Finish(out);
  EXPECT_EQ(ToHex(out), ToHex("\uFFFD0\u4E04\uFFFD"));
  EXPECT_EQ(decoder.Unreadable(), 2u);

  CharsetEncoder encoder(Charset::Big5Hkscs);
  std::string bytes;
  for (const char* block : {"\xC3", "\x8A", "\xCC", "\x84", "\xED\xA0", "\x80", "한"}) {
    encoder.Feed(block, bytes);
  }
  encoder.Finish(bytes);
  EXPECT_EQ(ToHex(bytes), ToHex(Hex("8862 3F3F3F 3F")));
  EXPECT_EQ(encoder.Unwritable(), 4u);
}

// Ill-formed UTF-8 read as U+FFFD: written as U+FFFD where the code has it,
// else "?" and then also unwritable.
TEST(CharsetStream, IllFormedUtf8AsReplacement) {
  const struct {
    Charset charset;
    const char* bytes;
    std::size_t unwritable;
  } cases[] = {
      {Charset::Gb18030, "8431A437 41", 0},
      {Charset::Utf16Be, "FFFD 0041", 0},
      {Charset::Big5Hkscs, "3F 41", 1},
      {Charset::Hz, "3F 41", 1},
  };
  for (const auto& c : cases) {
    CharsetEncoder encoder(c.charset, IllFormedUtf8::Replacement);
    std::string out;
    encoder.Feed("\xE6\x9C", out);
    encoder.Feed("A", out);
    encoder.Finish(out);
    EXPECT_EQ(ToHex(out), ToHex(Hex(c.bytes))) << CharsetName(c.charset);
    EXPECT_EQ(encoder.IllFormed(), 1u);
    EXPECT_EQ(encoder.Unwritable(), c.unwritable);
  }
}

TEST(CharsetStream, FinishStartsANewText) {
  CharsetEncoder encoder(Charset::Utf16);
  std::string out;
  encoder.Feed("A", out);
  encoder.Finish(out);
  encoder.Feed("B", out);
  encoder.Finish(out);
  EXPECT_EQ(ToHex(out), ToHex(Hex("FFFE4100 FFFE4200")));

  CharsetDecoder decoder(Charset::Utf16);
  std::string text;
  decoder.Feed(Hex("FFFE 4100"), text);
  decoder.Finish(text);
  decoder.Feed(Hex("0042"), text);
  decoder.Finish(text);
  EXPECT_EQ(text, "AB");
}

// HZ and UTF-7 read the way this program's own rules read them, whatever the
// block edges.
TEST(CharsetStream, HzAndUtf7FollowTheProgramsRules) {
  std::mt19937 rng(13);
  for (int round = 0; round < 60; ++round) {
    const std::string hz = testing::RandomBytesFrom(rng, 40, "~{}~VlA\n", 1, 0x21);
    EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(DecodeStream(Charset::Hz), hz)),
              ToHex(DecodeToUtf8(Charset::Gb18030, DecodeHzText(hz)).utf8))
        << ToHex(hz);
    const std::string utf7 = testing::RandomBytesFrom(rng, 40, "+-AZaz09/+2E", 1);
    EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(DecodeStream(Charset::Utf7), utf7)),
              ToHex(DecodeToUtf8(Charset::Utf16Be, Utf7ToUnits(utf7)).utf8))
        << ToHex(utf7);
  }
}

// Whatever HZ and UTF-7 write, their readers give back: the escapes HZ puts
// between "~" and "{", and UTF-7's runs, survive the frame and run rules.
TEST(CharsetStream, HzAndUtf7ReadBackWhatTheyWrite) {
  std::mt19937 rng(14);
  for (int round = 0; round < 200; ++round) {
    const std::string raw = testing::RandomBytesFrom(rng, 12, "~{}+-A", 0);
    std::string text;
    for (char c : raw) {
      text += c == 'A' ? std::string("朱") : std::string(1, c);
    }
    text += round % 2 == 0 ? "\uE4C5" : "";  // GB code FEFE: "~~" in GB mode
    for (Charset charset : {Charset::Hz, Charset::Utf7}) {
      const EncodedText encoded = EncodeFromUtf8(charset, text);
      EXPECT_EQ(encoded.unwritable, 0u);
      EXPECT_EQ(DecodeToUtf8(charset, encoded.bytes).utf8, text)
          << CharsetName(charset) << " " << ToHex(encoded.bytes);
    }
  }
}

}  // namespace
}  // namespace vortane
