// RunCli driven in memory: help, version, usage errors, and that every route
// hands its input and settings to the right library function and its whole
// result back.
#include "cli/cli.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cjk/gb_big5.h"
#include "cjk/utf7.h"
#include "cjk/utf8.h"
#include "codec/base64.h"
#include "codec/hz.h"
#include "codec/quoted_printable.h"
#include "codec/restore_high_bits.h"
#include "converter/convert_stream.h"
#include "lines/line_transforms.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::RunStream;
using testing::ToHex;

struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

Outcome RunLine(const std::vector<std::string>& args, std::string_view input = "",
                std::size_t chunk = 65536) {
  StringReader in(input, chunk);
  StringWriter out;
  StringWriter err;
  Outcome o;
  o.code = RunCli(args, in, out, err);
  o.out = out.bytes();
  o.err = err.bytes();
  return o;
}

std::string Converted(std::string_view input, TextCode from, TextCode to, BlankMode blanks) {
  return RunStream(
      [=](ByteReader& in, ByteWriter& out) { return ConvertStream(in, out, from, to, blanks); },
      input);
}

TEST(RunCli, HelpNamesEveryCommandAndOption) {
  for (const char* flag : {"--help", "-h"}) {
    const Outcome o = RunLine({flag});
    EXPECT_EQ(o.code, 0);
    EXPECT_TRUE(o.err.empty());
    for (const char* word : {"Usage: vortane-cli",
                             "decode base64|qp|hz",
                             "decode utf7|utf8",
                             "text base64|qp|hz",
                             "text utf8|utf7 --to gb|big5",
                             "text gb2big5|big52gb",
                             "wrap",
                             "mark add|remove",
                             "restore-high-bits START END",
                             "convert --from gb|big5|unicode --to gb|big5",
                             "message [--json] [--extract DIR]",
                             "--no-double-bytes",
                             "--width N",
                             "--mark C",
                             "--blanks add|remove|keep",
                             "--json",
                             "--extract DIR",
                             "--version",
                             "Exit status",
                             "'-'"}) {
      EXPECT_NE(o.out.find(word), std::string::npos) << word;
    }
  }
}

TEST(RunCli, CommandHelpNamesItsOptions) {
  const struct {
    const char* command;
    std::vector<const char*> words;
  } cases[] = {
      {"decode", {"base64|qp|hz|utf7|utf8", "INPUT", "OUTPUT"}},
      {"text", {"--no-double-bytes", "--to gb|big5", "gb2big5", "big52gb"}},
      {"wrap", {"--width N", "--no-double-bytes", "70"}},
      {"mark", {"add|remove", "--mark C", "'>'"}},
      {"restore-high-bits", {"START END", "[START, END)"}},
      {"convert", {"--from", "--to", "--blanks", "keep"}},
      {"message", {"--json", "--extract DIR", "mbox", "part-N", "Exit status"}},
  };
  for (const auto& c : cases) {
    const Outcome o = RunLine({c.command, "--help"});
    EXPECT_EQ(o.code, 0) << c.command;
    EXPECT_EQ(o.out.rfind(std::string("Usage: vortane-cli ") + c.command, 0), 0u) << o.out;
    for (const char* word : c.words) {
      EXPECT_NE(o.out.find(word), std::string::npos) << c.command << ": " << word;
    }
  }
}

TEST(RunCli, MessageExitStatuses) {
  std::string tooManyParts = "Content-Type: multipart/mixed; boundary=b\n\n";
  for (int i = 0; i < 10001; ++i) {
    tooManyParts += "--b\n\n.\n";
  }
  const struct {
    std::vector<std::string> args;
    std::string input;
    int code;
    std::string err;
  } cases[] = {
      {{"message"}, "Subject: =?utf-8?B?5Lit?=\n\nx", 0, ""},
      {{"message", "--extract", "/nonexistent-vortane-dir"},
       "x",
       1,
       "vortane-cli: /nonexistent-vortane-dir: No such file or directory\n"},
      {{"message", "--json"},
       tooManyParts,
       3,
       "vortane-cli: standard input: more than 10000 parts; the parts after that are dropped\n"},
  };
  for (const auto& c : cases) {
    const Outcome o = RunLine(c.args, c.input);
    EXPECT_EQ(o.code, c.code) << c.args.back();
    EXPECT_EQ(o.err, c.err);
    EXPECT_EQ(o.out.empty(), c.code == 1) << "output written unless the run was refused";
  }
}

