// File > Open message..., dropped message files and Decode > Whole message
// on the fake platform.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "app/main_window_fixture.h"
#include "io/file_stream.h"
#include "mailview/message_file.h"
#include "mailview/message_view.h"

namespace vortane::testing {
namespace {

constexpr std::string_view kGbMessage =
    "From: a@example.cn\nSubject: =?gb2312?B?1tDOxA==?=\n"
    "Content-Type: text/plain; charset=gb2312\nContent-Transfer-Encoding: base64\n\n"
    "1tDOxNPKvP4K\n";

constexpr std::string_view kBig5Message =
    "From: b@example.tw\nSubject: =?big5?B?pKSk5Q==?=\n"
    "Content-Type: text/plain; charset=big5\n\n\xC1\x63\xC5\xE9\n";  // 繁體

// Characters both GB 2312 and Big5 hold: 中文.
constexpr std::string_view kCommonMessage =
    "Subject: =?gb2312?B?1tDOxA==?=\n"
    "Content-Type: text/plain; charset=gb2312\nContent-Transfer-Encoding: base64\n\n"
    "1tDOxAo=\n";

using WholeMessageCommands = MainWindowTest;

TEST_F(WholeMessageCommands, OpenMessageShowsTheChosenFileInTheView) {
  Start();
  dir.Write("a.eml", kGbMessage);
  platform.openFiles.push_back(dir.File("a.eml"));
  std::string shown;
  view.onMessageView = [&shown](MessageViewDialog& dialog) { shown = dialog.ShownText(); };
  Run(Command::OpenMessage);
  EXPECT_EQ(view.messageViewRuns, 1);
  EXPECT_EQ(shown, "中文邮件\n");
  ASSERT_EQ(platform.openDialogs.size(), 1U);
  EXPECT_NE(platform.openDialogs[0].filterPattern.find("*.eml"), std::string::npos);

  // Cancel opens nothing; a file that cannot be read is reported.
  Run(Command::OpenMessage);
  platform.openFiles.push_back(dir.File("missing.eml"));
  Run(Command::OpenMessage);
  EXPECT_EQ(view.messageViewRuns, 1);
  EXPECT_EQ(platform.messages.size(), 1U);
}

// A message file too large to read whole is refused before it is read.
TEST_F(WholeMessageCommands, OpenMessageRefusesAFileTooLargeToRead) {
  Start();
  const std::string path = dir.File("huge.eml");
  dir.Write("huge.eml", kGbMessage);
  std::filesystem::resize_file(path, kMessageMaxBytes + 1);  // sparse: nothing written
  platform.openFiles.push_back(path);
  Run(Command::OpenMessage);
  EXPECT_EQ(view.messageViewRuns, 0);
  ASSERT_EQ(platform.messages.size(), 1U);
  EXPECT_NE(platform.messages[0].bytes.find(path), std::string::npos);
  EXPECT_NE(platform.messages[0].bytes.find(DescribeError(EFBIG)), std::string::npos);
}

TEST_F(WholeMessageCommands, DroppedOrNamedFilesOpenInTheViewOnlyWhenTheyAreMessages) {
  Start();
  dir.Write("letter.txt", kBig5Message);  // a message by its content
  dir.Write("box.mbox", "From x Wed\nSubject: one\n\nbody\n");
  dir.Write("notes.txt", "Note: this is not mail\nbuy milk\n");
  std::vector<std::size_t> listed;
  view.onMessageView = [&listed](MessageViewDialog& dialog) {
    listed.push_back(dialog.Messages().size());
  };
  EXPECT_TRUE(window->OpenIfMessage(dir.File("letter.txt")));
  EXPECT_TRUE(window->OpenIfMessage(dir.File("box.mbox")));
  EXPECT_FALSE(window->OpenIfMessage(dir.File("notes.txt")));
  EXPECT_FALSE(window->OpenIfMessage(dir.File("missing.txt")));
  EXPECT_EQ(listed, (std::vector<std::size_t>{1, 1}));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(view.source.bytes.empty());
}

TEST_F(WholeMessageCommands, WholeMessageWritesTheTextOutputAsUtf8) {
  const struct {
    std::string_view message;
    std::string_view expected;  // UTF-8
  } kCases[] = {
      {kGbMessage, "Subject: 中文\r\n"},
      {kGbMessage, "中文邮件\r\n"},
      {kBig5Message, "繁體\r\n"},
      {kCommonMessage, "中文\r\n"},
  };
  for (const auto& c : kCases) {
    Start();
    view.target.displayCode = DisplayCode::Big5;
    Type(c.message, "old");
    Run(Command::DecodeWholeMessage);
    EXPECT_EQ(view.target.displayCode, DisplayCode::Utf8) << c.message;
    EXPECT_NE(view.target.bytes.find(c.expected), std::string::npos) << view.target.bytes;
    EXPECT_EQ(view.target.bytes.find("\n\n"), std::string::npos);
    EXPECT_EQ(view.source.bytes, c.message);  // the source frame is left alone
    ASSERT_FALSE(view.statuses.empty());
    EXPECT_EQ(view.statuses.back().bytes, "Read 1 messages with 1 parts.");
  }
}

TEST_F(WholeMessageCommands, StatusLineSaysWhenTheSourceFrameCannotHoldTheMessage) {
  Start();
  // Open cut a file longer than the frame holds.
  std::string longMessage(kGbMessage);
  longMessage += std::string(kOpenTextLimit, 'x');
  dir.Write("long.eml", longMessage);
  platform.openFiles.push_back(dir.File("long.eml"));
  Run(Command::Open);
  Run(Command::DecodeWholeMessage);
  ASSERT_FALSE(view.statuses.empty());
  EXPECT_NE(view.statuses.back().bytes.find("long.eml"), std::string::npos);
  EXPECT_NE(view.statuses.back().bytes.find("Open message"), std::string::npos);

  // Once the frame holds other text, that no longer applies; 8-bit text that
  // its charset cannot read points to Open message too.
  Type("Content-Type: text/plain; charset=utf-8\n\n\xB2??\xB2??\xB2??\n", "");
  Run(Command::DecodeWholeMessage);
  EXPECT_EQ(view.statuses.back().bytes.find("long.eml"), std::string::npos);
  EXPECT_NE(view.statuses.back().bytes.find("Open message"), std::string::npos);
}

}  // namespace
}  // namespace vortane::testing
