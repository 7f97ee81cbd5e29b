#include "mail/json_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vortane {
namespace {

struct JsonCase {
  const char* name;
  std::string text;
  std::string literal;
};

void PrintTo(const JsonCase& c, std::ostream* os) { *os << c.name; }

class JsonStrings : public ::testing::TestWithParam<JsonCase> {};

TEST_P(JsonStrings, Literal) {
  std::string out = "x";
  AppendJsonString(out, GetParam().text);
  EXPECT_EQ(out, "x" + GetParam().literal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonStrings,
    ::testing::Values(
        JsonCase{"Plain", "abc", R"("abc")"}, JsonCase{"Empty", "", R"("")"},
        JsonCase{"QuoteAndBackslash", R"(a"b\c)", R"("a\"b\\c")"},
        JsonCase{"LineEndsAndTab", "a\r\n\tb", R"("a\r\n\tb")"},
        JsonCase{"OtherControls", std::string("\x00\x01\x1F\b\f", 5),
                 R"("\u0000\u0001\u001f\b\f")"},
        JsonCase{"Utf8Kept", "\xE4\xB8\xAD\xF0\xA0\xAE\xB7", "\"\xE4\xB8\xAD\xF0\xA0\xAE\xB7\""},
        JsonCase{"LineSeparatorsEscaped", "\xE2\x80\xA8\xE2\x80\xA9", R"("\u2028\u2029")"},
        JsonCase{"InvalidBytesReplaced", "a\xFF\xC3", "\"a\xEF\xBF\xBD\xEF\xBF\xBD\""},
        JsonCase{"SurrogateReplaced", "\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        JsonCase{"DelKept", "\x7F", "\"\x7F\""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vortane