TEST(RunCli, VersionGoesToStandardOutput) {
  const Outcome o = RunLine({"--version"});
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.out.rfind("vortane-cli ", 0), 0u);
  EXPECT_NE(o.out.find_first_of("0123456789"), std::string::npos);
  EXPECT_EQ(o.out.back(), '\n');
  EXPECT_TRUE(o.err.empty());
}

TEST(RunCli, UsageErrorIsOneLineAndAHint) {
  const struct {
    std::vector<std::string> args;
    std::string expected;
  } cases[] = {
      {{}, "vortane-cli: missing command\nTry 'vortane-cli --help' for more information.\n"},
      {{"frobnicate"},
       "vortane-cli: unknown command 'frobnicate'\n"
       "Try 'vortane-cli --help' for more information.\n"},
      {{"wrap", "--width", "x"},
       "vortane-cli: --width takes a whole number of 1 or more, not 'x'\n"
       "Try 'vortane-cli wrap --help' for more information.\n"},
  };
  for (const auto& c : cases) {
    const Outcome o = RunLine(c.args, "input");
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(o.err, c.expected);
    EXPECT_TRUE(o.out.empty()) << "nothing is run";
  }
}

struct RouteCase {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  std::function<std::string(const std::string&)> expected;
};

class RouteTest : public ::testing::TestWithParam<RouteCase> {};

TEST_P(RouteTest, StandardInputToStandardOutput) {
  const RouteCase& c = GetParam();
  const Outcome o = RunLine(c.args, c.input);
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_TRUE(o.err.empty());
  EXPECT_EQ(ToHex(o.out), ToHex(c.expected(c.input)));
}

// Reads arrive in small pieces: the text routes must read to the end.
TEST_P(RouteTest, InputInSmallReads) {
  const RouteCase& c = GetParam();
  EXPECT_EQ(ToHex(RunLine(c.args, c.input, 3).out), ToHex(c.expected(c.input)));
}

const std::string kBase64 = "AGFi\r\nYw0K AAA=";
const std::string kQp = "a=B2\r\n=E2b=\r\nc=0D=0A=00=";
const std::string kHz = "ab~{2bJT~}cd~~\r\n";
const std::string kUtf8 = "A" + Hex("E4B8AD C3A9 00") + "z";
const std::string kUtf7 = "A+ZeVnLA-b+AAA-";
const std::string kGb = "A " + Hex("D6D0 CEC4") + " b" + Hex("00B0");
const std::string kBig5 = "A " + Hex("A4A4 A4E5") + " b" + Hex("00A4");
const std::string kUnicode = Hex("0041 0020 4E2D 6587 0000 0062");
const std::string kLines = "ab\r\n>cd\r\n" + Hex("B0A1B0A2B0A3") + "\r\n>" + std::string(1, '\0');

