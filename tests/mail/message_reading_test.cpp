#include "mail/message_reading.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "charsets/label_map.h"

namespace vortane {
namespace {

// A one-part message and what its first part reads as.
struct PartCase {
  const char* name;
  std::string message;
  std::string text;
  std::string charset;  // canonical name of the code the text was read with
  bool guessed;
};

void PrintTo(const PartCase& c, std::ostream* os) { *os << c.name; }

class MessagePartText : public ::testing::TestWithParam<PartCase> {};

TEST_P(MessagePartText, TextAndCharset) {
  const PartCase& c = GetParam();
  const DecodedMessage m = ReadMessage(c.message);
  ASSERT_EQ(m.parts.size(), 1u);
  const DecodedPart& part = m.parts[0];
  ASSERT_TRUE(part.text.has_value());
  EXPECT_EQ(*part.text, c.text);
  ASSERT_TRUE(part.charset.has_value());
  EXPECT_EQ(CharsetName(*part.charset), c.charset);
  EXPECT_EQ(part.charsetGuessed, c.guessed);
}

std::string TextMessage(std::string_view type, std::string_view encoding, std::string_view body) {
  std::string m = "Content-Type: " + std::string(type) + "\n";
  if (!encoding.empty()) {
    m += "Content-Transfer-Encoding: " + std::string(encoding) + "\n";
  }
  return m + "\n" + std::string(body);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MessagePartText,
    ::testing::Values(
        PartCase{"Gb2312HoldingGbk",
                 TextMessage("text/plain; charset=gb2312", "base64", "1uzpRrv5"), "朱镕基",
                 "gb18030", false},
        PartCase{"Big5HoldingHkscs",
                 TextMessage("text/plain; charset=\"Big5\"", "8bit", "\xA7\x41\x9D\xEF"), "你嘅",
                 "big5-hkscs", false},
        PartCase{"XGbk", TextMessage("text/plain; charset=x-gbk", "", "\xD6\xD0\xCE\xC4"), "中文",
                 "gb18030", false},
        PartCase{"HzBody", TextMessage("text/plain; charset=HZ-GB-2312", "7bit", "a ~{VPND~} b"),
                 "a 中文 b", "hz-gb-2312", false},
        PartCase{"Utf7Body", TextMessage("text/plain; charset=utf-7", "7bit", "+ZeVnLIqe-"),
                 "日本語", "utf-7", false},
        PartCase{"Utf7InsideQuotedPrintable",
                 TextMessage("text/plain; charset=unicode-1-1-utf-7", "quoted-printable",
                             "+ZeVn=\nLIqe-"),
                 "日本語", "utf-7", false},
        PartCase{"HtmlAsItsSource",
                 TextMessage("text/html; charset=utf-8", "base64", "PGI+5Lit5paHPC9iPg=="),
                 "<b>中文</b>", "utf-8", false},
        // A line break inside a GB character: the lead byte moves to the next line.
        PartCase{"GbSplitByHardLineBreak",
                 TextMessage("text/plain; charset=gb2312", "quoted-printable", "=D6\n=D0=CE=C4\n"),
                 "\n中文\n", "gb18030", false},
        // A Big5 second byte in the ASCII range stands unescaped: nothing moves.
        PartCase{"Big5LiteralSecondByte",
                 TextMessage("text/plain; charset=big5", "quoted-printable", "=A7A\n=9D=EF"),
                 "你\n嘅", "big5-hkscs", false},
        PartCase{"UtfEightIsNotRepaired",
                 TextMessage("text/plain; charset=utf-8", "quoted-printable",
                             "=E4=B8\n=AD" + std::string(300, 'a')),
                 "\xEF\xBF\xBD\n\xEF\xBF\xBD" + std::string(300, 'a'), "utf-8", false},
        PartCase{"WrongCharsetGuessed",
                 TextMessage("text/plain; charset=gb2312", "8bit", "\xE4\xB8\xAD\n\xE6\x96\x87\n"),
                 "中\n文\n", "utf-8", true},
        PartCase{"MissingCharsetGuessed", TextMessage("text/plain", "8bit", "\xD6\xD0\xCE\xC4"),
                 "中文", "gb18030", true},
        PartCase{"UnknownCharsetGuessed",
                 TextMessage("text/plain; charset=x-mystery", "base64", "5Lit5paH"), "中文",
                 "utf-8", true},
        PartCase{"UsAsciiReadAsUtf8", TextMessage("text/plain; charset=us-ascii", "7bit", "hello"),
                 "hello", "utf-8", false},
        PartCase{"UsAsciiHoldingGb",
                 TextMessage("text/plain; charset=US-ASCII", "8bit", "\xD6\xD0\xCE\xC4"), "中文",
                 "gb18030", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageReading, HeadersInOrderDecoded) {
  const DecodedMessage m = ReadMessage(
      "Subject: =?utf-8?B?5Lg=?= =?utf-8?B?reaWhw==?=\n"
      "From: =?gb2312?B?1tDOxA==?= <a@example.com>\n"
      "X-Raw: \xB2\xE2\xCA\xD4\n"
      "\nbody");
  ASSERT_EQ(m.headers.size(), 3u);
  EXPECT_EQ(m.headers[0].name, "Subject");
  EXPECT_EQ(m.headers[0].value, "中文");
  EXPECT_EQ(m.headers[1].value, "中文 <a@example.com>");
  EXPECT_EQ(m.headers[2].value, "测试");
}

TEST(MessageReading, HzSubjectOnlyInAnHzMessage) {
  const std::string body = "\n~{VPND~}";
  const DecodedMessage hz =
      ReadMessage("Subject: ~{VPND~}\nContent-Type: text/plain; charset=\"HZ-GB-2312\"\n" + body);
  EXPECT_EQ(hz.headers[0].value, "中文");
  const DecodedMessage plain = ReadMessage("Subject: ~{VPND~}\nContent-Type: text/plain\n" + body);
  EXPECT_EQ(plain.headers[0].value, "~{VPND~}");
}

struct FileNameCase {
  const char* name;
  std::string headers;
  std::optional<std::string> fileName;
  bool attachment;
};

void PrintTo(const FileNameCase& c, std::ostream* os) { *os << c.name; }

class PartFileNames : public ::testing::TestWithParam<FileNameCase> {};

TEST_P(PartFileNames, DecodedName) {
  const DecodedMessage m = ReadMessage(GetParam().headers + "\nx");
  ASSERT_EQ(m.parts.size(), 1u);
  EXPECT_EQ(m.parts[0].fileName, GetParam().fileName);
  EXPECT_EQ(m.parts[0].attachment, GetParam().attachment);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PartFileNames,
    ::testing::Values(
        FileNameCase{"Rfc2231SplitInsideCharacter",
                     "Content-Type: application/octet-stream\n"
                     "Content-Disposition: attachment;\n filename*0*=gb2312''%D6;\n "
                     "filename*1*=%D0%CE%C4.txt\n",
                     "中文.txt", true},
        FileNameCase{"EncodedWordInQuotedName",
                     "Content-Type: application/pdf; name=\"=?gb2312?B?1tDOxA==?=.pdf\"\n",
                     "中文.pdf", true},
        FileNameCase{
            "DispositionWinsOverName",
            "Content-Type: image/png; name=a.png\nContent-Disposition: inline; filename=b.png\n",
            "b.png", true},
        FileNameCase{"Rfc2231Utf8",
                     "Content-Disposition: attachment; filename*=UTF-8''%E4%B8%AD.doc\n", "中.doc",
                     true},
        FileNameCase{"RawGbkName", "Content-Disposition: attachment; filename=\"\xD6\xD0.txt\"\n",
                     "中.txt", true},
        FileNameCase{"TextBodyIsNoAttachment", "Content-Type: text/plain\n", std::nullopt, false},
        FileNameCase{"TextAttachment",
                     "Content-Type: text/plain\nContent-Disposition: attachment\n", std::nullopt,
                     true},
        FileNameCase{"ImageWithoutName", "Content-Type: image/gif\n", std::nullopt, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageReading, PartsOfAMultipartWithSizesAndEncodings) {
  const DecodedMessage m = ReadMessage(
      "Content-Type: multipart/mixed; boundary=b\n\n"
      "--b\nContent-Type: text/plain; charset=GB2312\nContent-Transfer-Encoding: "
      "base64\n\n1tDOxA==\n"
      "--b\nContent-Type: message/rfc822\n\nSubject: inner\n\nhi\n"
      "--b--\n");
  ASSERT_EQ(m.parts.size(), 2u);
  EXPECT_EQ(m.parts[0].declaredCharset, "gb2312");
  EXPECT_EQ(m.parts[0].transferEncoding, "base64");
  EXPECT_EQ(m.parts[0].content.size(), 4u);
  EXPECT_EQ(m.parts[1].contentType, "message/rfc822");
  EXPECT_FALSE(m.parts[1].text.has_value());
  EXPECT_EQ(m.parts[1].content, "Subject: inner\n\nhi");
  EXPECT_TRUE(m.parts[1].attachment);
}

TEST(MessageReading, BoundsReachedAreReported) {
  MailReadingOptions options;
  options.limits.maxParts = 1;
  const DecodedMessage m = ReadMessage(
      "Content-Type: multipart/mixed; boundary=b\n\n--b\n\n1\n--b\n\n2\n--b--\n", options);
  EXPECT_EQ(m.parts.size(), 1u);
  EXPECT_EQ(m.problems, std::vector<MailProblem>{MailProblem::TooManyParts});
}

TEST(MessageReading, GuesserHookIsUsed) {
  MailReadingOptions options;
  int calls = 0;
  options.guess = [&](std::string_view, std::span<const Charset>) {
    ++calls;
    return Charset::Big5Hkscs;
  };
  const DecodedMessage m = ReadMessage("Content-Type: text/plain\n\n\xA4\xA4", options);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(m.parts[0].text, "中");
}

}  // namespace
}  // namespace vortane
