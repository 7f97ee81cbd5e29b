// Failures injected into every route of vortane-cli, as a process and in
// memory: inputs that cannot be opened or read, outputs that cannot be created
// or written, output naming the input, and a huge input whose output fails.
// Each must give its message and exit code 1, and lose no existing file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_process.h"
#include "codec/byte_stream.h"
#include "support/temp_dir.h"

namespace vortane {
namespace {

namespace fs = std::filesystem;
using testing::ScopedTempDir;

// Every route: the five file decodings and the converter stream their input;
// the others read it whole.
struct Route {
  std::vector<std::string> args;
  bool streams;
};

const Route kRoutes[] = {
    {{"decode", "base64"}, true},
    {{"decode", "qp"}, true},
    {{"decode", "hz"}, true},
    {{"decode", "utf7"}, true},
    {{"decode", "utf8"}, true},
    {{"convert", "--from", "gb", "--to", "big5"}, true},
    {{"convert", "--from", "unicode", "--to", "gb", "--blanks", "add"}, true},
    {{"convert", "--from", "gbk", "--to", "utf-16"}, true},
    {{"convert", "--strict", "--from", "utf-8", "--to", "big5-hkscs"}, true},
    {{"text", "base64"}, false},
    {{"text", "qp", "--no-double-bytes"}, false},
    {{"text", "hz"}, false},
    {{"text", "utf8", "--to", "gb"}, false},
    {{"text", "utf7", "--to", "big5"}, false},
    {{"text", "gb2big5"}, false},
    {{"text", "big52gb"}, false},
    {{"wrap", "--width", "30"}, false},
    {{"mark", "add"}, false},
    {{"mark", "remove"}, false},
    {{"restore-high-bits", "0", "10"}, false},
    // A message is held whole (an input without "From " is one message).
    {{"message"}, false},
    {{"message", "--json"}, false},
};

std::string Name(const Route& route) {
  std::string name;
  for (const std::string& a : route.args) {
    name += a + " ";
  }
  return name;
}

// Input that every route turns into more output than kSizeLimit bytes.
const std::string kInput(200000, 'A');
constexpr rlim_t kSizeLimit = 100000;
const std::string kOldOutput = "old output\r\n\x80\xff";

struct Outcome {
  int code = -1;
  std::string err;
};

// Runs vortane-cli in `dir` with `args`, standard input from /dev/null and
// standard output thrown away; `sizeLimit` caps the size of files it writes.
Outcome RunProcess(const std::string& dir, const std::vector<std::string>& args,
                   rlim_t sizeLimit = RLIM_INFINITY) {
  const std::string errPath = dir + "/../stderr";
  Outcome o;
  o.code = testing::RunCliProcess(args, {"/dev/null", "/dev/null", errPath, dir, sizeLimit});
  o.err = ScopedTempDir::Read(errPath).value_or("");
  return o;
}

std::vector<std::string> Entries(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool IsRoot() { return ::geteuid() == 0; }

// A work directory inside a scratch directory (standard error goes beside it),
// holding "in", an old "out", a folder, and links to "in".
class CliFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = scratch_.File("work");
    fs::create_directory(work_);
    Put("in", kInput);
    Put("out", kOldOutput);
    fs::create_directory(work_ + "/folder");
    fs::create_symlink("in", work_ + "/soft");
    fs::create_hard_link(work_ + "/in", work_ + "/hard");
    before_ = Entries(work_);
  }

  void Put(const std::string& name, const std::string& bytes) const {
    scratch_.Write("work/" + name, bytes);
  }
  std::string Get(const std::string& name) const {
    return ScopedTempDir::Read(work_ + "/" + name).value_or("<unreadable>");
  }

  // Nothing lost, nothing left behind.
  void ExpectFilesKept(const std::string& what) const {
    EXPECT_TRUE(Get("in") == kInput) << what;
    EXPECT_EQ(Get("out"), kOldOutput) << what;
    EXPECT_EQ(Entries(work_), before_) << what;
  }

