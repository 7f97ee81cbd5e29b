#include "charsets/fast_paths.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "charsets/charset_stream.h"
#include "charsets/label_map.h"
#include "charsets/recode_stream.h"
#include "charsets/unicode_scalar.h"
#include "codec/byte_stream.h"
#include "support/level_check.h"
#include "support/random_bytes.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using namespace std::literals;

using charsets_detail::PackUtf8;
using charsets_detail::PutBmpUtf8;
using charsets_detail::PutUtf8;
using testing::ToHex;

TEST(FastPathPieces, BranchFreeUtf8WritesWhatThePlainWriterWrites) {
  for (std::uint32_t point = 0; point < 0x10000; ++point) {
    if (point >= 0xD800 && point < 0xE000) {
      continue;
    }
    char plain[8] = {};
    const auto plainLength = static_cast<std::size_t>(PutUtf8(plain, point) - plain);
    char fast[8] = {};
    const auto fastLength = static_cast<std::size_t>(PutBmpUtf8(fast, point) - fast);
    const std::uint32_t packed = PackUtf8(point);
    ASSERT_EQ(std::string_view(fast, fastLength), std::string_view(plain, plainLength)) << point;
    ASSERT_EQ(packed >> 24, plainLength) << point;
    ASSERT_EQ(std::string_view(reinterpret_cast<const char*>(&packed), plainLength),
              std::string_view(plain, plainLength))
        << point;
  }
}

// Pieces of text for each code, mostly what the fast paths take (ASCII words,
// Chinese characters) with what makes them stop among them: codes of other
// lengths, codes that name nothing, bytes cut off, marks.
struct CodePieces {
  Charset charset;
  std::vector<std::string_view> pieces;
};

const CodePieces kDecodePieces[] = {
    {Charset::Gb18030,
     {"mail ",
      "\r\n",
      "a",
      "The quick brown fox jumps over the lazy dog. ",
      "\xB2\xE2",
      "\xD6\xD0\xCE\xC4",
      "\xB2\xE2\xCA\xD4\xB2\xE2",
      "\x81\x40",
      "\x81\x80",
      "\xA1\xA4",
      "\xA6\xA1",
      "\x81\x30\x81\x30",
      "\x90\x30\x81\x30",
      "\xFE\x39\xFE\x39",
      "\x80",
      "\xFF",
      "\xB2",
      "\x81\x30",
      "\xB2\xFF",
      "\xA1\x7F"}},
    {Charset::Big5Hkscs,
     {"mail ",
      "\r\n",
      "a",
      "The quick brown fox jumps over the lazy dog. ",
      "\xA4\x40",
      "\xB4\xFA\xB8\xD5",
      "\xA4\xA4\xA4\xE5",
      "\xA1\x40",
      "\x88\x62",
      "\x88\x64",
      "\x88\xA3",
      "\x88\xA5",
      "\x87\x40",
      "\x8E\x69",
      "\x81\x40",
      "\x80",
      "\xFF",
      "\xA4",
      "\xA4\x7F",
      "\xC8\x7E"}},
    {Charset::Utf16Le,
     {"A\0"sv, "m\0a\0i\0l\0 \0"sv, "\x4B\x6D\xD5\x8B"sv, "\x2D\x4E"sv, "\xE9\x00"sv,
      "\x00\xD8\x00\xDC"sv, "\x00\xDC"sv, "\x00\xD8"sv, "\xFF\xFE"sv, "\xFE\xFF"sv,
      "\x0D\x00\x0A\x00"sv, "x"sv, "\x80\x07"sv}},
};

// UTF-8 pieces for the encoders, in the same spirit.
const std::vector<std::string_view> kUtf8Pieces = {"mail ",
                                                   "\r\n",
                                                   "a",
                                                   "The quick brown fox jumps over the lazy dog. ",
                                                   "测试",
                                                   "中文字",
                                                   "\xE0\xA0\x80",
                                                   "\xE0\x80\x80",
                                                   "\xED\x9F\xBF",
                                                   "\xED\xA0\x80",
                                                   "é",
                                                   "Ê",
                                                   "ê",
                                                   "\xCC\x84",
                                                   "\xCC\x8C",
                                                   "𠀀",
                                                   "\xFF",
                                                   "\xE4\xB8",
                                                   "\xEF\xBB\xBF",
                                                   "\xEF\xBF\xBD",
                                                   "\xEF\xBF\xBF",
                                                   "\xE4",
                                                   "€",
                                                   "한"};

constexpr Charset kEncodeCharsets[] = {Charset::Gb18030, Charset::Big5Hkscs, Charset::Utf8,
                                       Charset::Utf16Le, Charset::Utf16Be,   Charset::Utf16};

std::string RandomText(std::mt19937& rng, const std::vector<std::string_view>& pieces) {
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::string text;
  const std::size_t count = rng() % 120;
  for (std::size_t i = 0; i < count; ++i) {
    // Now and then a long run of one piece, so whole fast stretches happen.
    const std::string_view piece = pieces[pick(rng)];
    for (std::size_t r = rng() % 8 == 0 ? rng() % 24 : 1; r > 0; --r) {
      text.append(piece);
    }
  }
  return text;
}