INSTANTIATE_TEST_SUITE_P(
    Routes, RouteTest,
    ::testing::Values(
        RouteCase{"DecodeBase64",
                  {"decode", "base64"},
                  kBase64,
                  [](const std::string& in) { return RunStream(DecodeBase64Stream, in); }},
        RouteCase{"DecodeQp",
                  {"decode", "qp"},
                  kQp,
                  [](const std::string& in) { return RunStream(DecodeQuotedPrintableStream, in); }},
        RouteCase{"DecodeHz",
                  {"decode", "hz", "-"},
                  kHz,
                  [](const std::string& in) { return RunStream(DecodeHzStream, in); }},
        RouteCase{"DecodeUtf7",
                  {"decode", "utf7", "-", "-"},
                  kUtf7,
                  [](const std::string& in) { return RunStream(DecodeUtf7Stream, in); }},
        RouteCase{"DecodeUtf8",
                  {"decode", "utf8"},
                  kUtf8,
                  [](const std::string& in) { return RunStream(DecodeUtf8Stream, in); }},
        RouteCase{"TextBase64",
                  {"text", "base64"},
                  kBase64,
                  [](const std::string& in) { return DecodeBase64Text(in); }},
        RouteCase{"TextQp",
                  {"text", "qp"},
                  kQp,
                  [](const std::string& in) { return DecodeQuotedPrintableText(in, true); }},
        RouteCase{"TextQpNoDoubleBytes",
                  {"text", "qp", "--no-double-bytes"},
                  kQp,
                  [](const std::string& in) { return DecodeQuotedPrintableText(in, false); }},
        RouteCase{
            "TextHz", {"text", "hz"}, kHz, [](const std::string& in) { return DecodeHzText(in); }},
        RouteCase{"TextUtf8ToGb",
                  {"text", "utf8", "--to", "gb"},
                  kUtf8,
                  [](const std::string& in) { return DecodeUtf8Text(in, TextCode::Gb); }},
        RouteCase{"TextUtf8ToBig5",
                  {"text", "utf8", "--to", "big5"},
                  kUtf8,
                  [](const std::string& in) { return DecodeUtf8Text(in, TextCode::Big5); }},
        RouteCase{"TextUtf7ToGb",
                  {"text", "utf7", "--to", "gb"},
                  kUtf7,
                  [](const std::string& in) { return DecodeUtf7Text(in, TextCode::Gb); }},
        RouteCase{"TextUtf7ToBig5",
                  {"text", "utf7", "--to", "big5"},
                  kUtf7,
                  [](const std::string& in) { return DecodeUtf7Text(in, TextCode::Big5); }},
        RouteCase{"TextGbToBig5",
                  {"text", "gb2big5"},
                  kGb,
                  [](const std::string& in) { return ConvertGbToBig5Text(in); }},
        RouteCase{"TextBig5ToGb",
                  {"text", "big52gb"},
                  kBig5,
                  [](const std::string& in) { return ConvertBig5ToGbText(in); }},
        RouteCase{"Wrap",
                  {"wrap", "--width", "3"},
                  kLines,
                  [](const std::string& in) { return WordWrap(in, 3, true); }},
        RouteCase{"WrapNoDoubleBytes",
                  {"wrap", "--width=3", "--no-double-bytes"},
                  kLines,
                  [](const std::string& in) { return WordWrap(in, 3, false); }},
        RouteCase{"WrapDefaultWidth",
                  {"wrap"},
                  std::string(500, 'x'),
                  [](const std::string& in) { return WordWrap(in, 70, true); }},
        RouteCase{"MarkAdd",
                  {"mark", "add"},
                  kLines,
                  [](const std::string& in) { return AddMark(in, ">"); }},
        RouteCase{"MarkRemove",
                  {"mark", "remove"},
                  kLines,
                  [](const std::string& in) { return RemoveMark(in, ">"); }},
        RouteCase{"MarkAddOtherMark",
                  {"mark", "add", "--mark", "#"},
                  kLines,
                  [](const std::string& in) { return AddMark(in, "#"); }},
        RouteCase{"MarkEmptyMark",
                  {"mark", "remove", "--mark="},
                  kLines,
                  [](const std::string& in) { return in; }},
        RouteCase{"RestoreHighBits",
                  {"restore-high-bits", "2", "5"},
                  kLines,
                  [](const std::string& in) { return RestoreHighBits(in, 2, 5); }},
        RouteCase{"RestoreHighBitsClamped",
                  {"restore-high-bits", "4", "100000"},
                  kLines,
                  [](const std::string& in) { return RestoreHighBits(in, 4, in.size()); }},
        RouteCase{"ConvertGbToBig5",
                  {"convert", "--from", "gb", "--to", "big5"},
                  kGb,
                  [](const std::string& in) {
                    return Converted(in, TextCode::Gb, TextCode::Big5, BlankMode::KeepStill);
                  }},
        RouteCase{"ConvertBig5ToGbRemove",
                  {"convert", "--from", "big5", "--to", "gb", "--blanks", "remove"},
                  kBig5,
                  [](const std::string& in) {
                    return Converted(in, TextCode::Big5, TextCode::Gb, BlankMode::RemoveBlank);
                  }},
        RouteCase{"ConvertUnicodeToGbAdd",
                  {"convert", "--from", "unicode", "--to", "gb", "--blanks", "add"},
                  kUnicode,
                  [](const std::string& in) {
                    return Converted(in, TextCode::Unicode, TextCode::Gb, BlankMode::AddBlank);
                  }},
        RouteCase{"ConvertUnicodeToBig5",
                  {"convert", "--from", "unicode", "--to", "big5"},
                  kUnicode,
                  [](const std::string& in) {
                    return Converted(in, TextCode::Unicode, TextCode::Big5, BlankMode::KeepStill);
                  }},
        RouteCase{"ConvertGbCopyAddBlanks",
                  {"convert", "--from", "gb", "--to", "gb", "--blanks", "add"},
                  kGb,
                  [](const std::string& in) {
                    return Converted(in, TextCode::Gb, TextCode::Gb, BlankMode::AddBlank);
                  }}),
    [](const auto& info) { return info.param.name; });

