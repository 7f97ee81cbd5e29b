#include "mail/message_output.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vortane {
namespace {

const std::string kMessage =
    "Date: Mon, 1 Jan 2024 10:00:00 +0800\n"
    "Subject: =?gb2312?B?1tDOxA==?=\n"
    "From: a@example.com\n"
    "X-Other: x\n"
    "Content-Type: multipart/mixed; boundary=b\n"
    "\n"
    "--b\n"
    "Content-Type: text/plain; charset=GB2312\n"
    "Content-Transfer-Encoding: base64\n"
    "\n"
    "1tDOxA==\n"
    "--b\n"
    "Content-Type: text/plain\n"
    "\n"
    "a\"b\n"
    "--b\n"
    "Content-Type: image/png; name=\"p q.png\"\n"
    "\n"
    "PNG\n"
    "--b--\n";

TEST(MessageOutput, TextShowsMainFieldsAndTextParts) {
  std::string out;
  AppendMessageText(out, ReadMessage(kMessage));
  EXPECT_EQ(out,
            "Subject: 中文\n"
            "From: a@example.com\n"
            "Date: Mon, 1 Jan 2024 10:00:00 +0800\n"
            "\n"
            "--- part 1: text/plain, declared gb2312, read as gb18030, 4 bytes\n"
            "中文\n"
            "--- part 2: text/plain, no charset declared, read as utf-8, 3 bytes\n"
            "a\"b\n"
            "--- part 3: image/png, file \"p q.png\", 3 bytes\n");
}

TEST(MessageOutput, JsonListsEveryFieldAndPart) {
  std::string out;
  AppendMessageJson(out, ReadMessage(kMessage));
  EXPECT_EQ(
      out,
      R"({"headers":[{"name":"Date","value":"Mon, 1 Jan 2024 10:00:00 +0800"},)"
      R"({"name":"Subject","value":"中文"},{"name":"From","value":"a@example.com"},)"
      R"({"name":"X-Other","value":"x"},)"
      R"({"name":"Content-Type","value":"multipart/mixed; boundary=b"}],)"
      R"("parts":[{"index":1,"content_type":"text/plain","declared_charset":"gb2312",)"
      R"("charset":"gb18030","transfer_encoding":"base64","filename":null,"size":4,"text":"中文"},)"
      R"({"index":2,"content_type":"text/plain","declared_charset":null,"charset":"utf-8",)"
      R"("transfer_encoding":null,"filename":null,"size":3,"text":"a\"b"},)"
      R"({"index":3,"content_type":"image/png","declared_charset":null,"charset":null,)"
      R"("transfer_encoding":null,"filename":"p q.png","size":3,"text":null}]})"
      "\n");
}

TEST(MessageOutput, JsonNamesSavedAttachments) {
  std::string out;
  const std::vector<std::optional<std::string>> saved = {std::nullopt, std::nullopt, "p q-2.png"};
  AppendMessageJson(out, ReadMessage(kMessage), saved);
  EXPECT_NE(out.find(R"("text":null,"saved":"p q-2.png"})"), std::string::npos) << out;
  EXPECT_NE(out.find(R"("text":"中文","saved":null})"), std::string::npos) << out;
}

TEST(MessageOutput, MessageNumberAndOneLineFields) {
  std::string out;
  AppendMessageText(out, ReadMessage("Subject: a\n =?utf-8?Q?b=0Ac?=\n\nbody"), 3);
  EXPECT_EQ(out,
            "=== message 3\nSubject: a b c\n\n--- part 1: text/plain, no charset declared, "
            "read as utf-8, 4 bytes\nbody\n");
}

TEST(MessageOutput, EightBitTypeAndLabelShownAsReplacement) {
  std::string out;
  AppendMessageText(out, ReadMessage("Content-Type: text/\xD6; charset=\xD0\n\nx"));
  EXPECT_EQ(out,
            "\n--- part 1: text/\xEF\xBF\xBD, declared \xEF\xBF\xBD (unknown), read as utf-8, 1 "
            "bytes\nx\n");
}

struct CharsetNoteCase {
  const char* name;
  std::string message;
  std::string note;
};

void PrintTo(const CharsetNoteCase& c, std::ostream* os) { *os << c.name; }

class CharsetNotes : public ::testing::TestWithParam<CharsetNoteCase> {};

TEST_P(CharsetNotes, SayBothDeclaredAndUsed) {
  const DecodedMessage m = ReadMessage(GetParam().message);
  ASSERT_EQ(m.parts.size(), 1u);
  EXPECT_EQ(DescribePartCharsets(m.parts[0]), GetParam().note);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CharsetNotes,
    ::testing::Values(
        CharsetNoteCase{"Kept", "Content-Type: text/plain; charset=big5\n\n\xA4\xA4",
                        "declared big5, read as big5-hkscs"},
        CharsetNoteCase{"Failed",
                        "Content-Type: text/plain; charset=gb2312\n\n\xE4\xB8\xAD\n\xE6\x96\x87\n",
                        "declared gb2312, read as utf-8"},
        CharsetNoteCase{"Unknown", "Content-Type: text/plain; charset=x-foo\n\nabc",
                        "declared x-foo (unknown), read as utf-8"},
        CharsetNoteCase{"Missing", "\n\xE4\xB8\xAD", "no charset declared, read as utf-8"},
        CharsetNoteCase{
            "Unreadable",
            "Content-Type: text/plain; charset=utf-8\n\n" + std::string(200, 'a') + "\xFF",
            "declared utf-8, read as utf-8, 1 unreadable"},
        CharsetNoteCase{"NotText", "Content-Type: image/png\n\nx", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vortane
