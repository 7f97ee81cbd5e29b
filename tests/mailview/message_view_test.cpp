#include "mailview/message_view.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/languages.h"
#include "support/temp_dir.h"

namespace vortane {
namespace {

using testing::FakePlatform;
using testing::ScopedTempDir;

// Subject "中文" in GB2312, a GB2312 text part in Base64 ("中文邮件\n"), a
// Big5 text part in Quoted-Printable ("中文\n") and an attachment whose name
// climbs out of its directory.
constexpr std::string_view kMessage =
    "From: =?gb2312?B?1cXI/Q==?= <zs@example.cn>\n"
    "To: li@example.tw\n"
    "Subject: =?GB2312?B?1tDOxA==?=\n"
    "Date: Wed, 9 Dec 2026 05:00:00 +0800\n"
    "MIME-Version: 1.0\n"
    "Content-Type: multipart/mixed; boundary=\"b1\"\n"
    "\n"
    "--b1\n"
    "Content-Type: text/plain; charset=gb2312\n"
    "Content-Transfer-Encoding: base64\n"
    "\n"
    "1tDOxNPKvP4K\n"
    "--b1\n"
    "Content-Type: text/plain; charset=big5\n"
    "Content-Transfer-Encoding: quoted-printable\n"
    "\n"
    "=A4=A4=A4=E5\n"  // 中文
    "--b1\n"
    "Content-Type: application/octet-stream; name=\"../../etc/passwd\"\n"
    "Content-Disposition: attachment; filename=\"../../etc/passwd\"\n"
    "Content-Transfer-Encoding: base64\n"
    "\n"
    "cm9vdDp4OjA6MAo=\n"
    "--b1--\n";

std::string Mbox() {
  return "From a@example.cn Wed Dec  9 05:00:00 2026\n"
         "From: a@example.cn\nSubject: =?utf-8?B?5L2g5aW9?=\n\nfirst\n\n"
         "From b@example.tw Wed Dec  9 05:01:00 2026\n"
         "From: b@example.tw\nSubject: second\nDate: today\n\nsecond body\n";
}

TEST(MessageView, SingleMessageIsChosenWithItsFieldsPartsAndFirstText) {
  FakePlatform platform;
  MessageViewDialog view(platform, testing::Lang(testing::kLanguageEnglish), "/mail/a.eml",
                         std::string(kMessage));
  EXPECT_FALSE(view.IsMbox());
  ASSERT_EQ(view.Messages().size(), 1U);
  EXPECT_EQ(view.SelectedMessage(), 0U);
  EXPECT_EQ(view.captions().title.bytes, "Message - a.eml");

  const auto fields = view.Fields();
  ASSERT_EQ(fields.size(), 4U);  // no Cc
  EXPECT_EQ(fields[0].caption.bytes, "Subject");
  EXPECT_EQ(fields[0].value, "中文");
  EXPECT_EQ(fields[1].value, "张三 <zs@example.cn>");
  EXPECT_EQ(fields[2].caption.bytes, "To");
  EXPECT_EQ(fields[3].caption.bytes, "Date");

  const auto parts = view.Parts();
  ASSERT_EQ(parts.size(), 3U);
  const struct {
    std::string_view type, declared, charset, encoding, fileName;
    std::size_t size;
    bool attachment;
  } kExpected[] = {
      {"text/plain", "gb2312", "gb18030", "base64", "", 9, false},
      {"text/plain", "big5", "big5-hkscs", "quoted-printable", "", 4, false},
      {"application/octet-stream", "", "", "base64", "../../etc/passwd", 11, true},
  };
  for (std::size_t i = 0; i < parts.size(); ++i) {
    EXPECT_EQ(parts[i].index, i + 1);
    EXPECT_EQ(parts[i].contentType, kExpected[i].type) << i;
    EXPECT_EQ(parts[i].declaredCharset, kExpected[i].declared) << i;
    EXPECT_EQ(parts[i].charset, kExpected[i].charset) << i;
    EXPECT_EQ(parts[i].transferEncoding, kExpected[i].encoding) << i;
    EXPECT_EQ(parts[i].fileName, kExpected[i].fileName) << i;
    EXPECT_EQ(parts[i].size, kExpected[i].size) << i;
    EXPECT_EQ(parts[i].attachment, kExpected[i].attachment) << i;
  }
  EXPECT_EQ(view.SelectedPart(), 0U);
  EXPECT_EQ(view.ShownText(), "中文邮件\n");
  view.SelectPart(1);
  EXPECT_EQ(view.ShownText(), "中文");  // the last line end belongs to the boundary
  view.SelectPart(2);
  EXPECT_NE(view.ShownText().find("11 bytes"), std::string::npos);
  view.SelectPart(3);  // out of range: unchanged
  EXPECT_EQ(view.SelectedPart(), 2U);
}

TEST(MessageView, MboxListsItsMessagesBeforeOneIsChosen) {
  FakePlatform platform;
  MessageViewDialog view(platform, testing::Lang(testing::kLanguageGb), "box.mbox", Mbox());
  EXPECT_TRUE(view.IsMbox());
  ASSERT_EQ(view.Messages().size(), 2U);
  EXPECT_EQ(view.Messages()[0].subject, "你好");
  EXPECT_EQ(view.Messages()[1].from, "b@example.tw");
  EXPECT_EQ(view.Messages()[1].date, "today");
  EXPECT_FALSE(view.SelectedMessage());
  EXPECT_TRUE(view.Fields().empty());
  EXPECT_TRUE(view.Parts().empty());
  EXPECT_EQ(view.ShownText(), "");

  view.SelectMessage(1);
  ASSERT_EQ(view.Fields().size(), 3U);
  EXPECT_EQ(view.Fields()[0].caption.code, UiCode::Gb);
  EXPECT_EQ(view.Fields()[0].value, "second");
  EXPECT_EQ(view.ShownText(), "second body\n");
  view.SelectMessage(2);  // out of range: unchanged
  EXPECT_EQ(view.SelectedMessage(), 1U);
}

TEST(MessageView, ReadAsOverridesTheChosenPartOnlyAndCanBeUndone) {
  FakePlatform platform;
  MessageViewDialog view(platform, testing::Lang(testing::kLanguageEnglish), "a.eml",
                         std::string(kMessage));
  // The GB2312 part read as Big5 gives other characters; the choice is kept
  // per part.
  view.ReadChosenPartAs(Charset::Big5Hkscs);
  EXPECT_EQ(view.ChosenPartOverride(), Charset::Big5Hkscs);
  EXPECT_NE(view.ShownText(), "中文邮件\n");
  EXPECT_EQ(view.Parts()[0].charset, "big5-hkscs");
  EXPECT_TRUE(view.Parts()[0].overridden);
  EXPECT_FALSE(view.Parts()[1].overridden);

  view.SelectPart(1);
  EXPECT_FALSE(view.ChosenPartOverride());
  view.ReadChosenPartAs(Charset::Gb18030);  // Big5 bytes of 中文 read as GB
  EXPECT_EQ(view.ShownText(), "いゅ");
  EXPECT_EQ(view.Parts()[1].charset, "gb18030");

  view.SelectPart(0);
  view.ReadChosenPartAs(std::nullopt);
  EXPECT_EQ(view.ShownText(), "中文邮件\n");
  EXPECT_EQ(view.Parts()[0].charset, "gb18030");
  EXPECT_FALSE(view.Parts()[0].overridden);

  // An attachment can be read as text too.
  view.SelectPart(2);
  view.ReadChosenPartAs(Charset::Utf8);
  EXPECT_EQ(view.ShownText(), "root:x:0:0\n");
}

std::string MessageWithAttachment(std::string_view encodedName) {
  return "Subject: x\nMIME-Version: 1.0\nContent-Type: multipart/mixed; boundary=b\n\n"
         "--b\nContent-Type: text/plain\n\nhi\n"
         "--b\nContent-Type: application/octet-stream\n"
         "Content-Disposition: attachment; filename=\"" +
         std::string(encodedName) + "\"\nContent-Transfer-Encoding: base64\n\nUEsDBA==\n--b--\n";
}

TEST(MessageView, SaveAttachmentProposesTheSafeNameAndWritesOnlyThere) {
  const struct {
    std::string_view name;  // as the mail writes it
    std::string_view safe;  // the name proposed and saved
  } kCases[] = {
      {"../../etc/passwd", "_._etc_passwd"},
      {"..", "part-2"},
      {"", "part-2"},
      {"=?utf-8?B?5aSn5a62LnppcA==?=", "大家.zip"},
      {"evil\xE2\x80\xAEtxt.exe", "eviltxt.exe"},  // the right-to-left override dropped
      {".hidden", "hidden"},
      {"=?utf-8?Q?a=5Cb=09c.doc?=", "a_b_c.doc"},
  };
  for (const auto& c : kCases) {
    ScopedTempDir dir;
    FakePlatform platform;
    MessageViewDialog view(platform, testing::Lang(testing::kLanguageEnglish), "a.eml",
                           MessageWithAttachment(c.name));
    view.SelectPart(1);
    // The user accepts the proposed name in the chosen directory.
    platform.saveFiles.push_back(dir.File(std::string(c.safe)));
    const auto saved = view.OnSaveAttachment();
    ASSERT_EQ(platform.saveDialogs.size(), 1U) << c.name;
    EXPECT_EQ(platform.saveDialogs[0].initialName, c.safe) << c.name;
    EXPECT_FALSE(platform.saveDialogs[0].overwritePrompt);
    ASSERT_TRUE(saved) << c.name;
    EXPECT_EQ(*saved, dir.File(std::string(c.safe)));
    EXPECT_EQ(ScopedTempDir::Read(*saved), std::string("PK\x03\x04", 4));
    EXPECT_TRUE(platform.messages.empty()) << c.name;
  }
}

TEST(MessageView, SaveAttachmentNeverWritesOverAFileOrThroughALink) {
  ScopedTempDir dir;
  dir.Write("report.pdf", "old");
  ASSERT_EQ(::symlink("/tmp/vortane-never-written", dir.File("report-2.pdf").c_str()), 0);
  FakePlatform platform;
  MessageViewDialog view(platform, testing::Lang(testing::kLanguageEnglish), "a.eml",
                         MessageWithAttachment("report.pdf"));
  view.SelectPart(1);
  platform.saveFiles.push_back(dir.File("report.pdf"));
  const auto saved = view.OnSaveAttachment();
  ASSERT_TRUE(saved);
  EXPECT_EQ(*saved, dir.File("report-3.pdf"));
  EXPECT_EQ(ScopedTempDir::Read(dir.File("report.pdf")), "old");
  EXPECT_FALSE(ScopedTempDir::Exists("/tmp/vortane-never-written"));
  ASSERT_EQ(platform.messages.size(), 1U);  // says where it went
  EXPECT_NE(platform.messages[0].bytes.find("report-3.pdf"), std::string::npos);

  // A typed name that is unsafe is made safe in the chosen directory.
  platform.saveFiles.push_back(
      dir.File("a\x01"
               "b"));
  platform.messages.clear();
  const auto typed = view.OnSaveAttachment();
  ASSERT_TRUE(typed);
  EXPECT_EQ(*typed, dir.File("a_b"));
  EXPECT_EQ(platform.messages.size(), 1U);

  // Cancel saves nothing; a directory that is not there is reported.
  EXPECT_FALSE(view.OnSaveAttachment());
  platform.messages.clear();
  platform.saveFiles.push_back(dir.File("missing/report.pdf"));
  EXPECT_FALSE(view.OnSaveAttachment());
  ASSERT_EQ(platform.messages.size(), 1U);
  EXPECT_NE(platform.messages[0].bytes.find("Cannot save"), std::string::npos);
}

}  // namespace
}  // namespace vortane