  ScopedTempDir scratch_;
  std::string work_;
  std::vector<std::string> before_;
};

TEST_F(CliFaultTest, EveryRouteReportsFileFailuresAndKeepsTheFiles) {
  // Failures found before a route runs are checked on one streaming and one
  // whole-text route; those of reading and writing on every route.
  const struct {
    std::vector<std::string> files;
    std::string err;
    bool everyRoute;
  } cases[] = {
      {{"missing", "out"}, "vortane-cli: missing: No such file or directory\n", false},
      {{"folder", "out"}, "vortane-cli: folder: Is a directory\n", false},
      {{"in/x", "out"}, "vortane-cli: in/x: Not a directory\n", false},
      // Reading the process's own memory at offset 0 fails with EIO after a
      // successful open: a read error that root cannot bypass.
      {{"/proc/self/mem", "out"}, "vortane-cli: /proc/self/mem: Input/output error\n", true},
      {{"in", "nodir/out"}, "vortane-cli: nodir/out: No such file or directory\n", false},
      {{"in", "in/out"}, "vortane-cli: in/out: Not a directory\n", false},
      {{"in", "folder"}, "vortane-cli: folder: Is a directory\n", false},
      {{"in", "/dev/full"}, "vortane-cli: /dev/full: No space left on device\n", true},
      {{"in", "in"}, "vortane-cli: in: is the same file as the input\n", false},
      {{"in", "./in"}, "vortane-cli: ./in: is the same file as the input\n", false},
      {{"in", "soft"}, "vortane-cli: soft: is the same file as the input\n", false},
      {{"soft", "hard"}, "vortane-cli: hard: is the same file as the input\n", false},
      {{"in", work_ + "/hard"},
       "vortane-cli: " + work_ + "/hard: is the same file as the input\n",
       false},
  };
  for (const Route& route : kRoutes) {
    const bool sample = route.args == kRoutes[0].args || route.args == kRoutes[7].args;
    for (const auto& c : cases) {
      if (!c.everyRoute && !sample) {
        continue;
      }
      std::vector<std::string> args = route.args;
      args.insert(args.end(), c.files.begin(), c.files.end());
      const std::string what = Name(route) + c.files[0] + " " + c.files[1];
      const Outcome o = RunProcess(work_, args);
      EXPECT_EQ(o.code, 1) << what;
      EXPECT_EQ(o.err, c.err) << what;
      ExpectFilesKept(what);
    }
  }
}

// A disk that fills part way: the file size limit stops the writes.
TEST_F(CliFaultTest, OutputThatFillsUpKeepsTheOldFile) {
  for (const Route& route : kRoutes) {
    std::vector<std::string> args = route.args;
    args.insert(args.end(), {"in", "out"});
    const Outcome o = RunProcess(work_, args, kSizeLimit);
    EXPECT_EQ(o.code, 1) << Name(route);
    EXPECT_EQ(o.err, "vortane-cli: out: File too large\n") << Name(route);
    ExpectFilesKept(Name(route));
  }
}

TEST_F(CliFaultTest, UnreadableInputAndReadOnlyFolder) {
  if (IsRoot()) {
    GTEST_SKIP() << "root reads and writes regardless of permissions; the other "
                    "unreadable and unwritable paths are covered above";
  }
  Put("secret", "abc");
  fs::permissions(work_ + "/secret", fs::perms::none);
  fs::create_directory(work_ + "/locked");
  fs::permissions(work_ + "/locked", fs::perms::owner_read | fs::perms::owner_exec);
  for (const Route& route : kRoutes) {
    std::vector<std::string> args = route.args;
    args.insert(args.end(), {"secret", "out"});
    Outcome o = RunProcess(work_, args);
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, "vortane-cli: secret: Permission denied\n");
    args = route.args;
    args.insert(args.end(), {"in", "locked/out"});
    o = RunProcess(work_, args);
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, "vortane-cli: locked/out: Permission denied\n");
    EXPECT_EQ(Get("out"), kOldOutput);
  }
  fs::permissions(work_ + "/locked", fs::perms::owner_all);
}

