// The convert command between any two codes, its counts and --strict, and the
// labels command, driven through RunCli in memory and on files.
#include "cli/cli_convert.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charsets/label_map.h"
#include "cli/cli.h"
#include "support/stream_check.h"
#include "support/temp_dir.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

Outcome RunConvertLine(const std::vector<std::string>& args, std::string_view input = "") {
  StringReader in(input, 5);  // small reads put block edges inside characters
  StringWriter out;
  StringWriter err;
  Outcome o;
  o.code = RunCli(args, in, out, err);
  o.out = out.bytes();
  o.err = err.bytes();
  return o;
}

struct ConvertCase {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  std::string output;
  int code;
  const char* err;  // a part of standard error; "" for none at all
};

const ConvertCase kCases[] = {
    // Mail labels read the superset bytes, and the text comes back whole.
    {"GbkUnderGb2312",
     {"--from", "gb2312", "--to", "utf-8"},
     Hex("D6EC E946 BBF9"),
     "朱镕基",
     0,
     ""},
    {"BackToGbk", {"--from", "utf-8", "--to", "GB2312"}, "朱镕基", Hex("D6EC E946 BBF9"), 0, ""},
    {"FourByteGb18030", {"--from", "gb18030", "--to", "utf-8"}, Hex("9534B235"), "𠮷", 0, ""},
    {"BackToGb18030", {"--from", "utf-8", "--to", "gb18030"}, "𠮷", Hex("9534B235"), 0, ""},
    {"HkscsUnderCp950", {"--from", "cp950", "--to", "utf-8"}, Hex("A7419DEF"), "你嘅", 0, ""},
    {"BackToHkscs", {"--from", "utf-8", "--to", "x-big5"}, "你嘅", Hex("A7419DEF"), 0, ""},
    {"Utf16WithMark", {"--from", "utf-16", "--to", "utf-8"}, Hex("FFFE 3167 4100"), "朱A", 0, ""},
    {"BackToUtf16", {"--from", "utf-8", "--to", "utf-16"}, "朱A", Hex("FFFE 3167 4100"), 0, ""},
    {"Utf16LeNoMark", {"--from", "utf-8", "--to", "utf-16le"}, "A", Hex("4100"), 0, ""},
    {"Utf16BeNoMark", {"--from", "utf-8", "--to", "utf-16be"}, "A", Hex("0041"), 0, ""},
    // big5 keeps the converter's table: HKSCS characters are not in it.
    {"Big5IsTheConvertersTable",
     {"--from", "big5", "--to", "utf-8"},
     Hex("A7419DEF"),
     "你\uFFFD",
     0,
     "1 byte sequence could not be read as big5"},
    {"GbIsTheConvertersTable",
     {"--from", "utf-8", "--to", "gb"},
     "朱镕基",
     Hex("D6EC 3F BBF9"),
     0,
     "1 character could not be written as gb"},
    // Re-encoding keeps the characters: 中国 stays simplified in Big5-HKSCS.
    {"ReencodeOnly",
     {"--from", "gbk", "--to", "big5-hkscs"},
     Hex("D6D0 B9FA"),
     Hex("A4A4 98C7"),
     0,
     ""},
    {"CountsBoth",
     {"--from", "gb18030", "--to", "big5-hkscs"},
     Hex("80 D5E2 41"),
     "?"
     "?A",
     0,
     "1 byte sequence could not be read as gb18030\n"},
    {"StrictFails",
     {"--from", "utf-8", "--to", "big5-hkscs", "--strict"},
     "这",
     "?",
     3,
     "standard output: not converted whole (--strict)"},
    {"StrictWhole",
     {"--from", "utf-8", "--to", "big5-hkscs", "--strict"},
     "你",
     Hex("A741"),
     0,
     ""},
    // The converter's unicode: little-endian after its mark, now also to a label.
    {"UnicodeLittleEndianToGb",
     {"--from", "unicode", "--to", "gb"},
     Hex("FFFE 4100 2D4E"),
     Hex("41 D6D0"),
     0,
     ""},
    {"UnicodeLittleEndianToUtf8",
     {"--from", "unicode", "--to", "utf-8"},
     Hex("FFFE 4100 2D4E"),
     "A中",
     0,
     ""},
    {"UnicodeBigEndianKeepsItsRule",
     {"--from", "unicode", "--to", "gb"},
     Hex("FEFF 0041"),
     Hex("FEFF 41"),
     0,
     ""},
};

