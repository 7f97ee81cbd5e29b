#include "codec/base64.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>

#include "support/level_check.h"
#include "support/random_bytes.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::ExpectBlockSizeIndependent;
using testing::Hex;
using testing::RandomBytes;
using testing::RunStream;
using testing::ToHex;

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

StreamStatus Base64Stream(ByteReader& in, ByteWriter& out) { return DecodeBase64Stream(in, out); }

TEST(Base64Chars, EveryByteHasTheRightKindAndValue) {
  for (int c = 0; c < 256; ++c) {
    const auto byte = static_cast<unsigned char>(c);
    const std::size_t index = kAlphabet.find(static_cast<char>(byte));
    if (index != std::string_view::npos) {
      EXPECT_EQ(ClassifyBase64Char(byte), Base64CharKind::Alphabet) << c;
      EXPECT_EQ(Base64CharValue(byte), static_cast<int>(index)) << c;
    } else if (byte == '\r' || byte == '\n' || byte == ' ') {
      EXPECT_EQ(ClassifyBase64Char(byte), Base64CharKind::Skip) << c;
    } else {
      EXPECT_EQ(ClassifyBase64Char(byte), Base64CharKind::Stop) << c;
    }
  }
}

struct Base64Case {
  const char* name;
  std::string input;
  std::string frame;  // DecodeBase64Text
  std::string file;   // DecodeBase64Stream
};

void PrintTo(const Base64Case& c, std::ostream* os) { *os << c.name; }

class Base64Rules : public ::testing::TestWithParam<Base64Case> {};

TEST_P(Base64Rules, FrameAndFileGiveTheirBytes) {
  const Base64Case& c = GetParam();
  EXPECT_EQ(ToHex(DecodeBase64Text(c.input)), ToHex(c.frame));
  EXPECT_EQ(ToHex(ExpectBlockSizeIndependent(Base64Stream, c.input)), ToHex(c.file));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Base64Rules,
    ::testing::Values(
        Base64Case{"OneGroup", "QUJD", "ABC", "ABC"},
        Base64Case{"SpaceInsideGroup", "QU JD", "ABC", "ABC"},
        Base64Case{"LineBreakInsideGroup", "QU\r\nJD", "ABC", "ABC"},
        Base64Case{"TwoPadsGiveOneByte", "QUJDRE==", "ABCD", "ABCD"},
        Base64Case{"OnePadGivesTwoBytes", "QUJDREU=", "ABCDE", "ABCDE"},
        Base64Case{"ShortTailNotBegunInFrame", "QUJDRE", "ABC", "ABCD"},
        Base64Case{"TailBegunWhenLineBreakMakesFourBytes", "QUJD\r\nRE", "ABCD", "ABCD"},
        Base64Case{"ThreeBytesAreTooFewForFrame", "QUJ", "", "AB"},
        Base64Case{"OneCharacterGivesNothing", "Q", "", ""}, Base64Case{"Empty", "", "", ""},
        Base64Case{"DashStops", "QUJD-REVG", "ABC", "ABC"},
        Base64Case{"TabStops", "QUJD\tREVG", "ABC", "ABC"},
        Base64Case{"HighByteStops", "QUJD\xB2REVG", "ABC", "ABC"},
        Base64Case{"SecondPartAfterPadIgnored", "QUJD====REVG", "ABC", "ABC"},
        Base64Case{"StopAtSecondPlaceGivesNothing", "QUJDR=", "ABC", "ABC"},
        Base64Case{"TrailingBlanksDoNotBeginAGroup", "QUJD  ", "ABC", "ABC"},
        Base64Case{"BlanksInsideLastGroupReachTheEnd", "QUJ\r\n", "AB", "AB"},
        Base64Case{"GroupBegunOverLeadingBlanks", "\r\n \r\nQUJD", "ABC", "ABC"},
        Base64Case{"MailHeaderDecodedFromFirstByte", "Content-Type: text/plain", Hex("0A89ED 7A7B"),
                   Hex("0A89ED 7A7B")},
        Base64Case{"ZeroBytesKept", "AAAAQUJD", Hex("000000 414243"), Hex("000000 414243")}),
    [](const auto& info) { return std::string(info.param.name); });

// Reads one block and fails on any further read.
class FailingAfterFirstRead final : public ByteReader {
 public:
  explicit FailingAfterFirstRead(std::string_view first) : first_(first) {}
  ReadResult Read(std::span<char> buffer) override {
    if (done_) {
      return {0, true};
    }
    done_ = true;
    std::copy(first_.begin(), first_.end(), buffer.begin());
    return {first_.size(), false};
  }

 private:
  std::string_view first_;
  bool done_ = false;
};

TEST(Base64Stream, ReadingEndsAtFirstStopByte) {
  FailingAfterFirstRead reader("QUJD=");
  StringWriter writer;
  EXPECT_EQ(DecodeBase64Stream(reader, writer), StreamStatus::Ok);
  EXPECT_EQ(writer.bytes(), "ABC");
}

