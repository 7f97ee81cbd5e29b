#include "mail/text_reading.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace vortane {
namespace {

TEST(DeclaredCharsetFails, MoreThanOneInAHundred) {
  EXPECT_FALSE(DeclaredCharsetFails(0, 0));
  EXPECT_FALSE(DeclaredCharsetFails(1, 100));
  EXPECT_TRUE(DeclaredCharsetFails(2, 100));
  EXPECT_TRUE(DeclaredCharsetFails(1, 99));
  EXPECT_TRUE(DeclaredCharsetFails(1, 1));
}

struct ReadingCase {
  const char* name;
  std::string bytes;
  std::optional<Charset> declared;
  std::string text;
  Charset charset;
  bool guessed;
};

void PrintTo(const ReadingCase& c, std::ostream* os) { *os << c.name; }

class TextReadingCases : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(TextReadingCases, TextAndCharset) {
  const ReadingCase& c = GetParam();
  const TextReading reading = ReadTextBytes(c.bytes, c.declared, {});
  EXPECT_EQ(reading.utf8, c.text);
  EXPECT_EQ(reading.charset, c.charset);
  EXPECT_EQ(reading.guessed, c.guessed);
}

std::string Repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) {
    out += s;
  }
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextReadingCases,
    ::testing::Values(
        ReadingCase{"DeclaredReadsWell", "\xD6\xD0", Charset::Gb18030, "中", Charset::Gb18030,
                    false},
        ReadingCase{"AsciiWithoutDeclaration", "abc", std::nullopt, "abc", Charset::Utf8, true},
        ReadingCase{"MissingReadsAsGb", "\xD6\xD0\xCE\xC4", std::nullopt, "中文", Charset::Gb18030,
                    true},
        ReadingCase{"MissingReadsAsUtf8First", "\xE4\xB8\xAD", std::nullopt, "中", Charset::Utf8,
                    true},
        // UTF-8 labelled GB: every line's last byte pairs with the line end and fails.
        ReadingCase{"WrongDeclarationFails", "\xE4\xB8\xAD\n\xE6\x96\x87\n", Charset::Gb18030,
                    "中\n文\n", Charset::Utf8, true},
        // One stray byte in a long Big5 text keeps Big5 (GB18030 reads every Big5 pair).
        ReadingCase{"FewBadBytesKeepDeclared", Repeat("\xB4\xFA\xB8\xD5", 100) + "\x80",
                    Charset::Big5Hkscs, Repeat("測試", 100) + "\xEF\xBF\xBD", Charset::Big5Hkscs,
                    false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextReading, FailingDeclaredCharsetIsOfferedFirst) {
  std::vector<Charset> seen;
  const CharsetGuesser guess = [&](std::string_view, std::span<const Charset> candidates) {
    seen.assign(candidates.begin(), candidates.end());
    return Charset::Big5Hkscs;
  };
  const TextReading reading = ReadTextBytes("\xFF\xFF", Charset::Utf8, guess);
  EXPECT_EQ(seen, (std::vector<Charset>{Charset::Utf8, Charset::Gb18030, Charset::Big5Hkscs}));
  EXPECT_EQ(reading.charset, Charset::Big5Hkscs);
  EXPECT_TRUE(reading.guessed);
}

TEST(TextReading, GuesserKeepingTheDeclaredCharsetIsNoGuess) {
  const CharsetGuesser guess = [](std::string_view, std::span<const Charset> candidates) {
    return candidates.front();
  };
  const TextReading reading = ReadTextBytes("\xFF\xFF", Charset::Gb18030, guess);
  EXPECT_EQ(reading.charset, Charset::Gb18030);
  EXPECT_FALSE(reading.guessed);
  EXPECT_EQ(reading.unreadable, 2u);
}

}  // namespace
}  // namespace vortane
