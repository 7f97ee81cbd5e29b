// vortane-cli auto driven through RunCli in memory and on files.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/stream_check.h"
#include "support/temp_dir.h"

namespace vortane {
namespace {

using testing::Hex;

struct AutoCase {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  int code;
  std::string out;
  std::string err;
};

void PrintTo(const AutoCase& c, std::ostream* os) { *os << c.name; }

class AutoLines : public ::testing::TestWithParam<AutoCase> {};

TEST_P(AutoLines, GiveTheirOutputMessageAndStatus) {
  const AutoCase& c = GetParam();
  StringReader in(c.input, 7);
  StringWriter out;
  StringWriter err;
  EXPECT_EQ(RunCli(c.args, in, out, err), c.code);
  EXPECT_EQ(testing::ToHex(out.bytes()), testing::ToHex(c.out));
  EXPECT_EQ(err.bytes(), c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AutoLines,
    ::testing::Values(
        AutoCase{"Base64OfGb",
                 {"auto"},
                 "1tDOxA==",
                 0,
                 "中文",
                 "vortane-cli: standard input: Base64, then GB18030\n"},
        AutoCase{"ToGbTable",
                 {"auto", "--to", "GB"},
                 "1tDOxA==",
                 0,
                 Hex("D6D0CEC4"),
                 "vortane-cli: standard input: Base64, then GB18030\n"},
        AutoCase{"ToLabel",
                 {"auto", "--to=big5-hkscs"},
                 "~{VPND~}",
                 0,
                 Hex("A4A4A4E5"),
                 "vortane-cli: standard input: HZ, then GB18030\n"},
        AutoCase{"ToUtf8Label",
                 {"auto", "--to", "utf-8"},
                 "~{VPND~}",
                 0,
                 "中文",
                 "vortane-cli: standard input: HZ, then GB18030\n"},
        // 们 has no Big5 code: written as "?", and said so.
        AutoCase{"UnwritableCounted",
                 {"auto", "--to", "big5"},
                 "~{NRCG~}",
                 0,
                 Hex("A7DA") + "?",
                 "vortane-cli: standard input: HZ, then GB18030\n"
                 "vortane-cli: standard output: 1 character could not be written in big5 and "
                 "became '?'\n"},
        AutoCase{"NoReading",
                 {"auto"},
                 "just English",
                 3,
                 "",
                 "vortane-cli: standard input: no Chinese reading found\n"},
        AutoCase{
            "ListJson",
            {"auto", "--list", "--json"},
            "~{VPND~}",
            0,
            "[\n  {\"steps\": [\"HZ\", \"GB18030\"], \"score\": 8.55, \"text\": \"中文\"}\n]\n",
            ""},
        AutoCase{"ListJsonNothing",
                 {"auto", "--json", "--list", "-"},
                 "just English",
                 3,
                 "[]\n",
                 "vortane-cli: standard input: no Chinese reading found\n"},
        AutoCase{"JsonWithoutList",
                 {"auto", "--json"},
                 "",
                 2,
                 "",
                 "vortane-cli: --json goes with --list\n"
                 "Try 'vortane-cli auto --help' for more information.\n"},
        AutoCase{"ListTakesNoOutput",
                 {"auto", "--list", "-", "out.txt"},
                 "",
                 2,
                 "",
                 "vortane-cli: 'auto --list' takes INPUT only, not 'out.txt'\n"
                 "Try 'vortane-cli auto --help' for more information.\n"},
        AutoCase{"UnknownTarget",
                 {"auto", "--to", "latin1"},
                 "",
                 2,
                 "",
                 "vortane-cli: --to takes utf8, gb, big5 or a label that 'vortane-cli labels' "
                 "lists, not 'latin1'\n"
                 "Try 'vortane-cli auto --help' for more information.\n"}),
    [](const ::testing::TestParamInfo<AutoCase>& info) { return info.param.name; });

TEST(AutoFiles, NoReadingLeavesOutputAsItWas) {
  testing::ScopedTempDir dir;
  dir.Write("in.txt", "plain English text");
  dir.Write("out.txt", "old");
  StringReader in("", 1);
  StringWriter out;
  StringWriter err;
  EXPECT_EQ(RunCli({"auto", dir.File("in.txt"), dir.File("out.txt")}, in, out, err), 3);
  EXPECT_EQ(testing::ScopedTempDir::Read(dir.File("out.txt")), "old");
  EXPECT_EQ(err.bytes(), "vortane-cli: " + dir.File("in.txt") + ": no Chinese reading found\n");
}

TEST(AutoFiles, ReadingReplacesOutput) {
  testing::ScopedTempDir dir;
  dir.Write("in.txt", "=D6=D0=CE=C4");
  dir.Write("out.txt", "old");
  StringReader in("", 1);
  StringWriter out;
  StringWriter err;
  EXPECT_EQ(RunCli({"auto", dir.File("in.txt"), dir.File("out.txt")}, in, out, err), 0);
  EXPECT_EQ(testing::ScopedTempDir::Read(dir.File("out.txt")), "中文");
}

TEST(AutoFiles, MissingInputIsAnIoError) {
  testing::ScopedTempDir dir;
  StringReader in("", 1);
  StringWriter out;
  StringWriter err;
  EXPECT_EQ(RunCli({"auto", dir.File("missing.txt")}, in, out, err), 1);
  EXPECT_NE(err.bytes().find("missing.txt: No such file or directory"), std::string::npos);
}

}  // namespace
}  // namespace vortane
