#include "io/file_job.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vortane {
namespace {

using testing::ScopedTempDir;

// Copies its input to its output in the blocks it is handed.
StreamStatus Copy(ByteReader& in, ByteWriter& out) {
  std::string block(kStreamBlockSize, '\0');
  for (;;) {
    const ReadResult r = in.Read(std::span<char>(block.data(), block.size()));
    if (r.error) {
      return StreamStatus::ReadError;
    }
    if (r.count == 0) {
      return StreamStatus::Ok;
    }
    if (!out.Write(std::string_view(block.data(), r.count))) {
      return StreamStatus::WriteError;
    }
  }
}

// Hands out its text, then fails with `error`.
class FailingReader final : public ByteReader {
 public:
  FailingReader(std::string text, int error) : text_(std::move(text)), error_(error) {}
  ReadResult Read(std::span<char> buffer) override {
    if (text_.empty()) {
      return {0, true};
    }
    const std::size_t n = std::min(buffer.size(), text_.size());
    std::copy_n(text_.data(), n, buffer.data());
    text_.erase(0, n);
    return {n, false};
  }
  [[nodiscard]] int error() const override { return text_.empty() ? error_ : 0; }

 private:
  std::string text_;
  int error_;
};

class FileJobTest : public ::testing::Test {
 protected:
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  ScopedTempDir dir;
};

TEST_F(FileJobTest, CopiesAFileIntoAFileAndCommits) {
  dir.Write("in", std::string("a\0b\r\n", 5));
  dir.Write("out", "old");
  FileJob job;
  ASSERT_TRUE(job.OpenInput(dir.File("in")));
  EXPECT_EQ(job.InputSize(), 5U);
  ASSERT_TRUE(job.OpenOutput(dir.File("out")));
  EXPECT_EQ(ScopedTempDir::Read(dir.File("out")), "old");  // not before the run ends
  ASSERT_TRUE(job.Run(Copy));
  EXPECT_EQ(ScopedTempDir::Read(dir.File("out")), std::string("a\0b\r\n", 5));
  EXPECT_EQ(job.failure().stage, FileJobStage::None);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"in", "out"}));
}

TEST_F(FileJobTest, StreamsNeedNoFiles) {
  StringReader in("text");
  StringWriter out;
  FileJob job;
  job.UseInput(in, "standard input");
  job.UseOutput(out, "standard output");
  EXPECT_EQ(job.InputSize(), std::nullopt);
  EXPECT_EQ(job.OutputPath(), "");
  ASSERT_TRUE(job.Run(Copy));
  EXPECT_EQ(out.bytes(), "text");
}

