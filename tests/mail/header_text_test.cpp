#include "mail/header_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vortane {
namespace {

struct HeaderTextCase {
  const char* name;
  std::string raw;
  bool hzMessage;
  std::string text;
};

void PrintTo(const HeaderTextCase& c, std::ostream* os) { *os << c.name; }

class HeaderText : public ::testing::TestWithParam<HeaderTextCase> {};

TEST_P(HeaderText, DecodedWithTheDefaultGuesser) {
  EXPECT_EQ(DecodeHeaderText(GetParam().raw, {}, GetParam().hzMessage), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeaderText,
    ::testing::Values(
        HeaderTextCase{"Ascii", "Re: hello", false, "Re: hello"},
        HeaderTextCase{"Gb2312Word", "=?gb2312?B?1tDOxA==?=", false, "中文"},
        // One character cut across two words (and a fold between them).
        HeaderTextCase{"CharacterSplitAcrossWords",
                       "=?utf-8?B?5Lg=?=\r\n =?utf-8?B?reaWhw==?=", false, "中文"},
        HeaderTextCase{"GbkCharacterSplitAcrossGbkAndGb2312Labels",
                       "=?gb2312?B?1g==?= =?GBK?B?0A==?=", false, "中"},
        HeaderTextCase{"Gb2312LabelHoldingGbk", "=?gb2312?B?1uzpRrv5?=", false, "朱镕基"},
        HeaderTextCase{"Big5LabelHoldingHkscs", "=?big5?Q?=A7A=9D=EF?=", false, "你嘅"},
        HeaderTextCase{"XGbkLabel", "=?x-gbk?Q?=D6=D0?=", false, "中"},
        HeaderTextCase{"Utf7Word", "=?utf-7?Q?+ZeVnLIqe-?=", false, "日本語"},
        HeaderTextCase{"WhiteSpaceAroundPlainTextKept", "Re:  =?gb2312?B?1tDOxA==?=  (2)", false,
                       "Re:  中文  (2)"},
        HeaderTextCase{"FoldKeepsItsBlank", "a\n\tb", false, "a\tb"},
        HeaderTextCase{"RawGbkSubject", "\xB2\xE2\xCA\xD4\xD3\xCA\xBC\xFE", false, "测试邮件"},
        HeaderTextCase{"RawUtf8Subject", "[SPAM] \xE4\xB8\xAD\xE6\x96\x87", false, "[SPAM] 中文"},
        // Raw bytes of one field are read in one charset, chosen from all of them.
        HeaderTextCase{"RawBytesBesideAWord", "=?utf-8?B?5Lit?=\n\t\xE6\x96\x87", false, "中\t文"},
        HeaderTextCase{"HzInAnHzMessage", "Fw: ~{VPND~}", true, "Fw: 中文"},
        HeaderTextCase{"HzTildeTrailBeforeClose", "~{2bJTSJ<~~}", true, "测试邮件"},
        HeaderTextCase{"HzEscapesStayOutsideAnHzMessage", "Fw: ~{VPND~}", false, "Fw: ~{VPND~}"},
        HeaderTextCase{"UnknownLabelGuessed", "=?x-unknown?B?5Lit5paH?=", false, "中文"},
        HeaderTextCase{"MalformedWordKept", "=?gb2312?B?1tDOxA==", false, "=?gb2312?B?1tDOxA=="}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeaderText, RawBytesGoToTheGuesserWithTheCandidates) {
  std::vector<Charset> seen;
  const CharsetGuesser guess = [&](std::string_view bytes, std::span<const Charset> candidates) {
    EXPECT_EQ(bytes, "x \xA4\xA4");
    seen.assign(candidates.begin(), candidates.end());
    return Charset::Big5Hkscs;
  };
  EXPECT_EQ(DecodeHeaderText("x \xA4\xA4", guess, false), "x 中");
  EXPECT_EQ(seen, std::vector<Charset>(kGuessCandidates.begin(), kGuessCandidates.end()));
}

}  // namespace
}  // namespace vortane
