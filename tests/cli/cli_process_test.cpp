// The built vortane-cli run as a process: exit codes, messages on standard
// error, files, standard streams, and what is left behind when a run fails.
#include "cli/cli_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

class CliProcessTest : public ::testing::Test {
 protected:
  CliProcessTest() { fs::create_directory(work_); }

  // A path in the working folder the tests look into.
  std::string Path(const std::string& name) const { return work_ + "/" + name; }

  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Get(const std::string& path) {
    return vortane::testing::ScopedTempDir::Read(path).value_or("");
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(work_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // Runs vortane-cli with `args`, `input` on standard input, and standard
  // output into a file (or into `stdoutPath`). `fileSizeLimit` caps the size of
  // files it writes, to make a write fail part way.
  Outcome Run(const std::vector<std::string>& args, const std::string& input = "",
              const std::string& stdoutPath = "", rlim_t fileSizeLimit = RLIM_INFINITY,
              rlim_t memoryLimit = RLIM_INFINITY) {
    const std::string inPath = dir_.File("stdin");
    const std::string outPath = stdoutPath.empty() ? dir_.File("stdout") : stdoutPath;
    const std::string errPath = dir_.File("stderr");
    Put(inPath, input);
    Outcome o;
    o.code = vortane::testing::RunCliProcess(
        args, {inPath, outPath, errPath, work_, fileSizeLimit, memoryLimit});
    if (stdoutPath.empty()) {
      o.out = Get(outPath);
    }
    o.err = Get(errPath);
    return o;
  }

  vortane::testing::ScopedTempDir dir_;
  const std::string work_ = dir_.File("work");  // the folder the runs work in
};

TEST_F(CliProcessTest, FilesInAndOut) {
  Put(Path("in"), "ab\r\ncd");
  const Outcome o = Run({"mark", "add", "in", "out"});
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(o.out, "") << "a named output file takes the result";
  EXPECT_EQ(Get(Path("out")), ">ab\r\n>cd");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"in", "out"}));
}

TEST_F(CliProcessTest, DashNamesStandardStreams) {
  Put(Path("in"), "x\ny");
  EXPECT_EQ(Run({"mark", "add"}, "a\nb").out, ">a\n>b");
  EXPECT_EQ(Run({"mark", "add", "-", "-"}, "a\nb").out, ">a\n>b");
  EXPECT_EQ(Run({"mark", "add", "in", "-"}).out, ">x\n>y");
  const Outcome toFile = Run({"mark", "add", "-", "out"}, "a\nb");
  EXPECT_EQ(toFile.code, 0);
  EXPECT_EQ(toFile.out, "");
  EXPECT_EQ(Get(Path("out")), ">a\n>b");
}

// Every byte passes: CR LF, lone LF, 0 bytes, high bytes.
TEST_F(CliProcessTest, BinaryInputAndOutput) {
  std::string input;
  for (int i = 0; i < 256; ++i) {
    input.push_back(static_cast<char>(i));
  }
  input += "\r\n\n\r";
  const Outcome o = Run({"restore-high-bits", "0", "0"}, input);
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.out, input);
  Put(Path("in"), input);
  EXPECT_EQ(Run({"mark", "add", "--mark=", "in", "out"}).code, 0);
  EXPECT_EQ(Get(Path("out")), input);
}

// A stream route over several blocks: random bytes through Base64 come back.
TEST_F(CliProcessTest, StreamRouteOverManyBlocks) {
  std::mt19937 random(7);
  std::string bytes(300000, '\0');
  for (char& c : bytes) {
    c = static_cast<char>(random());
  }
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string encoded;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                       static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    for (int shift = 18; shift >= 0; shift -= 6) {
      encoded.push_back(kAlphabet[(v >> shift) & 0x3F]);
    }
    if (i % 57 == 54) {
      encoded += "\r\n";
    }
  }
  Put(Path("in.b64"), encoded);
  const Outcome o = Run({"decode", "base64", "in.b64", "out.bin"});
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_TRUE(Get(Path("out.bin")) == bytes);
}

TEST_F(CliProcessTest, FileErrorsNameTheFileAndCause) {
  fs::create_directory(Path("folder"));
  Put(Path("in"), "abc");
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"decode", "base64", "missing"}, "vortane-cli: missing: No such file or directory\n"},
      {{"mark", "add", "missing", "out"}, "vortane-cli: missing: No such file or directory\n"},
      {{"mark", "add", "folder"}, "vortane-cli: folder: Is a directory\n"},
      {{"mark", "add", "in", "nodir/out"}, "vortane-cli: nodir/out: No such file or directory\n"},
      {{"decode", "hz", "in", "folder"}, "vortane-cli: folder: Is a directory\n"},
      {{"mark", "add", "in", "/dev/full"}, "vortane-cli: /dev/full: No space left on device\n"},
      {{"decode", "hz", "in", "/dev/full"}, "vortane-cli: /dev/full: No space left on device\n"},
  };
  for (const auto& c : cases) {
    const Outcome o = Run(c.args);
    EXPECT_EQ(o.code, 1) << c.err;
    EXPECT_EQ(o.err, c.err);
  }
  EXPECT_EQ(Entries(), (std::vector<std::string>{"folder", "in"})) << "nothing left behind";
}

