#include "cli/cli_args.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace vortane {
namespace {

using Args = std::vector<std::string>;

struct RunCase {
  const char* name;
  Args args;
  CliCommand expected;
};

CliCommand Make(CliRoute route, void (*adjust)(CliCommand&) = nullptr) {
  CliCommand c;
  c.route = route;
  if (adjust != nullptr) {
    adjust(c);
  }
  return c;
}

class ParseRunTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(ParseRunTest, GivesRouteAndSettings) {
  const RunCase& c = GetParam();
  const ParsedCommandLine parsed = ParseCommandLine(c.args);
  ASSERT_EQ(parsed.action, CliAction::Run) << parsed.error;
  const CliCommand& got = parsed.command;
  const CliCommand& want = c.expected;
  EXPECT_EQ(got.route, want.route);
  EXPECT_EQ(got.input, want.input);
  EXPECT_EQ(got.output, want.output);
  EXPECT_EQ(got.recogniseDoubleBytes, want.recogniseDoubleBytes);
  EXPECT_EQ(got.width, want.width);
  EXPECT_EQ(got.mark, want.mark);
  EXPECT_EQ(got.start, want.start);
  EXPECT_EQ(got.end, want.end);
  if (want.route == CliRoute::Convert || want.route == CliRoute::TextUtf8 ||
      want.route == CliRoute::TextUtf7) {
    EXPECT_EQ(got.resultCode, want.resultCode);
  }
  if (want.route == CliRoute::Convert) {
    EXPECT_EQ(got.sourceCode, want.sourceCode);
    EXPECT_EQ(got.blankMode, want.blankMode);
  }
  EXPECT_EQ(got.json, want.json);
  EXPECT_EQ(got.extractDir, want.extractDir);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseRunTest,
    ::testing::Values(
        RunCase{"DecodeBase64Stdio", {"decode", "base64"}, Make(CliRoute::DecodeBase64)},
        RunCase{"DecodeQpFiles",
                {"decode", "qp", "in", "out"},
                Make(CliRoute::DecodeQuotedPrintable,
                     [](CliCommand& c) {
                       c.input = "in";
                       c.output = "out";
                     })},
        RunCase{"DecodeHzInputOnly",
                {"decode", "hz", "in"},
                Make(CliRoute::DecodeHz, [](CliCommand& c) { c.input = "in"; })},
        RunCase{"DecodeUtf7DashesName", {"decode", "utf7", "-", "-"}, Make(CliRoute::DecodeUtf7)},
        RunCase{"DecodeUtf8", {"decode", "utf8"}, Make(CliRoute::DecodeUtf8)},
        RunCase{
            "TextQpDoubleBytesOnByDefault", {"text", "qp"}, Make(CliRoute::TextQuotedPrintable)},
        RunCase{"TextQpNoDoubleBytes",
                {"text", "qp", "--no-double-bytes", "a"},
                Make(CliRoute::TextQuotedPrintable,
                     [](CliCommand& c) {
                       c.recogniseDoubleBytes = false;
                       c.input = "a";
                     })},
        RunCase{"OptionAfterOperands",
                {"text", "hz", "a", "b", "--no-double-bytes"},
                Make(CliRoute::TextHz,
                     [](CliCommand& c) {
                       c.recogniseDoubleBytes = false;
                       c.input = "a";
                       c.output = "b";
                     })},
        RunCase{"TextBase64", {"text", "base64"}, Make(CliRoute::TextBase64)},
        RunCase{"TextUtf8ToBig5",
                {"text", "utf8", "--to", "big5"},
                Make(CliRoute::TextUtf8, [](CliCommand& c) { c.resultCode = TextCode::Big5; })},
        RunCase{"TextUtf7ToGbWithEquals",
                {"text", "utf7", "--to=gb"},
                Make(CliRoute::TextUtf7, [](CliCommand& c) { c.resultCode = TextCode::Gb; })},
        RunCase{"TextGbToBig5", {"text", "gb2big5"}, Make(CliRoute::TextGbToBig5)},
        RunCase{"TextBig5ToGb", {"text", "big52gb"}, Make(CliRoute::TextBig5ToGb)},
        RunCase{"WrapDefaults", {"wrap"}, Make(CliRoute::Wrap)},
        RunCase{"WrapWidthAndNoDoubleBytes",
                {"wrap", "--width", "30", "--no-double-bytes"},
                Make(CliRoute::Wrap,
                     [](CliCommand& c) {
                       c.width = 30;
                       c.recogniseDoubleBytes = false;
                     })},
        RunCase{"HugeWidthSaturates",
                {"wrap", "--width", "99999999999"},
                Make(CliRoute::Wrap, [](CliCommand& c) { c.width = INT_MAX; })},
        RunCase{"LastOptionWins",
                {"wrap", "--width=5", "--width=6"},
                Make(CliRoute::Wrap, [](CliCommand& c) { c.width = 6; })},
        RunCase{"MarkAddDefault", {"mark", "add"}, Make(CliRoute::MarkAdd)},
        RunCase{"MarkRemoveHash",
                {"mark", "remove", "--mark", "#"},
                Make(CliRoute::MarkRemove, [](CliCommand& c) { c.mark = "#"; })},
        RunCase{"MarkEmpty",
                {"mark", "add", "--mark="},
                Make(CliRoute::MarkAdd, [](CliCommand& c) { c.mark = ""; })},
        RunCase{"MarkDashValue",
                {"mark", "add", "--mark", "-"},
                Make(CliRoute::MarkAdd, [](CliCommand& c) { c.mark = "-"; })},
        RunCase{"RestoreRange",
                {"restore-high-bits", "3", "10", "in"},
                Make(CliRoute::RestoreHighBits,
                     [](CliCommand& c) {
                       c.start = 3;
                       c.end = 10;
                       c.input = "in";
                     })},
        RunCase{"RestoreHugeEndSaturates",
                {"restore-high-bits", "0", "99999999999999999999999"},
                Make(CliRoute::RestoreHighBits, [](CliCommand& c) { c.end = UINT64_MAX; })},
        RunCase{"MessageText",
                {"message", "in"},
                Make(CliRoute::Message, [](CliCommand& c) { c.input = "in"; })},
        RunCase{"MessageJsonExtract",
                {"message", "--json", "--extract=dir", "in", "out"},
                Make(CliRoute::Message,
                     [](CliCommand& c) {
                       c.json = true;
                       c.extractDir = "dir";
                       c.input = "in";
                       c.output = "out";
                     })},
        RunCase{"ConvertDefaultsToKeep",
                {"convert", "--from", "unicode", "--to", "big5"},
                Make(CliRoute::Convert,
                     [](CliCommand& c) {
                       c.sourceCode = TextCode::Unicode;
                       c.resultCode = TextCode::Big5;
                     })},
        RunCase{"ConvertBlanks",
                {"convert", "--from=big5", "--to=gb", "--blanks=remove"},
                Make(CliRoute::Convert,
                     [](CliCommand& c) {
                       c.sourceCode = TextCode::Big5;
                       c.resultCode = TextCode::Gb;
                       c.blankMode = BlankMode::RemoveBlank;
                     })},
        RunCase{"ConvertAddBlanks",
                {"convert", "--from", "gb", "--to", "gb", "--blanks", "add"},
                Make(CliRoute::Convert, [](CliCommand& c) { c.blankMode = BlankMode::AddBlank; })},
        RunCase{"DoubleDashEndsOptions",
                {"mark", "add", "--", "--mark"},
                Make(CliRoute::MarkAdd, [](CliCommand& c) { c.input = "--mark"; })}),
    [](const auto& info) { return info.param.name; });

struct ErrorCase {
  const char* name;
  Args args;
  std::string message;  // a part of the one-line message
  std::string topic;    // the command whose help the hint names
};

class ParseErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ParseErrorTest, IsAUsageError) {
  const ErrorCase& c = GetParam();
  const ParsedCommandLine parsed = ParseCommandLine(c.args);
  ASSERT_EQ(parsed.action, CliAction::UsageError);
  EXPECT_NE(parsed.error.find(c.message), std::string::npos) << parsed.error;
  EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << "one line";
  EXPECT_EQ(parsed.topic, c.topic);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseErrorTest,
    ::testing::Values(
        ErrorCase{"NoArguments", {}, "missing command", ""},
        ErrorCase{"UnknownCommand", {"encode"}, "unknown command 'encode'", ""},
        ErrorCase{"UnknownLeadingOption", {"--verbose"}, "unknown option '--verbose'", ""},
        ErrorCase{"DecodeWithoutMethod", {"decode"}, "base64|qp|hz|utf7|utf8", "decode"},
        ErrorCase{"DecodeUnknownMethod", {"decode", "uu"}, "'uu'", "decode"},
        ErrorCase{"DecodeTakesNoOptions",
                  {"decode", "base64", "--no-double-bytes"},
                  "unknown option '--no-double-bytes'",
                  "decode"},
        ErrorCase{"TooManyFiles", {"decode", "hz", "a", "b", "c"}, "too many arguments", "decode"},
        ErrorCase{"TextUtf8NeedsTo", {"text", "utf8"}, "--to", "text"},
        ErrorCase{"TextToBadCode", {"text", "utf7", "--to", "unicode"}, "'unicode'", "text"},
        ErrorCase{"TextToOnlyForUtf", {"text", "base64", "--to", "gb"}, "--to", "text"},
        ErrorCase{"NoDoubleBytesNotForGb2Big5",
                  {"text", "gb2big5", "--no-double-bytes"},
                  "--no-double-bytes",
                  "text"},
        ErrorCase{"OptionNeedsValue", {"wrap", "--width"}, "needs a value", "wrap"},
        ErrorCase{"WidthZero", {"wrap", "--width", "0"}, "'0'", "wrap"},
        ErrorCase{"WidthNotNumber", {"wrap", "--width", "7x"}, "'7x'", "wrap"},
        ErrorCase{"WidthNegative", {"wrap", "--width=-3"}, "'-3'", "wrap"},
        ErrorCase{"FlagTakesNoValue", {"wrap", "--no-double-bytes=1"}, "takes no value", "wrap"},
        ErrorCase{"MarkTwoBytes", {"mark", "add", "--mark", ">>"}, "single byte", "mark"},
        ErrorCase{"MarkWithoutMethod", {"mark"}, "add|remove", "mark"},
        ErrorCase{
            "MessageExtractNeedsDirectory", {"message", "--extract="}, "--extract", "message"},
        ErrorCase{"RestoreWithoutRange",
                  {"restore-high-bits", "5"},
                  "START and END",
                  "restore-high-bits"},
        ErrorCase{
            "RestoreNotNumber", {"restore-high-bits", "1", "ten"}, "'ten'", "restore-high-bits"},
        ErrorCase{"ConvertNeedsFrom", {"convert", "--to", "gb"}, "--from", "convert"},
        ErrorCase{"ConvertNeedsTo", {"convert", "--from", "gb"}, "--to", "convert"},
        ErrorCase{"ConvertToUnicode",
                  {"convert", "--from", "gb", "--to", "unicode"},
                  "'unicode'",
                  "convert"},
        ErrorCase{"ConvertBadBlanks",
                  {"convert", "--from", "gb", "--to", "gb", "--blanks", "x"},
                  "'x'",
                  "convert"},
        ErrorCase{"SingleDashOption", {"wrap", "-w", "5"}, "unknown option '-w'", "wrap"}),
    [](const auto& info) { return info.param.name; });

TEST(ParseCommandLine, HelpWinsAnywhereAfterTheCommand) {
  const struct {
    Args args;
    std::string topic;
  } cases[] = {
      {{"--help"}, ""},
      {{"-h"}, ""},
      {{"decode", "--help"}, "decode"},
      {{"text", "utf8", "-h"}, "text"},
      {{"wrap", "--width", "0", "--help"}, "wrap"},
      {{"convert", "--bogus", "--help"}, "convert"},
      {{"restore-high-bits", "--help"}, "restore-high-bits"},
  };
  for (const auto& c : cases) {
    const ParsedCommandLine parsed = ParseCommandLine(c.args);
    EXPECT_EQ(parsed.action, CliAction::Help) << c.args.back();
    EXPECT_EQ(parsed.topic, c.topic);
  }
  EXPECT_EQ(ParseCommandLine({"--version"}).action, CliAction::Version);
  // After "--" a "--help" is a file name.
  const ParsedCommandLine file = ParseCommandLine({"wrap", "--", "--help"});
  EXPECT_EQ(file.action, CliAction::Run);
  EXPECT_EQ(file.command.input, "--help");
}

}  // namespace
}  // namespace vortane