// Each failure names its stage, its file and its errno, and leaves an output
// file that was to be replaced as it was, with no temporary file beside it.
TEST_F(FileJobTest, FailuresNameStageFileAndCause) {
  struct Case {
    const char* name;
    std::string input;   // a file in the directory, or "" for a failing stream
    std::string output;  // a path in the directory, or an absolute path
    FileJobStage stage;
    std::string file;  // as named in the failure
    int error;
    std::string cause;
  };
  const Case cases[] = {
      {"missing input", "missing", "out", FileJobStage::OpenInput, "missing", ENOENT,
       "No such file or directory"},
      {"directory as input", "sub", "out", FileJobStage::OpenInput, "sub", EISDIR,
       "Is a directory"},
      {"output is the input", "in", "in", FileJobStage::SameFile, "in", 0,
       "is the same file as the input"},
      {"output is a link to the input", "in", "link", FileJobStage::SameFile, "link", 0,
       "is the same file as the input"},
      {"output folder missing", "in", "nowhere/out", FileJobStage::CreateOutput, "nowhere/out",
       ENOENT, "No such file or directory"},
      {"read fails", "", "out", FileJobStage::Read, "pipe", EIO, "Input/output error"},
      {"write fails", "in", "/dev/full", FileJobStage::Write, "/dev/full", ENOSPC,
       "No space left on device"},
  };
  for (const Case& c : cases) {
    ScopedTempDir d;
    d.Write("in", std::string(100000, 'x'));
    d.Write("out", "old");
    std::filesystem::create_directory(d.File("sub"));
    std::filesystem::create_symlink(d.File("in"), d.File("link"));
    const auto path = [&d](const std::string& name) {
      return name.front() == '/' ? name : d.File(name);
    };

    FailingReader failing("partial", EIO);
    FileJob job;
    bool ok = true;
    if (c.input.empty()) {
      job.UseInput(failing, "pipe");
    } else {
      ok = job.OpenInput(path(c.input));
    }
    ok = ok && job.OpenOutput(path(c.output));
    ok = ok && job.Run(Copy);
    EXPECT_FALSE(ok) << c.name;
    EXPECT_EQ(job.failure().stage, c.stage) << c.name;
    EXPECT_EQ(job.failure().file, c.file == "pipe" ? c.file : path(c.file)) << c.name;
    EXPECT_EQ(job.failure().error, c.error) << c.name;
    EXPECT_EQ(DescribeFailureCause(job.failure()), c.cause) << c.name;
    EXPECT_EQ(ScopedTempDir::Read(d.File("out")), "old") << c.name;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(d.path()), {}), 4) << c.name;
  }
}

TEST_F(FileJobTest, DevicesMayBeBothInputAndOutput) {
  FileJob job;
  ASSERT_TRUE(job.OpenInput("/dev/null"));
  ASSERT_TRUE(job.OpenOutput("/dev/null"));
  EXPECT_TRUE(job.Run(Copy));
}

TEST_F(FileJobTest, ProgressSeesEveryBlockAndCanCancel) {
  const std::string big(3 * kStreamBlockSize + 10, 'y');
  dir.Write("in", big);
  dir.Write("out", "old");
  struct Case {
    int cancelAt;  // 0: never
    bool ok;
    std::vector<std::uint64_t> updates;
  };
  const std::uint64_t block = kStreamBlockSize;
  const Case cases[] = {
      {0, true, {block, 2 * block, 3 * block, big.size(), big.size()}},
      {2, false, {block, 2 * block}},
      {1, false, {block}},
  };
  for (const Case& c : cases) {
    FileJob job;
    ASSERT_TRUE(job.OpenInput(dir.File("in")));
    ASSERT_TRUE(job.OpenOutput(dir.File("out")));
    std::vector<std::uint64_t> updates;
    const bool ok = job.Run(Copy, [&](std::uint64_t done) {
      updates.push_back(done);
      return c.cancelAt == 0 || static_cast<int>(updates.size()) < c.cancelAt;
    });
    EXPECT_EQ(ok, c.ok) << c.cancelAt;
    EXPECT_EQ(updates, c.updates) << c.cancelAt;
    EXPECT_EQ(job.failure().stage, c.ok ? FileJobStage::None : FileJobStage::Cancelled);
    EXPECT_EQ(ScopedTempDir::Read(dir.File("out")), c.ok ? big : "old") << c.cancelAt;
    EXPECT_EQ(Entries(), (std::vector<std::string>{"in", "out"})) << c.cancelAt;
    dir.Write("out", "old");
  }
}

TEST_F(FileJobTest, CommitReplacesTheFileALinkNames) {
  dir.Write("in", "new");
  dir.Write("real", "old");
  std::filesystem::create_symlink(dir.File("real"), dir.File("link"));
  FileJob job;
  ASSERT_TRUE(job.OpenInput(dir.File("in")));
  ASSERT_TRUE(job.OpenOutput(dir.File("link")));
  EXPECT_EQ(job.OutputPath(), dir.File("real"));
  ASSERT_TRUE(job.Run(Copy));
  EXPECT_EQ(ScopedTempDir::Read(dir.File("real")), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link")));
}

}  // namespace
}  // namespace vortane
