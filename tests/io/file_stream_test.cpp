#include "io/file_stream.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vortane {
namespace {

namespace fs = std::filesystem;

class FileStreamTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_.File(name); }

  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Get(const std::string& path) {
    return testing::ScopedTempDir::Read(path).value_or("");
  }
  // Names in the directory, so a test can see that no temporary file is left.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  testing::ScopedTempDir dir_;
};

TEST_F(FileStreamTest, CommitCreatesTheFile) {
  int error = 0;
  auto file = OutputFile::Create(Path("out"), error);
  ASSERT_NE(file, nullptr) << DescribeError(error);
  ASSERT_TRUE(file->Write("abc"));
  ASSERT_TRUE(file->Write(std::string("\0\r\n", 3)));
  ASSERT_TRUE(file->Commit());
  EXPECT_EQ(Get(Path("out")), std::string("abc\0\r\n", 6));
  EXPECT_EQ(Entries(), std::vector<std::string>{"out"});
}

TEST_F(FileStreamTest, NothingAppearsUnderTheNameBeforeCommit) {
  int error = 0;
  auto file = OutputFile::Create(Path("out"), error);
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->Write("abc"));
  EXPECT_FALSE(fs::exists(Path("out")));
  ASSERT_TRUE(file->Commit());
  EXPECT_TRUE(fs::exists(Path("out")));
}

TEST_F(FileStreamTest, DiscardedWriteLeavesNoFile) {
  {
    int error = 0;
    auto file = OutputFile::Create(Path("out"), error);
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(file->Write("abc"));
  }
  EXPECT_TRUE(Entries().empty());
}

TEST_F(FileStreamTest, ExistingFileSurvivesDiscardedWrite) {
  Put(Path("out"), "old");
  {
    int error = 0;
    auto file = OutputFile::Create(Path("out"), error);
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(file->Write("new and longer"));
  }
  EXPECT_EQ(Get(Path("out")), "old");
  EXPECT_EQ(Entries(), std::vector<std::string>{"out"});
}

// A write that fails for real (file size limit) must leave the old file whole
// and no temporary file behind. Run in a child: the limit is per process.
TEST_F(FileStreamTest, ExistingFileSurvivesFailedWrite) {
  Put(Path("out"), "old");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    int error = 0;
    auto file = OutputFile::Create(Path("out"), error);
    if (!file) {
      ::_exit(10);
    }
    const bool written = file->Write(std::string(8192, 'x'));
    const int code = written ? 11 : (file->error() == EFBIG ? 0 : 12);
    file.reset();
    ::_exit(code);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "10: not created, 11: write did not fail, 12: wrong errno";
  EXPECT_EQ(Get(Path("out")), "old");
  EXPECT_EQ(Entries(), std::vector<std::string>{"out"});
}