TEST(FastPaths, DecodersGiveThePlainBytesAndCounts) {
  std::mt19937 rng(31);
  for (const CodePieces& code : kDecodePieces) {
    for (const Charset charset :
         {code.charset, code.charset == Charset::Utf16Le ? Charset::Utf16Be : code.charset}) {
      SCOPED_TRACE(std::string(CharsetName(charset)));
      for (int round = 0; round < 150; ++round) {
        const std::string text = RandomText(rng, code.pieces);
        ASSERT_TRUE(testing::ExpectLevelsAgree(
            [charset](SimdLevel level, ByteReader& in, ByteWriter& out) {
              CharsetDecoder decoder(charset);
              decoder.simd = level;
              return PumpStream(decoder, in, out);
            },
            text));
        std::vector<std::size_t> counts;
        for (const SimdLevel level : SupportedSimdLevels()) {
          CharsetDecoder decoder(charset);
          decoder.simd = level;
          std::string out;
          decoder.Feed(text, out);
          decoder.Finish(out);
          counts.push_back(decoder.Unreadable());
        }
        ASSERT_EQ(counts, std::vector<std::size_t>(counts.size(), counts[0])) << ToHex(text);
      }
    }
  }
}

TEST(FastPaths, EncodersGiveThePlainBytesAndCounts) {
  std::mt19937 rng(32);
  for (const Charset charset : kEncodeCharsets) {
    SCOPED_TRACE(std::string(CharsetName(charset)));
    for (int round = 0; round < 150; ++round) {
      const std::string text = RandomText(rng, kUtf8Pieces);
      ASSERT_TRUE(testing::ExpectLevelsAgree(
          [charset](SimdLevel level, ByteReader& in, ByteWriter& out) {
            CharsetEncoder encoder(charset);
            encoder.simd = level;
            return PumpStream(encoder, in, out);
          },
          text));
      std::vector<std::size_t> counts;
      for (const SimdLevel level : SupportedSimdLevels()) {
        CharsetEncoder encoder(charset);
        encoder.simd = level;
        std::string out;
        encoder.Feed(text, out);
        encoder.Finish(out);
        counts.push_back(encoder.Unwritable() * 1000 + encoder.IllFormed());
      }
      ASSERT_EQ(counts, std::vector<std::size_t>(counts.size(), counts[0])) << ToHex(text);
    }
  }
}

TEST(FastPaths, RandomBytesGiveThePlainBytes) {
  std::mt19937 rng(33);
  for (const Charset charset :
       {Charset::Gb18030, Charset::Big5Hkscs, Charset::Utf8, Charset::Utf16Le, Charset::Utf16}) {
    SCOPED_TRACE(std::string(CharsetName(charset)));
    for (int round = 0; round < 60; ++round) {
      // Long enough for whole fast stretches; weighted towards ASCII letters
      // and the bytes that lead and continue codes.
      const std::string bytes =
          testing::RandomBytesFrom(rng, 200, "abc \r\n\xB2\xE2\xA4\x40\xE4\xB8\xAD\x4E\x00"sv, 6);
      const auto decode = [charset](SimdLevel level, ByteReader& in, ByteWriter& out) {
        CharsetDecoder decoder(charset);
        decoder.simd = level;
        return PumpStream(decoder, in, out);
      };
      const auto encode = [charset](SimdLevel level, ByteReader& in, ByteWriter& out) {
        CharsetEncoder encoder(charset);
        encoder.simd = level;
        return PumpStream(encoder, in, out);
      };
      ASSERT_TRUE(testing::ExpectLevelsAgree(decode, bytes));
      ASSERT_TRUE(testing::ExpectLevelsAgree(encode, bytes));
    }
  }
}

// The recoder writes straight into the pump's buffer (FeedInto): each route
// of the fast paths, the converter's own Unicode among them.
TEST(FastPaths, RecodingGivesThePlainBytes) {
  struct Route {
    ConvertCode from;
    ConvertCode to;
    std::size_t pieces;  // index into kDecodePieces, or 3 for UTF-8
  };
  const Route routes[] = {
      {Charset::Gb18030, Charset::Utf8, 0},      {Charset::Big5Hkscs, Charset::Utf8, 1},
      {Charset::Utf16Le, Charset::Utf8, 2},      {Charset::Utf8, Charset::Gb18030, 3},
      {Charset::Utf8, Charset::Big5Hkscs, 3},    {Charset::Utf8, Charset::Utf16, 3},
      {Charset::Gb18030, Charset::Big5Hkscs, 0}, {TextCode::Unicode, Charset::Gb18030, 2},
  };
  std::mt19937 rng(34);
  for (const Route& route : routes) {
    SCOPED_TRACE(std::string(ConvertCodeName(route.from)) + " to " +
                 std::string(ConvertCodeName(route.to)));
    for (int round = 0; round < 60; ++round) {
      const std::string text =
          RandomText(rng, route.pieces < 3 ? kDecodePieces[route.pieces].pieces : kUtf8Pieces);
      ASSERT_TRUE(testing::ExpectLevelsAgree(
          [&route](SimdLevel level, ByteReader& in, ByteWriter& out) {
            RecodeDecoder recoder(route.from, route.to);
            recoder.simd = level;
            return PumpStream(recoder, in, out);
          },
          text));
    }
  }
}

}  // namespace
}  // namespace vortane
