#include "charsets/encoder_pair.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <string_view>

#include "charsets/label_map.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

constexpr std::size_t kNone = std::string_view::npos;

struct CutCase {
  const char* name;
  const char* text;  // hex
  std::size_t from;
  std::size_t within;
  std::size_t cut;
};

const CutCase kCutCases[] = {
    {"AfterAscii", "41 42 43", 1, 8, 1},
    {"AfterAThreeByteCharacter", "E4B8AD E4B8AD", 1, 8, 3},
    // Ê waits for a combining mark (Big5-HKSCS writes the two as one code).
    {"NeverBetweenALetterAndItsMark", "C38A CC84 41", 1, 8, 5},
    {"NotInsideAFourByteCharacter", "F09F9880 41", 1, 8, 5},
    {"AfterAnIllFormedSequenceEndedByALead", "E4B8 E4B8AD", 1, 8, 5},
    {"AtTheEndOfTheText", "E4B8AD", 3, 8, 3},
    {"NoneWithinTheSearch", "E4B8AD E4B8AD E4B8AD", 4, 1, kNone},
    {"NoneInTwoByteCharacters", "C3A9 C3A9 C3A9", 1, 8, kNone},
};

TEST(CleanCut, FollowsACompleteCharacter) {
  for (const CutCase& c : kCutCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CleanCut(Hex(c.text), c.from, c.within), c.cut);
  }
}

// Mail-like UTF-8 with what an encoder carries or counts: Chinese and ASCII,
// a letter with its combining mark, characters Big5-HKSCS lacks, ill-formed
// and cut-off sequences.
std::string MixedUtf8(std::size_t size, unsigned seed) {
  static const char* const kPieces[] = {"\xE4\xB8\xAD\xE6\x96\x87",
                                        "mail ",
                                        "\n",
                                        "\xC3\x8A\xCC\x84",
                                        "\xC3\xAA",
                                        "\xCC\x8C",
                                        "\xF0\x9F\x98\x80",
                                        "\xFF",
                                        "\xE4\xB8",
                                        "\xE2\x82\xAC",
                                        "\xE4\xBD\xA0\xE5\xA5\xBD\xEF\xBC\x8C"};
  std::mt19937 rng(seed);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
  std::string text;
  while (text.size() < size) {
    text += kPieces[pick(rng)];
  }
  return text;
}

TEST(EncoderPair, CutsOnlyCodesThatCarryNoMode) {
  for (const auto& [charset, mayCut] : {std::pair{Charset::Gb18030, true},
                                        {Charset::Big5Hkscs, true},
                                        {Charset::Utf8, true},
                                        {Charset::Utf16Le, true},
                                        {Charset::Utf16Be, true},
                                        {Charset::Utf16, false},
                                        {Charset::Hz, false},
                                        {Charset::Utf7, false}}) {
    EXPECT_EQ(EncoderPair(charset).MayCut(), mayCut) << CharsetName(charset);
  }
}

// Blocks cut in two, each part read by the other encoder, give the bytes and
// counts of one encoder reading the text whole.
TEST(EncoderPair, CutBlocksGiveTheBytesOfOneEncoder) {
  const std::string text = MixedUtf8(20000, 7);
  for (const Charset charset :
       {Charset::Gb18030, Charset::Big5Hkscs, Charset::Utf8, Charset::Utf16Le}) {
    SCOPED_TRACE(std::string(CharsetName(charset)));
    CharsetEncoder whole(charset, IllFormedUtf8::Replacement);
    std::string expected;
    whole.Feed(text, expected);
    whole.Finish(expected);
    for (const std::size_t block : {std::size_t{7}, std::size_t{64}, std::size_t{1000}}) {
      EncoderPair pair(charset, IllFormedUtf8::Replacement);
      std::string got;
      for (std::size_t at = 0; at < text.size(); at += block) {
        const std::string_view piece = std::string_view(text).substr(at, block);
        const std::size_t cut = CleanCut(piece, piece.size() / 2, piece.size());
        const std::string_view head = cut == kNone ? piece : piece.substr(0, cut);
        std::string room(pair.MaxOutput(piece.size()), '\0');
        got.append(room.data(), pair.FeedInto(head, room.data()));
        if (cut != kNone && cut < piece.size()) {
          got.append(room.data(), pair.FeedAfterCutInto(piece.substr(cut), room.data()));
          pair.EndCut();
        }
      }
      pair.Finish(got);
      EXPECT_EQ(ToHex(got), ToHex(expected)) << "blocks of " << block;
      EXPECT_EQ(pair.Unwritable(), whole.Unwritable());
      EXPECT_EQ(pair.IllFormed(), whole.IllFormed());
    }
  }
}

}  // namespace
}  // namespace vortane