TEST_F(CliProcessTest, FullStandardOutputIsAnError) {
  const struct {
    std::vector<std::string> args;
    std::string input;
  } cases[] = {
      {{"mark", "add"}, "abc"},
      {{"decode", "hz"}, "abc"},
      {{"--help"}, ""},
  };
  for (const auto& c : cases) {
    const Outcome o = Run(c.args, c.input, "/dev/full");
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, "vortane-cli: standard output: No space left on device\n");
  }
}

TEST_F(CliProcessTest, SameFileAsInputIsRefused) {
  Put(Path("in"), "ab\ncd");
  fs::create_hard_link(Path("in"), Path("hard"));
  fs::create_symlink("in", Path("soft"));
  for (const char* output : {"in", "./in", "hard", "soft"}) {
    const Outcome o = Run({"mark", "add", "in", output});
    EXPECT_EQ(o.code, 1) << output;
    EXPECT_EQ(o.err, std::string("vortane-cli: ") + output + ": is the same file as the input\n");
    EXPECT_EQ(Get(Path("in")), "ab\ncd");
  }
  EXPECT_EQ(Entries(), (std::vector<std::string>{"hard", "in", "soft"}));
}

// An existing output file is replaced only by a run that succeeds.
TEST_F(CliProcessTest, OutputLeftIntactOnFailure) {
  Put(Path("out"), "old");
  Put(Path("big"), std::string(200000, 'a'));
  const struct {
    std::vector<std::string> args;
    rlim_t limit;
    int code;
  } cases[] = {
      {{"mark", "add", "missing", "out"}, RLIM_INFINITY, 1},
      {{"mark", "add", "big", "out", "extra"}, RLIM_INFINITY, 2},
      {{"mark", "add", "big", "out"}, 100000, 1},
      {{"decode", "hz", "big", "out"}, 100000, 1},
  };
  for (const auto& c : cases) {
    const Outcome o = Run(c.args, "", "", c.limit);
    EXPECT_EQ(o.code, c.code) << o.err;
    EXPECT_EQ(Get(Path("out")), "old");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"big", "out"})) << "no temporary file left";
  }
  const Outcome limited = Run({"decode", "hz", "big", "out"}, "", "", 100000);
  EXPECT_EQ(limited.err, "vortane-cli: out: File too large\n");
}

// A text route whose input does not fit in memory reports it instead of
// aborting. The input is a sparse file, so it takes no disk space.
TEST_F(CliProcessTest, InputTooLargeForMemoryIsAnError) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer needs more address space than the limit allows";
#endif
  Put(Path("out"), "old");
  { std::ofstream huge(Path("huge"), std::ios::binary); }
  fs::resize_file(Path("huge"), 4ULL << 30);
  // A text route reads its input whole; a message is held whole too.
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"mark", "add"}, std::vector<std::string>{"message"}}) {
    std::vector<std::string> args = command;
    args.insert(args.end(), {"huge", "out"});
    const Outcome o = Run(args, "", "", RLIM_INFINITY, 512ULL << 20);
    EXPECT_EQ(o.code, 1) << command[0];
    EXPECT_EQ(o.err, "vortane-cli: huge: too large to hold in memory\n") << command[0];
    EXPECT_EQ(Get(Path("out")), "old") << command[0];
  }
}

TEST_F(CliProcessTest, ExitCodes) {
  EXPECT_EQ(Run({"--help"}).code, 0);
  EXPECT_EQ(Run({"decode", "--help"}).code, 0);
  EXPECT_EQ(Run({"--version"}).code, 0);
  EXPECT_EQ(Run({"decode", "base64"}, "YWJj").code, 0);
  const Outcome usage = Run({"decode"});
  EXPECT_EQ(usage.code, 2);
  EXPECT_EQ(usage.err,
            "vortane-cli: 'decode' needs one of base64|qp|hz|utf7|utf8\n"
            "Try 'vortane-cli decode --help' for more information.\n");
  EXPECT_EQ(Run({}).code, 2);
  // A text that could not be converted whole: counted with 0, refused with 3.
  EXPECT_EQ(Run({"convert", "--from", "utf-8", "--to", "gb"}, "\xFF").code, 0);
  const Outcome strict = Run({"convert", "--strict", "--from", "utf-8", "--to", "gb"}, "a\xFF");
  EXPECT_EQ(strict.code, 3);
  EXPECT_EQ(strict.out, "a?");
}

}  // namespace