// A huge input (a sparse file: no disk space) whose output fails at once: the
// run stops at the first failed write instead of reading everything.
TEST_F(CliFaultTest, HugeInputToAFullDeviceStopsAtTheFirstFailedWrite) {
  {
    const int fd = ::open((work_ + "/huge").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t{8} << 30), 0);
    ::close(fd);
  }
  for (const Route& route : kRoutes) {
    // Zero bytes stop Base64 at once, so it writes nothing and succeeds.
    if (!route.streams || route.args[1] == "base64") {
      continue;
    }
    std::vector<std::string> args = route.args;
    args.insert(args.end(), {"huge", "/dev/full"});
    const auto start = std::chrono::steady_clock::now();
    const Outcome o = RunProcess(work_, args);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(o.code, 1) << Name(route);
    EXPECT_EQ(o.err, "vortane-cli: /dev/full: No space left on device\n") << Name(route);
    EXPECT_LT(seconds.count(), 20.0) << Name(route) << " read on after the failed write";
  }
}

// --- In memory, through RunCli with failing standard streams ---

// Hands out `good` bytes of "A" (at most `chunk` per read), then fails, or
// ends when `failAtEnd` is false. Counts what it handed out.
class FailingReader final : public ByteReader {
 public:
  FailingReader(std::uint64_t good, bool failAtEnd) : left_(good), failAtEnd_(failAtEnd) {}
  ReadResult Read(std::span<char> buffer) override {
    if (left_ == 0) {
      return {0, failAtEnd_};
    }
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left_, buffer.size()));
    std::fill_n(buffer.data(), n, 'A');
    left_ -= n;
    given_ += n;
    return {n, false};
  }
  std::uint64_t given() const { return given_; }

 private:
  std::uint64_t left_;
  bool failAtEnd_;
  std::uint64_t given_ = 0;
};

// Accepts `room` bytes, then every write fails.
class FailingWriter final : public ByteWriter {
 public:
  explicit FailingWriter(std::size_t room) : room_(room) {}
  [[nodiscard]] bool Write(std::string_view bytes) override {
    if (bytes.size() > room_) {
      room_ = 0;
      return false;
    }
    room_ -= bytes.size();
    written_ += bytes.size();
    return true;
  }
  std::size_t written() const { return written_; }

 private:
  std::size_t room_;
  std::size_t written_ = 0;
};

TEST(CliFaultInMemory, StandardInputThatFailsIsReported) {
  for (const Route& route : kRoutes) {
    for (const std::uint64_t good :
         {std::uint64_t{0}, std::uint64_t{1000}, std::uint64_t{300000}}) {
      FailingReader in(good, true);
      StringWriter out;
      StringWriter err;
      EXPECT_EQ(RunCli(route.args, in, out, err), 1) << Name(route) << good;
      EXPECT_EQ(err.bytes(), "vortane-cli: standard input: read failed\n") << Name(route) << good;
    }
  }
}

TEST(CliFaultInMemory, StandardOutputThatFailsIsReported) {
  for (const Route& route : kRoutes) {
    for (const std::size_t room : {std::size_t{0}, std::size_t{70000}}) {
      FailingReader in(300000, false);
      FailingWriter out(room);
      StringWriter err;
      EXPECT_EQ(RunCli(route.args, in, out, err), 1) << Name(route) << room;
      EXPECT_EQ(err.bytes(), "vortane-cli: standard output: write failed\n") << Name(route) << room;
      EXPECT_LE(out.written(), room);
    }
  }
}

TEST(CliFaultInMemory, HugeStreamStopsReadingAtTheFirstFailedWrite) {
  for (const Route& route : kRoutes) {
    if (!route.streams) {
      continue;
    }
    FailingReader in(std::uint64_t{64} << 30, false);
    FailingWriter out(0);
    StringWriter err;
    EXPECT_EQ(RunCli(route.args, in, out, err), 1) << Name(route);
    EXPECT_EQ(err.bytes(), "vortane-cli: standard output: write failed\n") << Name(route);
    EXPECT_LE(in.given(), 4 * kStreamBlockSize) << Name(route);
  }
}

}  // namespace
}  // namespace vortane