// The options must reach the library: each pair gives different results.
TEST(RunCli, OptionsChangeTheResult) {
  EXPECT_NE(RunLine({"text", "qp"}, kQp).out,
            RunLine({"text", "qp", "--no-double-bytes"}, kQp).out);
  EXPECT_NE(RunLine({"wrap", "--width", "3"}, kLines).out,
            RunLine({"wrap", "--width", "3", "--no-double-bytes"}, kLines).out);
  EXPECT_NE(RunLine({"wrap", "--width", "3"}, kLines).out,
            RunLine({"wrap", "--width", "4"}, kLines).out);
}

// Known results through the command line, 0 bytes included.
TEST(RunCli, KnownResults) {
  const struct {
    std::vector<std::string> args;
    std::string input;
    std::string output;
  } cases[] = {
      {{"decode", "base64"}, "YWJj\r\nAAA=", Hex("616263 0000")},
      {{"text", "base64"}, "AAAAYWJj", Hex("000000 616263")},
      {{"text", "hz"}, "ab~{2bJT~}cd", "ab" + Hex("B2E2CAD4") + "cd"},
      {{"decode", "hz"}, "~~{2b~}", "~~{2b"},
      {{"decode", "utf8"}, "A" + Hex("E4B8AD"), Hex("0041 4E2D")},
      {{"mark", "add"}, "ab\r\n\r\ncd", ">ab\r\n>\r\n>cd"},
      {{"restore-high-bits", "1", "3"}, "a2bc", "a" + Hex("B2E2") + "c"},
      {{"convert", "--from", "gb", "--to", "gb", "--blanks", "add"},
       Hex("41D6D0CEC4"),
       Hex("41 20D6D0 20CEC4")},
      {{"mark", "add"}, "", ">"},
      {{"decode", "base64"}, "", ""},
  };
  for (const auto& c : cases) {
    const Outcome o = RunLine(c.args, c.input);
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(ToHex(o.out), ToHex(c.output)) << c.args.front() << " " << c.args[1];
  }
}

TEST(RunCli, LargeTextInputIsReadWhole) {
  std::string input;
  for (int i = 0; i < 300000; ++i) {
    input.push_back(i % 101 == 0 ? '\n' : static_cast<char>('a' + i % 26));
  }
  const Outcome o = RunLine({"mark", "add"}, input, 4096);
  EXPECT_EQ(o.code, 0);
  EXPECT_EQ(o.out, AddMark(input, ">"));
}

class FailingReader final : public ByteReader {
 public:
  ReadResult Read(std::span<char>) override { return {0, true}; }
};

class FailingWriter final : public ByteWriter {
 public:
  bool Write(std::string_view) override { return false; }
};

TEST(RunCli, StandardStreamFailuresAreErrors) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"decode", "base64"}, std::vector<std::string>{"mark", "add"}}) {
    FailingReader badIn;
    StringReader goodIn("YWJj");
    StringWriter out;
    StringWriter err;
    EXPECT_EQ(RunCli(args, badIn, out, err), 1);
    EXPECT_EQ(err.bytes(), "vortane-cli: standard input: read failed\n");

    FailingWriter badOut;
    StringWriter err2;
    EXPECT_EQ(RunCli(args, goodIn, badOut, err2), 1);
    EXPECT_EQ(err2.bytes(), "vortane-cli: standard output: write failed\n");
  }
  FailingWriter badOut;
  StringReader in("");
  StringWriter err;
  EXPECT_EQ(RunCli({"--help"}, in, badOut, err), 1) << "help that cannot be written";
}

}  // namespace
}  // namespace vortane