TEST(Base64Stream, DoneOnlyAfterStopByte) {
  Base64StreamDecoder decoder;
  std::string out;
  decoder.Feed("QUJDRE", out);
  EXPECT_FALSE(decoder.Done());
  decoder.Feed("\r\nVG=QUJD", out);
  EXPECT_TRUE(decoder.Done());
  decoder.Feed("QUJD", out);
  decoder.Finish(out);
  EXPECT_EQ(out, "ABCDEF");
}

// Plain encoder with "=" padding, broken into lines of `width` characters.
std::string Encode(std::string_view bytes, std::size_t width, std::string_view lineEnd) {
  std::string chars;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    std::uint32_t v = 0;
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    for (std::size_t k = 0; k < 3; ++k) {
      v = (v << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    }
    for (std::size_t k = 0; k < 4; ++k) {
      chars.push_back(k <= n ? kAlphabet[(v >> (18 - 6 * k)) & 0x3F] : '=');
    }
  }
  std::string text;
  for (std::size_t i = 0; i < chars.size(); i += width) {
    text.append(chars, i, width);
    text.append(lineEnd);
  }
  return text;
}

TEST(Base64Property, EncodedBytesComeBackInBothRules) {
  std::mt19937 rng(1);
  for (std::size_t size = 0; size < 200; ++size) {
    const std::string bytes = RandomBytes(rng, size);
    for (std::size_t width : {4u, 7u, 64u, 76u}) {
      for (std::string_view lineEnd : {"\r\n", "\n", " "}) {
        const std::string text = Encode(bytes, width, lineEnd);
        ASSERT_EQ(ToHex(DecodeBase64Text(text)), ToHex(bytes)) << text;
        ASSERT_EQ(ToHex(RunStream(Base64Stream, text)), ToHex(bytes)) << text;
      }
    }
  }
}

// Text of Alphabet, Skip and (rarely) Stop bytes, so groups straddle blanks.
std::string RandomBase64Text(std::mt19937& rng, std::size_t size) {
  std::uniform_int_distribution<int> pick(0, 99);
  std::uniform_int_distribution<std::size_t> letter(0, kAlphabet.size() - 1);
  std::string text;
  for (std::size_t i = 0; i < size; ++i) {
    const int r = pick(rng);
    if (r < 85) {
      text.push_back(kAlphabet[letter(rng)]);
    } else if (r < 97) {
      text.push_back("\r\n "[r % 3]);
    } else if (r < 98) {
      text.push_back("=-\t\x80"[r % 4]);
    } else {
      text.push_back(kAlphabet[letter(rng)]);
    }
  }
  return text;
}

TEST(Base64Property, FrameAndFileAgreeWhenTextEndsInStopBytes) {
  std::mt19937 rng(2);
  for (int round = 0; round < 2000; ++round) {
    std::string text = RandomBase64Text(rng, rng() % 40);
    // Three Stop bytes at the end make every group the file rule begins one
    // that the frame rule begins too.
    text += "=.:";
    ASSERT_EQ(ToHex(DecodeBase64Text(text)), ToHex(RunStream(Base64Stream, text))) << text;
  }
}

TEST(Base64Property, LargeInputIndependentOfBlockEdges) {
  std::mt19937 rng(3);
  // Mostly clean 76-column lines with rare blanks inside, over several 64 KiB blocks.
  std::string text = Encode(RandomBytes(rng, 150000), 76, "\r\n");
  for (std::size_t i = 1000; i < text.size(); i += 997) {
    text[i] = ' ';
  }
  text.insert(text.size() / 2, " \r\n");
  const std::string out = ExpectBlockSizeIndependent(Base64Stream, text);
  EXPECT_GT(out.size(), 100000u);
}

StreamStatus Base64AtLevel(SimdLevel level, ByteReader& in, ByteWriter& out) {
  Base64StreamDecoder decoder;
  decoder.simd = level;
  return PumpStream(decoder, in, out);
}

TEST(Base64FastPaths, GiveThePlainBytes) {
  std::mt19937 rng(4);
  constexpr std::string_view kLineEnds[] = {"\r\n", "\n", " ", "\r\n\r\n"};
  constexpr std::string_view kStrays = " \r\n=-\t\x80";
  for (int round = 0; round < 400; ++round) {
    const std::size_t widths[] = {4, 16, 57, 64, 76, 1 + rng() % 100};
    std::string text =
        Encode(RandomBytes(rng, rng() % 700), widths[rng() % 6], kLineEnds[rng() % 4]);
    // Now and then a blank inside a group, or a Stop byte, anywhere.
    for (std::size_t strays = rng() % 3; strays > 0 && !text.empty(); --strays) {
      text[rng() % text.size()] = kStrays[rng() % kStrays.size()];
    }
    ASSERT_TRUE(testing::ExpectLevelsAgree(Base64AtLevel, text));
  }
}

}  // namespace
}  // namespace vortane
