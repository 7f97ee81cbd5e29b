#include "help/help_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cjk/gb_big5.h"
#include "cjk/utf7.h"
#include "cjk/utf8.h"
#include "codec/base64.h"
#include "codec/hz.h"
#include "codec/quoted_printable.h"
#include "codec/restore_high_bits.h"
#include "help/homepages.h"
#include "support/languages.h"
#include "support/stream_check.h"
#include "texts/tri_text.h"

namespace vortane {
namespace {

using testing::kLanguageBig5;
using testing::kLanguageEnglish;
using testing::kLanguageGb;
using testing::Lang;

using testing::ToHex;

constexpr int kLanguages[] = {kLanguageGb, kLanguageEnglish, kLanguageBig5};

std::string Gb(std::string_view utf8) {
  bool complete = true;
  std::string bytes = EncodeUtf8As(utf8, TextCode::Gb, &complete);
  EXPECT_TRUE(complete) << utf8;
  return bytes;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

// Each sample of the samples page, run through the decoding the page names,
// gives GB text.
TEST(HelpSamples, DecodeToGbText) {
  EXPECT_EQ(ToHex(DecodeBase64Text(kSampleBase64)),
            ToHex(Gb("This is a 测试文本,测试Base64编码\r\n ")));
  EXPECT_EQ(ToHex(DecodeQuotedPrintableText(kSampleQuotedPrintable, true)),
            ToHex(Gb("测试Quoted Printable编码")));
  EXPECT_EQ(ToHex(DecodeHzText(kSampleHz)), ToHex(Gb("This is a 测试文本,测试HZ Code编码")));
  EXPECT_EQ(ToHex(DecodeUtf7Text(kSampleUtf7, TextCode::Gb)),
            ToHex(Gb("This is a 测试文本,测试UTF-7编码")));
  EXPECT_EQ(ToHex(DecodeUtf8Text(kSampleUtf8, TextCode::Gb)),
            ToHex(Gb("This is a 测试文本,测试UTF-8编码")));
  EXPECT_EQ(
      ToHex(RestoreHighBits(kSampleHighBitsLost, kSampleHighBitsStart, kSampleHighBitsLost.size())),
      ToHex(Gb("This is a 测试丢失高位的编码")));
  EXPECT_EQ(ToHex(kSampleGbSentence), ToHex(Gb("中文电子邮件")));
  EXPECT_EQ(ToHex(ConvertGbToBig5Text(kSampleGbSentence)), ToHex(kSampleBig5Sentence));
  EXPECT_EQ(ToHex(ConvertBig5ToGbText(kSampleBig5Sentence)), ToHex(kSampleGbSentence));
}

TEST(HelpPages, SamplesPageHoldsEverySampleInEveryLanguage) {
  const std::vector<std::string_view> samples = {kSampleBase64, kSampleQuotedPrintable,
                                                 kSampleHz,     kSampleUtf7,
                                                 kSampleUtf8,   kSampleHighBitsLost};
  for (const int language : kLanguages) {
    SCOPED_TRACE(language);
    const auto lines = Lines(HelpPageBody(2, Lang(language).ForMessages()).bytes);
    // Seven headings, seven sample lines and the second sentence of sample 7.
    ASSERT_EQ(lines.size(), 15u);
    for (std::size_t i = 0; i < samples.size(); ++i) {
      EXPECT_EQ(lines[2 * i].rfind("    " + std::to_string(i + 1) + ", ", 0), 0u) << lines[2 * i];
      EXPECT_EQ(lines[2 * i + 1], "        " + std::string(samples[i]));
    }
    // The Big5 page shows the Big5 sentence first.
    const bool big5First = language == kLanguageBig5;
    EXPECT_EQ(lines[13],
              "        " + std::string(big5First ? kSampleBig5Sentence : kSampleGbSentence));
    EXPECT_EQ(lines[14],
              "        " + std::string(big5First ? kSampleGbSentence : kSampleBig5Sentence));
  }
}

TEST(HelpPages, EnglishSampleHeadingsAreTheFixedOnes) {
  const auto lines = Lines(HelpPageBody(2, Lang(kLanguageEnglish).ForMessages()).bytes);
  ASSERT_EQ(lines.size(), 15u);
  const char* headings[] = {
      "    1, Base 64 code sample",
      "    2, Quoted Printable code sample",
      "    3, HZ code code sample",
      "    4, UTF-7 code sample",
      "    5, UTF-8 code sample",
      "    6, lose high order bit code sample",
      "    7, GB,BIG5 are both 8bit Chinese codes",
  };
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(lines[2 * i], headings[i]);
  }
  // Its sample bytes are shown as a GB reader sees them.
  EXPECT_EQ(HelpPageBody(2, Lang(kLanguageEnglish).ForMessages()).code, UiCode::Gb);
}

TEST(HelpPages, EnglishIntroductionOpensWithItsFixedSentence) {
  EXPECT_EQ(Lines(HelpPageBody(0, Lang(kLanguageEnglish).ForMessages()).bytes).front(),
            "Vortane is a appropriable software to decode the common mail code on the internet.");
}

TEST(HelpPages, UsagePageHasFivePointsAndTheChineseOnesALeadLine) {
  for (const int language : kLanguages) {
    SCOPED_TRACE(language);
    const auto lines = Lines(HelpPageBody(1, Lang(language).ForMessages()).bytes);
    const std::size_t first = language == kLanguageEnglish ? 0 : 1;
    ASSERT_EQ(lines.size(), first + 5);
    for (std::size_t i = 0; i < 5; ++i) {
      EXPECT_EQ(lines[first + i].rfind(std::to_string(i + 1) + ". ", 0), 0u);
    }
  }
}

TEST(HelpPages, AuthorPageGivesTheHomepageOfItsLanguage) {
  EXPECT_NE(HelpPageBody(3, Lang(kLanguageGb).ForMessages()).bytes.find(kHomepageGb),
            std::string::npos);
  EXPECT_NE(HelpPageBody(3, Lang(kLanguageBig5).ForMessages()).bytes.find(kHomepageBig5),
            std::string::npos);
  EXPECT_NE(HelpPageBody(3, Lang(kLanguageEnglish).ForMessages()).bytes.find(kHomepageEnglish),
            std::string::npos);
}

TEST(HelpPages, ChinesePagesAreWhollyInTheirCodeWithCrLfLines) {
  for (const int language : kLanguages) {
    for (int page = 0; page < 4; ++page) {
      SCOPED_TRACE(std::to_string(language) + "/" + std::to_string(page));
      const std::string text = HelpPageBody(page, Lang(language).ForMessages()).bytes;
      // No character fell out of the code (it would show as "?").
      EXPECT_EQ(text.find('?'), std::string::npos);
      for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
          ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << i;
        }
      }
      EXPECT_NE(text.substr(text.size() - 2), "\r\n");
    }
  }
}

TEST(HelpPages, UnknownPageIsEmpty) {
  EXPECT_EQ(HelpPageBody(4, Lang(kLanguageGb).ForMessages()).bytes, "");
  EXPECT_EQ(HelpPageBody(-1, Lang(kLanguageEnglish).ForMessages()).bytes, "");
}

}  // namespace
}  // namespace vortane
