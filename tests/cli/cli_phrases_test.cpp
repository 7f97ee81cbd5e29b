// Conversion by phrases on the command line: text gb2big5|big52gb --phrases,
// convert --phrases, the user's phrase list, the notes on standard error and
// the usage errors, driven through RunCli in memory.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "codec/byte_stream.h"
#include "support/stream_check.h"
#include "support/temp_dir.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ScopedTempDir;
using testing::ToHex;

struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

// Runs with XDG_CONFIG_HOME in a scratch folder, so that no phrase list of
// the machine's user is read.
class CliPhrases : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    saved_ = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
    ::setenv("XDG_CONFIG_HOME", home_.path().c_str(), 1);
  }
  void TearDown() override {
    if (saved_) {
      ::setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_HOME");
    }
  }

  static Outcome Run(const std::vector<std::string>& args, std::string_view input) {
    StringReader in(input, 7);
    StringWriter out;
    StringWriter err;
    Outcome o;
    o.code = RunCli(args, in, out, err);
    o.out = out.bytes();
    o.err = err.bytes();
    return o;
  }

  ScopedTempDir home_;
  ScopedTempDir files_;
  std::optional<std::string> saved_;
};

struct PhraseCase {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  std::string output;
};

// 头发 干杯 皇后 in GB 2312, and their Big5 forms: by phrases 頭髮 乾杯 皇后,
// where the character table gives 頭發 幹杯 皇後.
const PhraseCase kCases[] = {
    {"Gb2big5Taiwan",
     {"text", "gb2big5", "--phrases", "tw"},
     Hex("CDB7 B7A2 20 B8C9 B1AD 20 BBCA BAF3"),
     Hex("C059 BE76 20 B0AE AA4D 20 ACD3 A65A")},
    {"Big52gbTaiwan",
     {"text", "big52gb", "--phrases", "tw"},
     Hex("C059 BE76 20 B0AE AA4D"),
     Hex("CDB7 B7A2 20 B8C9 B1AD")},
    {"ConvertUtf8ToUtf8",
     {"convert", "--from", "utf-8", "--to", "utf-8", "--phrases", "s2tw"},
     "头发 干杯 皇后",
     "頭髮 乾杯 皇后"},
    {"ConvertUtf8ToBig5Vocabulary",
     {"convert", "--from", "utf-8", "--to", "big5", "--phrases", "s2twp"},
     "头发",
     Hex("C059 BE76")},
    {"ConvertToSimplified",
     {"convert", "--from", "utf-8", "--to", "utf-8", "--phrases", "t2s"},
     "頭髮 乾杯",
     "头发 干杯"},
};

TEST_F(CliPhrases, ConvertsByPhrases) {
  for (const PhraseCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const Outcome o = Run(c.args, c.input);
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(ToHex(o.out), ToHex(c.output));
  }
  // Without --phrases the character table's choice stays.
  const Outcome plain = Run({"text", "gb2big5"}, Hex("CDB7 B7A2"));
  EXPECT_EQ(ToHex(plain.out), ToHex(Hex("C059 B56F")));
}

TEST_F(CliPhrases, UserListComesFirstAndItsBadLinesAreNamed) {
  files_.Write("list.txt", "皇后\t王后\nno tab here\n");
  const Outcome o = Run({"convert", "--from", "utf-8", "--to", "utf-8", "--phrases", "s2tw",
                         "--phrase-list", files_.File("list.txt")},
                        "皇后 头发");
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.out, "王后 頭髮");
  EXPECT_NE(o.err.find(files_.File("list.txt") + ": line 2 is not"), std::string::npos) << o.err;

  // The default list lives in the settings folder.
  std::filesystem::create_directories(home_.File("vortane"));
  home_.Write("vortane/phrases.txt", "头发\t頭髮X\n");
  EXPECT_EQ(Run({"convert", "--from", "utf-8", "--to", "utf-8", "--phrases", "s2tw"}, "头发").out,
            "頭髮X");
}

TEST_F(CliPhrases, FallbacksAreCountedOnStandardError) {
  // 𠮷 has no Big5 form: it goes by the character table, which has none either.
  const Outcome o = Run({"convert", "--from", "utf-8", "--to", "big5", "--phrases", "s2hk"}, "𠮷");
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.out, "?");
  EXPECT_NE(o.err.find("standard input: 1 character converted character by character"),
            std::string::npos)
      << o.err;
}

TEST_F(CliPhrases, FailuresAndUsageErrors) {
  const Outcome missing =
      Run({"text", "gb2big5", "--phrases", "tw", "--phrase-list", files_.File("none.txt")}, "");
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("none.txt: No such file or directory"), std::string::npos);

  const std::vector<std::vector<std::string>> usage = {
      {"text", "qp", "--phrases", "tw"},
      {"text", "big52gb", "--phrases", "twp"},
      {"text", "gb2big5", "--phrases", "cn"},
      {"text", "gb2big5", "--phrase-list", "x.txt"},
      {"convert", "--from", "gb", "--to", "big5", "--phrases", "s2x"},
      {"convert", "--from", "utf-8", "--to", "big5", "--phrases", "s2tw", "--strict"},
  };
  for (const auto& args : usage) {
    EXPECT_EQ(Run(args, "").code, 2) << args[1] << " " << args.back();
  }
}

}  // namespace
}  // namespace vortane
