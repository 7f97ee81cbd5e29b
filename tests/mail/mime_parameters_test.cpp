#include "mail/mime_parameters.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace vortane {
namespace {

struct Param {
  std::string name;
  std::string value;
  std::string charset;
  bool operator==(const Param&) const = default;
};

void PrintTo(const Param& p, std::ostream* os) {
  *os << p.name << "=[" << p.value << "] charset=" << p.charset;
}

struct ParamCase {
  const char* name;
  std::string header;
  std::string value;
  std::vector<Param> parameters;
};

void PrintTo(const ParamCase& c, std::ostream* os) { *os << c.name; }

class MimeParameters : public ::testing::TestWithParam<ParamCase> {};

TEST_P(MimeParameters, ValueAndParameters) {
  const ParamCase& c = GetParam();
  const MimeHeaderValue parsed = ParseMimeHeaderValue(c.header);
  EXPECT_EQ(parsed.value, c.value);
  std::vector<Param> got;
  for (const MimeParameter& p : parsed.parameters) {
    got.push_back({p.name, p.value, p.charsetLabel});
  }
  EXPECT_EQ(got, c.parameters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MimeParameters,
    ::testing::Values(
        ParamCase{
            "Quoted", R"(text/plain; charset="gb2312")", "text/plain", {{"charset", "gb2312", ""}}},
        ParamCase{"TypeLowered", "Text/HTML;Charset=GBK", "text/html", {{"charset", "GBK", ""}}},
        ParamCase{"BlanksAroundEquals",
                  "text/plain; charset = big5 ; format=flowed",
                  "text/plain",
                  {{"charset", "big5", ""}, {"format", "flowed", ""}}},
        ParamCase{"TrailingSemicolonAndStray",
                  "text/plain;; charset=utf-8;",
                  "text/plain",
                  {{"charset", "utf-8", ""}}},
        ParamCase{"CommentAfterValue",
                  "text/plain; charset=us-ascii (Plain text)",
                  "text/plain",
                  {{"charset", "us-ascii", ""}}},
        ParamCase{
            "CommentInType", "text/plain (body); charset=x", "text/plain", {{"charset", "x", ""}}},
        ParamCase{"ParenthesesInsideNameKept",
                  "application/pdf; name=file(1).pdf",
                  "application/pdf",
                  {{"name", "file(1).pdf", ""}}},
        ParamCase{"EscapesInQuotes", R"(a/b; name="x\"y\\z")", "a/b", {{"name", R"(x"y\z)", ""}}},
        ParamCase{"SemicolonInsideQuotes",
                  R"(a/b; name="a;b"; c=d)",
                  "a/b",
                  {{"name", "a;b", ""}, {"c", "d", ""}}},
        ParamCase{"UnclosedQuoteRunsToEnd", R"(a/b; name="a; b)", "a/b", {{"name", "a; b", ""}}},
        ParamCase{"NameWithoutValueDropped", "a/b; junk; c=d", "a/b", {{"c", "d", ""}}},
        ParamCase{"FirstOfRepeatedWins", "a/b; c=1; c=2", "a/b", {{"c", "1", ""}}},
        ParamCase{"ExtendedSingle",
                  "attachment; filename*=utf-8''%E4%B8%AD.txt",
                  "attachment",
                  {{"filename", "\xE4\xB8\xAD.txt", "utf-8"}}},
        ParamCase{"ExtendedWithLanguage",
                  "a/b; name*=gb2312'zh-cn'%D6%D0",
                  "a/b",
                  {{"name", "\xD6\xD0", "gb2312"}}},
        // A character split between two sections stays whole: bytes join first.
        ParamCase{"ContinuationSplitInsideCharacter",
                  "attachment; filename*0*=utf-8''%E4%B8; filename*1*=%AD%E6%96%87.doc",
                  "attachment",
                  {{"filename", "\xE4\xB8\xAD\xE6\x96\x87.doc", "utf-8"}}},
        ParamCase{"ContinuationsOutOfOrder",
                  R"(a/b; name*2="c"; name*0="a"; name*1="b")",
                  "a/b",
                  {{"name", "abc", ""}}},
        ParamCase{"PlainSectionNotPercentDecoded",
                  "a/b; name*0*=utf-8''%41; name*1=%42",
                  "a/b",
                  {{"name", "A%42", "utf-8"}}},
        ParamCase{"ExtendedWinsOverPlain",
                  R"(a/b; name="plain.txt"; name*=utf-8''%E4%B8%AD)",
                  "a/b",
                  {{"name", "\xE4\xB8\xAD", "utf-8"}}},
        ParamCase{"QuotedExtendedValue",
                  R"(a/b; name*="utf-8''a%20b")",
                  "a/b",
                  {{"name", "a b", "utf-8"}}},
        ParamCase{
            "ExtendedWithoutCharsetPrefix", "a/b; name*=abc%21", "a/b", {{"name", "abc!", ""}}},
        ParamCase{"BadPercentKept", "a/b; name*=utf-8''100%", "a/b", {{"name", "100%", "utf-8"}}},
        ParamCase{
            "HugeSectionNumberIgnored", "a/b; name*0=a; name*99999=b", "a/b", {{"name", "a", ""}}},
        ParamCase{"NoParameters", "multipart/mixed", "multipart/mixed", {}},
        ParamCase{"Empty", "", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MimeParameterLookup, FindsByLowerCaseName) {
  const MimeHeaderValue parsed = ParseMimeHeaderValue("multipart/mixed; BOUNDARY=\"=_x\"");
  const MimeParameter* boundary = FindMimeParameter(parsed, "boundary");
  ASSERT_NE(boundary, nullptr);
  EXPECT_EQ(boundary->value, "=_x");
  EXPECT_EQ(FindMimeParameter(parsed, "charset"), nullptr);
}

}  // namespace
}  // namespace vortane
