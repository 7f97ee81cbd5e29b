#include "cli/message_job.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "support/temp_dir.h"

namespace vortane {
namespace {

using testing::ScopedTempDir;

struct CommandRun {
  StreamStatus status;
  std::string out;
  MessageJobReport report;
};

CommandRun RunOn(std::string_view input, MessageJobSettings settings,
                 const NewFileDirectory* directory = nullptr) {
  StringReader in(input, 1000);
  StringWriter out;
  CommandRun run;
  run.status = RunMessageJob(in, out, settings, directory, run.report);
  run.out = out.bytes();
  return run;
}

const std::string kMbox =
    "From a Mon Jan  1 00:00:00 2024\n"
    "Subject: =?gb2312?B?1tDOxA==?=\n"
    "\n"
    "one\n"
    "\n"
    "From b Mon Jan  1 00:00:00 2024\n"
    "Subject: two\n"
    "Content-Type: multipart/mixed; boundary=b\n"
    "\n"
    "--b\n"
    "Content-Type: text/plain; charset=utf-8\n"
    "\n"
    "body two\n"
    "--b\n"
    "Content-Type: application/octet-stream\n"
    "Content-Disposition: attachment; filename=\"../../evil.sh\"\n"
    "Content-Transfer-Encoding: base64\n"
    "\n"
    "ZWNobyBoaQo=\n"
    "--b--\n";

TEST(MessageJob, TextOfEveryMessageOfAnMbox) {
  const CommandRun run = RunOn(kMbox, {});
  EXPECT_EQ(run.status, StreamStatus::Ok);
  EXPECT_EQ(
      run.out,
      "=== message 1\nSubject: 中文\n\n--- part 1: text/plain, no charset declared, read as "
      "utf-8, 4 bytes\none\n"
      "\n=== message 2\nSubject: two\n\n--- part 1: text/plain, declared utf-8, read as utf-8, "
      "8 bytes\nbody two\n"
      "--- part 2: application/octet-stream, file \"../../evil.sh\", 8 bytes\n");
  EXPECT_TRUE(run.report.notes.empty());
}

TEST(MessageJob, OneJsonLinePerMessage) {
  MessageJobSettings settings;
  settings.json = true;
  const CommandRun run = RunOn(kMbox, settings);
  ASSERT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2);
  EXPECT_TRUE(run.out.starts_with(R"({"headers":[{"name":"Subject","value":"中文"}],"parts":[)"));
  EXPECT_EQ(run.out.find("\"saved\""), std::string::npos);
}

TEST(MessageJob, SingleMessageWithoutNumber) {
  const CommandRun run = RunOn("Subject: x\n\nbody\n", {});
  EXPECT_TRUE(run.out.starts_with("Subject: x\n\n--- part 1:")) << run.out;
}

TEST(MessageJob, BoundReachedIsNotedPerMessage) {
  std::string mbox;
  for (int m = 0; m < 2; ++m) {
    mbox += "From x\nContent-Type: multipart/mixed; boundary=b\n\n";
    for (int i = 0; i < 10001; ++i) {
      mbox += "--b\n\n.\n";
    }
    mbox += "\n";
  }
  const CommandRun run = RunOn(mbox, {});
  EXPECT_TRUE(run.report.incomplete);
  ASSERT_EQ(run.report.notes.size(), 2u);
  EXPECT_EQ(run.report.notes[1].file, "");
  EXPECT_EQ(run.report.notes[1].reason,
            "message 2: more than 10000 parts; the parts after that are dropped");
}

TEST(MessageJob, AttachmentsSavedUnderSafeNumberedNames) {
  ScopedTempDir dir;
  dir.Write("evil.sh", "already here");
  ASSERT_EQ(::symlink("/nonexistent-target", dir.File("evil-2.sh").c_str()), 0);
  int error = 0;
  const auto directory = NewFileDirectory::Open(dir.path(), error);
  ASSERT_TRUE(directory.has_value());
  MessageJobSettings settings;
  settings.extractDir = dir.path();
  const CommandRun run = RunOn(kMbox, settings, &*directory);
  EXPECT_EQ(run.status, StreamStatus::Ok);
  // "../../evil.sh" loses its path; the name and a symbolic link are taken.
  EXPECT_EQ(run.out, dir.File("_._evil.sh") + "\n");
  EXPECT_EQ(ScopedTempDir::Read(dir.File("_._evil.sh")), "echo hi\n");
  EXPECT_EQ(ScopedTempDir::Read(dir.File("evil.sh")), "already here");
  EXPECT_TRUE(run.report.notes.empty());
}

TEST(MessageJob, ClashesAcrossMessagesAreNumbered) {
  ScopedTempDir dir;
  int error = 0;
  const auto directory = NewFileDirectory::Open(dir.path(), error);
  ASSERT_TRUE(directory.has_value());
  MessageJobSettings settings;
  settings.extractDir = dir.path() + "/";
  settings.json = true;
  const std::string message =
      "Content-Type: image/png; name=\"=?utf-8?B?5Lit?=.png\"\nContent-Transfer-Encoding: "
      "base64\n\nUE5H\n";
  const CommandRun run =
      RunOn("From a\n" + message + "\nFrom b\n" + message + "\nFrom c\n" + message, settings,
            &*directory);
  EXPECT_NE(run.out.find(R"("saved":"中.png")"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(R"("saved":"中-2.png")"), std::string::npos);
  EXPECT_NE(run.out.find(R"("saved":"中-3.png")"), std::string::npos);
  EXPECT_EQ(ScopedTempDir::Read(dir.File("中-3.png")), "PNG");
}

TEST(MessageJob, PartWithoutNameBecomesPartN) {
  ScopedTempDir dir;
  int error = 0;
  const auto directory = NewFileDirectory::Open(dir.path(), error);
  ASSERT_TRUE(directory.has_value());
  MessageJobSettings settings;
  settings.extractDir = dir.path();
  const CommandRun run = RunOn(
      "Content-Type: multipart/mixed; boundary=b\n\n--b\n\ntext\n--b\nContent-Type: "
      "image/gif\n\nGIF\n--b--\n",
      settings, &*directory);
  EXPECT_EQ(run.out, dir.File("part-2") + "\n");
}

class FailingWriter final : public ByteWriter {
 public:
  [[nodiscard]] bool Write(std::string_view) override { return false; }
};

TEST(MessageJob, WriteErrorStopsTheRun) {
  StringReader in("Subject: x\n\nbody");
  FailingWriter out;
  MessageJobReport report;
  EXPECT_EQ(RunMessageJob(in, out, {}, nullptr, report), StreamStatus::WriteError);
}

}  // namespace
}  // namespace vortane
