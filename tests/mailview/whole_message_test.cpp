#include "mailview/whole_message.h"

#include <gtest/gtest.h>

#include <string>

namespace vortane {
namespace {

TEST(WholeMessage, TextOutputWithCrLfLineEnds) {
  const WholeMessageText result = ReadWholeMessageText(
      "Subject: =?gb2312?B?1tDOxA==?=\r\nFrom: a@b\r\n"
      "Content-Type: text/plain; charset=utf-8\r\n\r\nline 1\nline 2\r\n");
  EXPECT_EQ(result.messages, 1U);
  EXPECT_EQ(result.parts, 1U);
  EXPECT_EQ(result.uncleanParts, 0U);
  EXPECT_NE(result.utf8.find("Subject: 中文\r\nFrom: a@b\r\n"), std::string::npos) << result.utf8;
  EXPECT_NE(result.utf8.find("line 1\r\nline 2\r\n"), std::string::npos) << result.utf8;
  EXPECT_EQ(result.utf8.find("\r\r"), std::string::npos);
  for (std::size_t i = 0; i < result.utf8.size(); ++i) {
    if (result.utf8[i] == '\n') {
      ASSERT_TRUE(i > 0 && result.utf8[i - 1] == '\r') << i;
    }
  }
}

TEST(WholeMessage, MboxMessagesAreNumbered) {
  const WholeMessageText result = ReadWholeMessageText(
      "From a Wed\nSubject: one\n\nbody 1\n\nFrom b Wed\nSubject: two\n\nbody 2\n");
  EXPECT_EQ(result.messages, 2U);
  EXPECT_NE(result.utf8.find("=== message 1\r\nSubject: one"), std::string::npos);
  EXPECT_NE(result.utf8.find("=== message 2\r\nSubject: two"), std::string::npos);
}

// 8-bit text that its charset cannot read is the mark of a frame that lost
// bytes; the same damage inside Base64 is not.
TEST(WholeMessage, CountsUncleanEightBitTextParts) {
  const struct {
    std::string_view message;
    std::size_t unclean;
  } kCases[] = {
      {"Content-Type: text/plain; charset=gb2312\n\n\xD6\xD0\xCE\xC4\n", 0},
      {"Content-Type: text/plain; charset=utf-8\n\nbad \xFF\xFE\xFD\xFC bytes \xC0\n", 1},
      {"Content-Type: text/plain; charset=utf-8\nContent-Transfer-Encoding: base64\n\n"
       "/////w==\n",
       0},
      {"", 0},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ReadWholeMessageText(c.message).uncleanParts, c.unclean) << c.message;
  }
}

}  // namespace
}  // namespace vortane