TEST(CliConvert, ConvertsBetweenAnyCodes) {
  for (const ConvertCase& c : kCases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args{"convert"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome o = RunConvertLine(args, c.input);
    EXPECT_EQ(o.code, c.code);
    EXPECT_EQ(ToHex(o.out), ToHex(c.output));
    if (std::string_view(c.err).empty()) {
      EXPECT_EQ(o.err, "");
    } else {
      EXPECT_NE(o.err.find(c.err), std::string::npos) << o.err;
    }
  }
}

TEST(CliConvert, CountsNameTheInputAndBothCodes) {
  const Outcome o =
      RunConvertLine({"convert", "--from", "utf-8", "--to", "hz-gb-2312"}, "\xFF镕한");
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.err,
            "vortane-cli: standard input: 1 byte sequence could not be read as utf-8\n"
            "vortane-cli: standard input: 2 characters could not be written as hz-gb-2312\n");
}

TEST(CliConvert, StrictLeavesAnExistingOutputAsItWas) {
  testing::ScopedTempDir dir;
  dir.Write("in.txt", "朱镕基");
  dir.Write("out.txt", "old");
  const std::string in = dir.File("in.txt");
  const std::string out = dir.File("out.txt");
  Outcome o = RunConvertLine({"convert", "--strict", "--from", "utf-8", "--to", "gb", in, out});
  EXPECT_EQ(o.code, 3);
  EXPECT_EQ(testing::ScopedTempDir::Read(out), "old");
  EXPECT_NE(o.err.find(out + ": left as it was (--strict)"), std::string::npos) << o.err;
  // Without --strict the counts are only told.
  o = RunConvertLine({"convert", "--from", "utf-8", "--to", "gb", in, out});
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(ToHex(*testing::ScopedTempDir::Read(out)), ToHex(Hex("D6EC 3F BBF9")));
  EXPECT_EQ(o.err, "vortane-cli: " + in + ": 1 character could not be written as gb\n");
}

TEST(CliConvert, UsageErrors) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"convert", "--from", "gb2312", "--to", "utf-8", "--blanks", "add"},
       "--blanks applies between gb, big5 and unicode only"},
      {{"convert", "--from", "utf-8", "--to", "unicode"}, "not 'unicode'"},
      {{"convert", "--from", "latin1", "--to", "utf-8"}, "not 'latin1'"},
      {{"convert", "--from", "utf-8", "--to", "utf-32"}, "not 'utf-32'"},
      {{"labels", "extra"}, "too many arguments: 'extra'"},
  };
  for (const auto& c : cases) {
    const Outcome o = RunConvertLine(c.args);
    EXPECT_EQ(o.code, 2) << c.message;
    EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
  }
}

TEST(CliConvert, ConverterNamesKeepTheirRouteInAnyCase) {
  EXPECT_EQ(ParseCommandLine({"convert", "--from", "GB", "--to", "Big5"}).command.route,
            CliRoute::Convert);
  EXPECT_EQ(ParseCommandLine({"convert", "--from", "gb", "--to", "big5-hkscs"}).command.route,
            CliRoute::Recode);
  EXPECT_EQ(ParseCommandLine({"convert", "--from", "utf8", "--to", "big5"}).command.route,
            CliRoute::Recode);
}

TEST(CliLabels, PrintsEveryLabelWithItsCode) {
  const Outcome o = RunConvertLine({"labels"}, "ignored");
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.err, "");
  std::string expected;
  for (const CharsetLabel& l : CharsetLabels()) {
    expected += std::string(l.label) + "\t" + std::string(CharsetName(l.charset)) + "\n";
  }
  EXPECT_EQ(o.out, expected);
  EXPECT_EQ(o.out.rfind("gb18030\tgb18030\ngb2312\tgb18030\n", 0), 0u);
  EXPECT_NE(o.out.find("\ncp950\tbig5-hkscs\n"), std::string::npos);
  EXPECT_EQ(RunConvertLine({"labels", "--help"}).out.rfind("Usage: vortane-cli labels", 0), 0u);
}

}  // namespace
}  // namespace vortane