TEST_F(FileStreamTest, CommitReplacesAndKeepsTheMode) {
  Put(Path("out"), "old contents");
  fs::permissions(Path("out"), fs::perms::owner_read | fs::perms::owner_write);
  int error = 0;
  ASSERT_TRUE(WriteFileAtomically(Path("out"), "new", error)) << DescribeError(error);
  EXPECT_EQ(Get(Path("out")), "new");
  EXPECT_EQ(fs::status(Path("out")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(FileStreamTest, NewFileGetsModeFromUmask) {
  const mode_t old = ::umask(027);
  int error = 0;
  const bool ok = WriteFileAtomically(Path("out"), "x", error);
  ::umask(old);
  ASSERT_TRUE(ok) << DescribeError(error);
  struct stat st {};
  ASSERT_EQ(::stat(Path("out").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(FileStreamTest, SymbolicLinkIsWrittenThroughAndKept) {
  Put(Path("real"), "old");
  fs::create_symlink("real", Path("link"));
  int error = 0;
  ASSERT_TRUE(WriteFileAtomically(Path("link"), "new", error)) << DescribeError(error);
  EXPECT_TRUE(fs::is_symlink(Path("link")));
  EXPECT_EQ(Get(Path("real")), "new");
}

TEST_F(FileStreamTest, DanglingLinkCreatesItsTarget) {
  fs::create_symlink("target", Path("link"));
  int error = 0;
  ASSERT_TRUE(WriteFileAtomically(Path("link"), "new", error)) << DescribeError(error);
  EXPECT_TRUE(fs::is_symlink(Path("link")));
  EXPECT_EQ(Get(Path("target")), "new");
}

TEST_F(FileStreamTest, SpecialFileIsWrittenDirectly) {
  int error = 0;
  auto null = OutputFile::Create("/dev/null", error);
  ASSERT_NE(null, nullptr) << DescribeError(error);
  EXPECT_TRUE(null->Write("abc"));
  EXPECT_TRUE(null->Commit());
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  // A pipe: the bytes reach the reader and the pipe stays a pipe.
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  UniqueFd readEnd(::open(Path("fifo").c_str(), O_RDONLY | O_NONBLOCK));
  ASSERT_TRUE(readEnd.valid());
  auto fifo = OutputFile::Create(Path("fifo"), error);
  ASSERT_NE(fifo, nullptr) << DescribeError(error);
  ASSERT_TRUE(fifo->Write("through"));
  ASSERT_TRUE(fifo->Commit());
  char buffer[16] = {};
  ASSERT_EQ(::read(readEnd.get(), buffer, sizeof buffer), 7);
  EXPECT_EQ(std::string(buffer, 7), "through");
  EXPECT_TRUE(fs::is_fifo(Path("fifo")));
  EXPECT_EQ(Entries(), std::vector<std::string>{"fifo"});
}

TEST_F(FileStreamTest, FullDeviceFailsWithItsErrno) {
  int error = 0;
  auto full = OutputFile::Create("/dev/full", error);
  ASSERT_NE(full, nullptr) << DescribeError(error);
  EXPECT_FALSE(full->Write("abc"));
  EXPECT_EQ(full->error(), ENOSPC);
}

struct CreateFailure {
  const char* name;
  std::string path;  // relative to the test directory unless absolute
  int error;
};

class OutputFileCreateTest : public FileStreamTest,
                             public ::testing::WithParamInterface<CreateFailure> {};

TEST_P(OutputFileCreateTest, FailsWithErrno) {
  fs::create_directory(Path("sub"));
  fs::create_symlink("loop2", Path("loop1"));
  fs::create_symlink("loop1", Path("loop2"));
  const CreateFailure& c = GetParam();
  const std::string path = c.path.empty() || c.path.front() == '/' ? c.path : Path(c.path);
  int error = 0;
  EXPECT_EQ(OutputFile::Create(path, error), nullptr);
  EXPECT_EQ(error, c.error) << DescribeError(error);
  EXPECT_FALSE(fs::exists(Path("missing")));
}

INSTANTIATE_TEST_SUITE_P(Cases, OutputFileCreateTest,
                         ::testing::Values(CreateFailure{"Empty", "", ENOENT},
                                           CreateFailure{"MissingDirectory", "missing/out", ENOENT},
                                           CreateFailure{"Directory", "sub", EISDIR},
                                           CreateFailure{"LinkLoop", "loop1", ELOOP}),
                         [](const auto& info) { return info.param.name; });

TEST_F(FileStreamTest, SameFileThroughLinks) {
  Put(Path("a"), "x");
  Put(Path("b"), "x");
  fs::create_hard_link(Path("a"), Path("hard"));
  fs::create_symlink("a", Path("soft"));
  struct Case {
    std::string left;
    std::string right;
    bool same;
  };
  const Case cases[] = {
      {Path("a"), Path("a"), true},
      {Path("a"), Path("hard"), true},
      {Path("soft"), Path("a"), true},
      {Path("a"), dir_.path() + "/./a", true},
      {Path("a"), Path("b"), false},
      {Path("a"), Path("missing"), false},
      {Path("missing"), Path("missing"), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsSameFile(c.left, c.right), c.same) << c.left << " vs " << c.right;
  }
}

TEST_F(FileStreamTest, SpecialFiles) {
  Put(Path("a"), "x");
  EXPECT_TRUE(IsSpecialFile("/dev/null"));
  EXPECT_TRUE(IsSpecialFile(dir_.path()));
  EXPECT_FALSE(IsSpecialFile(Path("a")));
  EXPECT_FALSE(IsSpecialFile(Path("missing")));
}

TEST_F(FileStreamTest, ReadFileBytesWholeAndLimited) {
  std::string big;
  for (std::size_t i = 0; i < 3 * kStreamBlockSize + 17; ++i) {
    big.push_back(static_cast<char>(i * 7));
  }
  Put(Path("big"), big);
  int error = 0;
  EXPECT_EQ(ReadFileBytes(Path("big"), error), big);
  EXPECT_EQ(ReadFileBytes(Path("big"), error, 5), big.substr(0, 5));
  EXPECT_EQ(ReadFileBytes(Path("big"), error, kStreamBlockSize + 1),
            big.substr(0, kStreamBlockSize + 1));
  EXPECT_EQ(ReadFileBytes(Path("big"), error, 0), "");
  Put(Path("empty"), "");
  EXPECT_EQ(ReadFileBytes(Path("empty"), error), "");
}

// A file longer than the bound is refused with EFBIG: a regular file by its
// size (a sparse giant costs nothing), a pipe once it has given one byte more.
TEST_F(FileStreamTest, ReadWholeFileUpToRefusesLongerFiles) {
  Put(Path("ten"), "0123456789");
  Put(Path("giant"), "");
  fs::resize_file(Path("giant"), std::uint64_t{1} << 40);
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
  const struct {
    std::string path;
    std::uint64_t maxBytes;
    std::optional<std::string> bytes;
    int error;
  } cases[] = {
      {Path("ten"), 10, "0123456789", 0},
      {Path("ten"), 11, "0123456789", 0},
      {Path("ten"), 9, std::nullopt, EFBIG},
      {Path("giant"), 1000, std::nullopt, EFBIG},
      {Path("missing"), 1000, std::nullopt, ENOENT},
  };
  for (const auto& c : cases) {
    int error = 0;
    EXPECT_EQ(ReadWholeFileUpTo(c.path, error, c.maxBytes), c.bytes) << c.path << " " << c.maxBytes;
    EXPECT_EQ(error, c.error) << c.path << " " << c.maxBytes;
  }
  const pid_t writer = ::fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    std::ofstream(Path("pipe"), std::ios::binary) << "0123456789";
    ::_exit(0);
  }
  int error = 0;
  EXPECT_EQ(ReadWholeFileUpTo(Path("pipe"), error, 4), std::nullopt);
  EXPECT_EQ(error, EFBIG);
  int status = 0;
  ::waitpid(writer, &status, 0);
}

TEST_F(FileStreamTest, ReadErrorsCarryErrno) {
  struct Case {
    std::string path;
    int error;
  };
  const Case cases[] = {{Path("missing"), ENOENT}, {dir_.path(), EISDIR}, {"", ENOENT}};
  for (const Case& c : cases) {
    int error = 0;
    EXPECT_EQ(ReadFileBytes(c.path, error), std::nullopt) << c.path;
    EXPECT_EQ(error, c.error) << c.path;
    error = 0;
    EXPECT_EQ(OpenFileReader(c.path, error), nullptr) << c.path;
    EXPECT_EQ(error, c.error) << c.path;
  }
}

TEST_F(FileStreamTest, ReaderAndWriterReportErrno) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  UniqueFd readEnd(fds[0]);
  UniqueFd writeEnd(fds[1]);
  // Reading from the write end and writing to the read end both fail with EBADF.
  FileReader reader(writeEnd.get());
  char buffer[4];
  const ReadResult r = reader.Read(std::span<char>(buffer, sizeof buffer));
  EXPECT_TRUE(r.error);
  EXPECT_EQ(reader.error(), EBADF);
  FileWriter writer(readEnd.get());
  EXPECT_FALSE(writer.Write("x"));
  EXPECT_EQ(writer.error(), EBADF);
}

TEST(DescribeError, NamesTheCause) {
  EXPECT_EQ(DescribeError(ENOENT), "No such file or directory");
  EXPECT_EQ(DescribeError(ENOSPC), "No space left on device");
}

}  // namespace
}  // namespace vortane
