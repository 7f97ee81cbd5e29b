#include "detect/eighth_bit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>

#include "detect/ascii_pairs.h"
#include "detect/ascii_pairs_data.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;

struct EighthBitCase {
  const char* name;
  std::string input;
  std::optional<std::string> output;
};

void PrintTo(const EighthBitCase& c, std::ostream* os) { *os << c.name; }

class EighthBit : public ::testing::TestWithParam<EighthBitCase> {};

TEST_P(EighthBit, SetsItWhereThePairsReadBetter) {
  const EighthBitCase& c = GetParam();
  const std::optional<std::string> out = SetEighthBit(c.input);
  ASSERT_EQ(out.has_value(), c.output.has_value());
  if (out) {
    EXPECT_EQ(testing::ToHex(*out), testing::ToHex(*c.output));
  }
}

const std::string kHexadecimal =
    "was set to 0xaaaaaaaa rather than 0\ncolor: #f8f8f2; background: #272822;\n";
const std::string kBuildLog =
    "  CC      fs/erofs/zdata.o\n  LD      fs/erofs/erofs.o\n"
    "fs/erofs/zdata.c:1021:9: error: 'pcl' undeclared (first use in this function)\n"
    "make[2]: *** [scripts/Makefile.build:243: fs/erofs/zdata.o] Error 1\n";

// 中文 is D6 D0 CE C4 (stripped "VPND"), 文件 CE C4 BC FE ("ND<~"), ， A3 AC ("#,").
INSTANTIATE_TEST_SUITE_P(
    Cases, EighthBit,
    ::testing::Values(
        EighthBitCase{"WholeRun", "VPND", Hex("D6D0CEC4")},
        EighthBitCase{"LinesAndBlanksStay", "VPND\r\nND<~ ", Hex("D6D0CEC4 0D0A CEC4BCFE 20")},
        EighthBitCase{"FormatStaysAscii", "ND<~%s#,", Hex("CEC4BCFE") + "%s" + Hex("A3AC")},
        EighthBitCase{"EnglishStays", "No such file or directory", std::nullopt},
        EighthBitCase{"MostlyEnglish", "Please read VPND in the attached file", std::nullopt},
        // 值[*]请按 (D6B5 [*] C7EB B0B4): signs between pairs stay signs.
        EighthBitCase{"SignsBetweenPairs", "V5[*]Gk04", Hex("D6B5") + "[*]" + Hex("C7EBB0B4")},
        // 打开(_O) (B4F2 BFAA): an accelerator after Chinese stays ASCII.
        EighthBitCase{"Accelerator", "4r?*(_O)", Hex("B4F2BFAA") + "(_O)"},
        // Placeholders do not nest (else <软件包名经<版本号>, ">-" as 经), though
        // "<<" is a shift: 默认文件名是 <软件包名>-<版本号>.deb.
        EighthBitCase{"PlaceholdersDoNotNest", "D,HOND<~C{JG <Hm<~0|C{>-<0f1>:E>.deb",
                      Hex("C4ACC8CFCEC4BCFEC3FBCAC7") + " <" + Hex("C8EDBCFEB0FCC3FB") + ">-<" +
                          Hex("B0E6B1BEBAC5") + ">.deb"},
        // A menu's key after one character (else no reading): 绿(_G)：.
        EighthBitCase{"MenuKeyAfterACharacter", "BL(_G)#:", Hex("C2CC") + "(_G)" + Hex("A3BA")},
        // One character (就 BECD) after English options.
        EighthBitCase{"OneCharacterAfterEnglish", "make --help >M", "make --help " + Hex("BECD")},
        EighthBitCase{"Base64LineStays", "VPND#, QUJDREVGR0hJSktMTU5PUFFSU1RVVldYWVphYmNkZWZn",
                      Hex("D6D0CEC4A3AC") + " QUJDREVGR0hJSktMTU5PUFFSU1RVVldYWVphYmNkZWZn"},
        EighthBitCase{"LongTextMostlyEnglish",
                      "Please read the attached file before the meeting tomorrow morning, "
                      "and send it back to me: VPND",
                      std::nullopt},
        // Chinese quotation marks, ellipsis and brackets beside ASCII:
        // URI“%s”的, [选项]… 程序, 结束（/）.
        EighthBitCase{"QuotationMarksAfterAWord", "URI!0%s!15D",
                      "URI" + Hex("A1B0") + "%s" + Hex("A1B1B5C4")},
        EighthBitCase{"EllipsisAfterABracket", "[Q!On]!- 3LPr",
                      "[" + Hex("D1A1CFEE") + "]" + Hex("A1AD") + " " + Hex("B3CCD0F2")},
        EighthBitCase{"FullwidthBrackets", "=aJx#(/#)", Hex("BDE1CAF8A3A8") + "/" + Hex("A3A9")},
        // 用于Debug和编写Shell脚本。: 脚本 (BDC5 B1BE) is a common pair where
        // "=E1>" alone would read as ASCII.
        EighthBitCase{
            "CharactersThatGoTogether", "SCSZDebug:M1`P4Shell=E1>!#",
            Hex("D3C3D3DA") + "Debug" + Hex("BACDB1E0D0B4") + "Shell" + Hex("BDC5B1BEA1A3")},
        // 文件已经存在 / A5 / 中文文件, 无法打开文件 / EB / ...: a short word
        // alone on its line stays ASCII; one character on its line (中) stays
        // a character.
        EighthBitCase{"ShortWordLine", "ND<~RQ>-4fTZ\nA5\nVPNDND<~",
                      Hex("CEC4BCFED2D1BEADB4E6D4DA") + "\nA5\n" + Hex("D6D0CEC4CEC4BCFE")},
        EighthBitCase{"ShortCapitalsLine", "N^7(4r?*ND<~\nEB\nVPNDND<~",
                      Hex("CEDEB7A8B4F2BFAACEC4BCFE") + "\nEB\n" + Hex("D6D0CEC4CEC4BCFE")},
        EighthBitCase{"ThreeByteWordLine", "N^7(4r?*ND<~\nJB0\nVPNDND<~",
                      Hex("CEDEB7A8B4F2BFAACEC4BCFE") + "\nJB0\n" + Hex("D6D0CEC4CEC4BCFE")},
        EighthBitCase{
            "OneCharacterLine", "N^7(4r?*ND<~\nVP\nVPNDND<~",
            Hex("CEDEB7A8B4F2BFAACEC4BCFE") + "\n" + Hex("D6D0") + "\n" + Hex("D6D0CEC4CEC4BCFE")},
        // 将主控信息解压 [<目录>], 列出 [<glob 模式>]: the ">" closes the "<" (else
        // ">]" reads as 据 BEDD), also across a blank.
        EighthBitCase{"ClosingAngle", "=+Vw?XPEO\"=bQ9 [<D?B<>]",
                      Hex("BDABD6F7BFD8D0C5CFA2BDE2D1B9") + " [<" + Hex("C4BFC2BC") + ">]"},
        EighthBitCase{"ClosingAngleAcrossABlank", "AP3v [<glob D#J=>]",
                      Hex("C1D0B3F6") + " [<glob " + Hex("C4A3CABD") + ">]"},
        // A placeholder of letters after a character (else 符碱>): 写入描述符<n>。
        EighthBitCase{"PlaceholderAfterACharacter", "P4HkChJv7{<n>!#",
                      Hex("D0B4C8EBC3E8CAF6B7FB") + "<n>" + Hex("A1A3")},
        // A ">" that closes no "<" is seldom ASCII (else "1> APT"): 本 APT 具有超级牛力。
        EighthBitCase{"AngleThatClosesNothing", "1> APT >_SP3,<6E#A&!#",
                      Hex("B1BE") + " APT " + Hex("BEDFD3D0B3ACBCB6C5A3C1A6A1A3")},
        // Words the catalogues know, between characters or beside a sign:
        // 请插入USB存储器后重试, 显示 GTK+ 选项 (else U勇, 窃双).
        EighthBitCase{"KnownWordBetweenCharacters", "Gk2eHkUSB4f4\"Fw:sVXJT",
                      Hex("C7EBB2E5C8EB") + "USB" + Hex("B4E6B4A2C6F7BAF3D6D8CAD4")},
        EighthBitCase{"KnownWordBeforeASign", "OTJ> GTK+ Q!On",
                      Hex("CFD4CABE") + " GTK+ " + Hex("D1A1CFEE")},
        // A known word joined to others stays whole: CreateDC 的参数无效,
        // 代理服务器的 ProxyLogin 设置为空, KP_PageUp (not Create拿, Proxy田gin,
        // KP_Page震).
        EighthBitCase{"JoinedWordsWithAKnownOne", "CreateDC 5D2NJ}N^P'",
                      "CreateDC " + Hex("B5C4B2CECAFDCEDED0A7")},
        EighthBitCase{"CapitalInsideAWord", "4z@m7~NqFw5D ProxyLogin IhVCN*?U",
                      Hex("B4FAC0EDB7FECEF1C6F7B5C4") + " ProxyLogin " + Hex("C9E8D6C3CEAABFD5")},
        EighthBitCase{"CapitalAfterAnUnderscore", "KP_PageUp\nOrIO7-R3",
                      "KP_PageUp\n" + Hex("CFF2C9CFB7ADD2B3")},
        // What a text says elsewhere: APT 软件源 / APT 工具 / 与APT相同 (else
        // 与A性相同),
        // 卢森堡法郎 / 卢旺达法郎 / 卢巴语 / 卢奥语 (else "B,0BSo").
        EighthBitCase{"WordTheTextUsesElsewhere", "APT Hm<~T4\nAPT 9$>_\nSkAPTO`M,",
                      "APT " + Hex("C8EDBCFED4B4") + "\nAPT " + Hex("B9A4BEDF") + "\n" +
                          Hex("D3EB") + "APT" + Hex("CFE0CDAC")},
        EighthBitCase{"CharacterTheTextUsesElsewhere", "B,I-1$7(@I\nB,Mz4o7(@I\nB,0MSo\nB,0BSo\n",
                      Hex("C2ACC9ADB1A4B7A8C0C9") + "\n" + Hex("C2ACCDFAB4EFB7A8C0C9") + "\n" +
                          Hex("C2ACB0CDD3EF") + "\n" + Hex("C2ACB0C2D3EF") + "\n"},
        // A text's own habits of ASCII: on a list of paper sizes a letter and a
        // digit make a line (else A3, A4, A7, B6 and C6 read 脸, 链, 练, 露, 枚):
        // 纸张大小 / A0 ... A10 / B0 ... B6 / C5 信封 / C6 信封 / 请选择打印所用的纸张大小。
        EighthBitCase{
            "ListOfPaperSizes",
            "V=UE4sP!\nA0\nA1\nA2\nA3\nA4\nA5\nA6\nA7\nA8\nA9\nA10\nB0\nB1\nB2\nB3\nB4\nB5\n"
            "B6\nC5 PE7b\nC6 PE7b\nGkQ!Tq4rS!KySC5DV=UE4sP!!#\n",
            Hex("D6BDD5C5B4F3D0A1") +
                "\nA0\nA1\nA2\nA3\nA4\nA5\nA6\nA7\nA8\nA9\nA10\nB0\nB1\nB2\nB3\nB4\nB5\nB6\nC5 " +
                Hex("D0C5B7E2") + "\nC6 " + Hex("D0C5B7E2") + "\n" +
                Hex("C7EBD1A1D4F1B4F2D3A1CBF9D3C3B5C4D6BDD5C5B4F3D0A1A1A3") + "\n"},
        // A number before its unit or date character: 拟定于2023年3月10日将,
        // 有效期为3天。过期 (else 2023Dj3月卑日, 为程l).
        EighthBitCase{"DateInProse", "Db6(SZ2023Dj3TB10HU=+",
                      Hex("C4E2B6A8D3DA") + "2023" + Hex("C4EA") + "3" + Hex("D4C2") + "10" +
                          Hex("C8D5BDAB")},
        // A date written in full in a reply's header (else 2019Dj7月备日):
        // 发送时间: 2019年7月18日 15:22.
        EighthBitCase{"DateInAMailHeader", "7\"KMJ1<d: 2019Dj7TB18HU 15:22",
                      Hex("B7A2CBCDCAB1BCE4") + ": 2019" + Hex("C4EA") + "7" + Hex("D4C2") + "18" +
                          Hex("C8D5") + " 15:22"},
        // Words of mail headers, a reply's "On ... wrote:", a date and a time in
        // digits stay ASCII (else 义:, 项, 7/备, 埠车): 主题: Re: 会议通知 /
        // On 2019/7/18 15:13, ZHOU wrote: / > 好的，谢谢。 / 例如 2:35 pm.
        EighthBitCase{"MailHeaderWordsDatesAndTimes",
                      "VwLb: Re: ;aRiM(V*\nOn 2019/7/18 15:13, ZHOU wrote:\n> :C5D#,P;P;!#\n"
                      "@}Hg 2:35 pm",
                      Hex("D6F7CCE2") + ": Re: " + Hex("BBE1D2E9CDA8D6AA") +
                          "\nOn 2019/7/18 15:13, ZHOU wrote:\n> " +
                          Hex("BAC3B5C4A3ACD0BBD0BBA1A3") + "\n" + Hex("C0FDC8E7") + " 2:35 pm"},
        // The same reply's header in HTML mail.
        EighthBitCase{"ReplyHeaderInHtmlMail",
                      "VwLb: Re: ;aRiM(V*\nOn 2019/7/18 15:13, ZHOU wrote:<br>\n> :C5D#,P;P;!#",
                      Hex("D6F7CCE2") + ": Re: " + Hex("BBE1D2E9CDA8D6AA") +
                          "\nOn 2019/7/18 15:13, ZHOU wrote:<br>\n> " +
                          Hex("BAC3B5C4A3ACD0BBD0BBA1A3")},
        // A host name stays ASCII (else 狭.com): OA.com 账户通知。
        EighthBitCase{"HostName", "OA.com UK;'M(V*!#", "OA.com " + Hex("D5CBBBA7CDA8D6AAA1A3")},
        // A version's point stays ASCII (else 串9): 目标版本4.9。
        EighthBitCase{"VersionNumber", "D?1j0f1>4.9!#",
                      Hex("C4BFB1EAB0E6B1BE") + "4.9" + Hex("A1A3")},
        // Two names joined by a hyphen (else "泰国-@ONN"): 泰国-老挝.
        EighthBitCase{"CharactersJoinedByAHyphen", "L)9z-@ONN",
                      Hex("CCA9B9FA") + "-" + Hex("C0CFCECE")},
        // A date's format written in full (else "%YDj%-mTB%-dHU").
        EighthBitCase{
            "DateFormat", "%YDj%-mTB%-dHU %A %H:%M:%S",
            "%Y" + Hex("C4EA") + "%-m" + Hex("D4C2") + "%-d" + Hex("C8D5") + " %A %H:%M:%S"},
        // A unit of bytes after a number or its format stays ASCII (else 月):
        // 磁盘容量为 %.1f TB.
        EighthBitCase{"ByteUnitAfterAFormat", "4EELH]A?N* %.1f TB",
                      Hex("B4C5C5CCC8DDC1BFCEAA") + " %.1f TB"},
        // The number before a unit of bytes stays ASCII (else 洞): 最大长度为（64 MiB）.
        EighthBitCase{"NumberBeforeAByteUnit", "Wn4s3$6HN*#(64 MiB#)",
                      Hex("D7EEB4F3B3A4B6C8CEAAA3A8") + "64 MiB" + Hex("A3A9")},
        // With no number before it, "TB" is 月 as ever: 磁盘容量为  月.
        EighthBitCase{"ByteUnitAfterNoNumber", "4EELH]A?N*  TB",
                      Hex("B4C5C5CCC8DDC1BFCEAA 2020 D4C2")},
        // A list of numbers stays ASCII (else 杯超番北): 如：1-3,7,11.
        EighthBitCase{"ListOfNumbers", "Hg#:1-3,7,11", Hex("C8E7A3BA") + "1-3,7,11"},
        // An abbreviation of letters and dots stays ASCII (else 女债廉):
        // 欧洲账户9单位(E.U.A.-9).
        EighthBitCase{"Abbreviation", "E7V^UK;'95%N;(E.U.A.-9)",
                      Hex("C5B7D6DED5CBBBA7") + "9" + Hex("B5A5CEBB") + "(E.U.A.-9)"},
        // A size in digits stays ASCII (else 而9): 6x9 英寸信封.
        EighthBitCase{"SizeInDigits", "6x9 S\"4gPE7b", "6x9 " + Hex("D3A2B4E7D0C5B7E2")},
        // A name joined by "::" stays ASCII (else 列院:Architectures):
        // 请参见 APT::Architectures 设置.
        EighthBitCase{"NameJoinedByColons", "Gk2N<{ APT::Architectures IhVC",
                      Hex("C7EBB2CEBCFB") + " APT::Architectures " + Hex("C9E8D6C3")},
        EighthBitCase{"CountInProse", "SPP'FZN*3Ll!#9}FZ",
                      Hex("D3D0D0A7C6DACEAA") + "3" + Hex("CCECA1A3B9FDC6DA")},
        // A number, a blank and its unit: 共有 42 个文件 (else 床 个).
        EighthBitCase{"CountBeforeABlankAndItsUnit", "92SP 42 8vND<~",
                      Hex("B9B2D3D0") + " 42 " + Hex("B8F6CEC4BCFE")},
        // A help text of options with a few placeholders that read very well
        // (less than a quarter of its stripped bytes): <.deb 文件名>, <目录>.
        EighthBitCase{"HelpTextWithFewCharacters",
                      "  -i|--install       <.deb ND<~C{> ... | -R|--recursive <D?B<> ...\n"
                      "  --unpack           <.deb ND<~C{> ... | -R|--recursive <D?B<> ...\n",
                      "  -i|--install       <.deb " + Hex("CEC4BCFEC3FB") +
                          "> ... | -R|--recursive <" + Hex("C4BFC2BC") + "> ...\n" +
                          "  --unpack           <.deb " + Hex("CEC4BCFEC3FB") +
                          "> ... | -R|--recursive <" + Hex("C4BFC2BC") + "> ...\n"},
        // Mail quote marks stay marks (">>" alone would read as 揪): >> 好的，谢谢。
        EighthBitCase{"QuotePrefixes", ">> :C5D#,P;P;!#\n>>>\n> P;P;!#",
                      ">> " + Hex("BAC3B5C4A3ACD0BBD0BBA1A3") + "\n>>>\n> " + Hex("D0BBD0BBA1A3")},
        // A long English line of a mixed mail stays as it is (else "OA" reads
        // 狭): ... the OA form ... / 好的，谢谢。我们明天见面再谈这个问题。
        EighthBitCase{"EnglishLineOfAMixedMail",
                      "Please send the ID card and the OA form to the office before Friday, "
                      "thank you very much.\n:C5D#,P;P;!#NRCGCwLl<{CfTYL8Ub8vNJLb!#",
                      "Please send the ID card and the OA form to the office before Friday, "
                      "thank you very much.\n" +
                          Hex("BAC3B5C4A3ACD0BBD0BBA1A3CED2C3C7C3F7CCECBCFBC3E6D4D9CCB8D5E2B8F6CECA"
                              "CCE2A1A3")},
        // HTML elements of mail stay ASCII (else <BR> reads <乱>), a short name
        // only with its ">" ("<P" and "<S" are 夹 and 加): <DIV>好的，谢谢。<BR></DIV>,
        // 文件夹 / 添加 %s.
        EighthBitCase{"HtmlTags", "<DIV>:C5D#,P;P;!#<BR></DIV>",
                      "<DIV>" + Hex("BAC3B5C4A3ACD0BBD0BBA1A3") + "<BR></DIV>"},
        // The attributes of HTML mail are read but not counted, so a mail of
        // short Chinese paragraphs in long tags is read (else no reading):
        // <p class="MsoNormal" ...>测试工具选用<span lang="EN-US">iozone</span>，...
        EighthBitCase{
            "HtmlMailAttributesAreNotCounted",
            "<p class=\"MsoNormal\" style=\"margin-bottom: 0.3em;\">2bJT9$>_Q!SC<span "
            "lang=\"EN-US\">iozone</span>#,6AJ}>]2;P#Qi!#<span "
            "lang=\"EN-US\"><o:p></o:p></span></p><p class=\"MsoNormal\" style=\"margin-bottom: "
            "0.3em;\">H;:s44=(R;8vKf;zJ}>]2bJTND<~!#<span lang=\"EN-US\"><o:p></o:p></span></p><p "
            "class=\"MsoNormal\" style=\"margin-bottom: 0.3em;\">&nbsp;</p>\n",
            std::string() + "<p class=\"MsoNormal\" style=\"margin-bottom: 0.3em;\">" +
                Hex("B2E2CAD4B9A4BEDFD1A1D3C3") + "<span lang=\"EN-US\">iozone</span>" +
                Hex("A3ACB6C1CAFDBEDDB2BBD0A3D1E9A1A3") +
                "<span lang=\"EN-US\"><o:p></o:p></span></p><p class=\"MsoNormal\" "
                "style=\"margin-bottom: 0.3em;\">" +
                Hex("C8BBBAF3B4B4BDA8D2BBB8F6CBE6BBFACAFDBEDDB2E2CAD4CEC4BCFEA1A3") +
                "<span lang=\"EN-US\"><o:p></o:p></span></p><p class=\"MsoNormal\" "
                "style=\"margin-bottom: 0.3em;\">&nbsp;</p>\n"},
        // A tag's attributes go on after a line end (else no reading):
        // <FONT / size=4>好的，谢谢。</FONT>.
        EighthBitCase{"TagAcrossALineEnd", "<FONT \nsize=4>:C5D#,P;P;!#</FONT>",
                      "<FONT \nsize=4>" + Hex("BAC3B5C4A3ACD0BBD0BBA1A3") + "</FONT>"},
        // A mail's greeting stays ASCII (else 乳 John,): 好的，明天见。
        EighthBitCase{"Greeting", "Hi John,\n:C5D#,CwLl<{!#\n",
                      "Hi John,\n" + Hex("BAC3B5C4A3ACC3F7CCECBCFBA1A3") + "\n"},
        // The labels of a signature stay ASCII (else 藕, 院): 联系人：张三.
        EighthBitCase{
            "SignatureLabels", "A*O5HK#:UEH}\nE: zhang@example.com\nT: 010-12345678\n",
            Hex("C1AACFB5C8CBA3BAD5C5C8FD") + "\nE: zhang@example.com\nT: 010-12345678\n"},
        // The numbers of a list at the starts of lines stay ASCII (else 碑, 伯):
        // 1.请先备份数据。 / 2.然后安装新版本。 / 3.重启计算机。; a line that starts
        // with such a character is no list: 串口通信失败。 / 伯父来了。 / 爱沙尼亚.
        EighthBitCase{"NumbersOfAList", "1.GkOH187]J}>]!#\n2.H;:s02W0PB0f1>!#\n3.VXFt<FKc;z!#\n",
                      "1." + Hex("C7EBCFC8B1B8B7DDCAFDBEDDA1A3") + "\n2." +
                          Hex("C8BBBAF3B0B2D7B0D0C2B0E6B1BEA1A3") + "\n3." +
                          Hex("D6D8C6F4BCC6CBE3BBFAA1A3") + "\n"},
        EighthBitCase{
            "NoListButCharacters", "4.?ZM(PEJ'0\\!#\n2.88@4AK!#\n0.I3DaQG\n",
            Hex("B4AEBFDACDA8D0C5CAA7B0DCA1A30AB2AEB8B8C0B4C1CBA1A30AB0AEC9B3C4E1D1C70A")},
        // A one-letter element opens only before its closing tag: <B>好的，谢谢。</B>,
        // 试图删除非空的表 (else JTM<I>除非空的表).
        EighthBitCase{"OneLetterTagWithItsClose", "<B>:C5D#,P;P;!#</B>",
                      "<B>" + Hex("BAC3B5C4A3ACD0BBD0BBA1A3") + "</B>"},
        EighthBitCase{"OneLetterTagWithoutItsClose", "JTM<I>3}7G?U5D1m",
                      Hex("CAD4CDBCC9BEB3FDB7C7BFD5B5C4B1ED")},
        // A name in mixed case is no element of mail: 添加这 (else 添<SUb).
        EighthBitCase{"TagNameInMixedCase", "Lm<SUb", Hex("CCEDBCD3D5E2")},
        EighthBitCase{"ShortTagNamesNeedTheirClose", "ND<~<P\nU}TZLm<S %s",
                      Hex("CEC4BCFEBCD0") + "\n" + Hex("D5FDD4DACCEDBCD3") + " %s"},
        // A mark of mail the catalogues seldom use (else "!>通知】"): 【通知】明天下午开会.
        EighthBitCase{"MailBracketAtTheStart", "!>M(V*!?CwLlOBNg?*;a",
                      Hex("A1BECDA8D6AAA1BFC3F7CCECCFC2CEE7BFAABBE1")},
        // A rule of box drawing is a mark (else ")$"): %s：选项需要一个参数 ─ %c.
        EighthBitCase{
            "BoxDrawingRule", "%s#:Q!OnPhR*R;8v2NJ} )$ %c",
            "%s" + Hex("A3BAD1A1CFEED0E8D2AAD2BBB8F6B2CECAFD") + " " + Hex("A9A4") + " %c"},
        // Chinese text parts an ASCII word from characters by blanks, seldom
        // two characters: DL 信封 (else 奶 信封), 是的，42 就是存在的意义 (else 床).
        EighthBitCase{"WordBeforeABlankAndCharacters", "DL PE7b", "DL " + Hex("D0C5B7E2")},
        EighthBitCase{"NumberBetweenBlankAndCharacters", "JG5D#,42 >MJG4fTZ5DRbRe",
                      Hex("CAC7B5C4A3AC") + "42 " + Hex("BECDCAC7B4E6D4DAB5C4D2E2D2E5")},
        // A word parted by blanks, as mail spaces its labels, stays a word
        // (else 联 O5 人): 联 系 人：梁锋龙（经理） / 电 话：15914119009.
        EighthBitCase{"WordPartedByBlanks", "A* O5 HK#:A:7fAz#(>-@m#)\n5g ;0#:15914119009",
                      Hex("C1AA") + " " + Hex("CFB5") + " " +
                          Hex("C8CBA3BAC1BAB7E6C1FAA3A8BEADC0EDA3A9") + "\n" + Hex("B5E7") + " " +
                          Hex("BBB0A3BA") + "15914119009"},
        // A build log with one line of Chinese sets too few of its bytes:
        // only its words of Chinese are read (请大家看一下这个错误，谢谢), not
        // hexadecimal (0xaaaaaaaa as 傍後後後後, #f8f8f2) or identifiers, a few
        // characters again and again (SCNd16 as 用武倍, SCNi16 as 用伍倍).
        EighthBitCase{
            "WordsOfChineseInALog", kBuildLog + "Gk4s<R?4R;OBUb8v4mNs#,P;P;\n",
            kBuildLog + Hex("C7EBB4F3BCD2BFB4D2BBCFC2D5E2B8F6B4EDCEF3A3ACD0BBD0BB") + "\n"},
        // A date written in full is a word of Chinese though its digits stay
        // ASCII: 发送时间: 2023年7月19日 18:17:40.
        EighthBitCase{"DateInALog", kBuildLog + "7\"KMJ1<d: 2023Dj7TB19HU 18:17:40\n",
                      kBuildLog + Hex("B7A2CBCDCAB1BCE4") + ": 2023" + Hex("C4EA") + "7" +
                          Hex("D4C2") + "19" + Hex("C8D5") + " 18:17:40\n"},
        EighthBitCase{"NoHexadecimalInALog",
                      kBuildLog + kHexadecimal + "Gk4s<R?4R;OBUb8v4mNs#,P;P;\n",
                      kBuildLog + kHexadecimal +
                          Hex("C7EBB4F3BCD2BFB4D2BBCFC2D5E2B8F6B4EDCEF3A3ACD0BBD0BB") + "\n"},
        EighthBitCase{"NoIdentifiersInALog",
                      kBuildLog + "#define SCNd16 \"hd\"\n#define SCNi16 \"hi\"\n"
                                  "#define SCNd32 \"d\"\n#define SCNi32 \"i\"\n",
                      std::nullopt},
        // Character references of HTML part words as tags do (else no reading):
        // ------&nbsp;原始邮件&nbsp;------ / 发件人:&nbsp;"Liu"<liu@example.com&gt;;
        EighthBitCase{"EntitiesPartWordsOfChinese",
                      kBuildLog + "------&nbsp;T-J<SJ<~&nbsp;------\n7\"<~HK:&nbsp;\"Liu\"<liu@"
                                  "example.com&gt;;\n",
                      kBuildLog + "------&nbsp;" + Hex("D4ADCABCD3CABCFE") + "&nbsp;------\n" +
                          Hex("B7A2BCFEC8CB") + ":&nbsp;\"Liu\"<liu@example.com&gt;;\n"},
        EighthBitCase{"HighByte", "VPND\xD6", std::nullopt},
        EighthBitCase{"Empty", "", std::nullopt},
        EighthBitCase{"OnlyBlanks", " \r\n\t", std::nullopt}),
    [](const ::testing::TestParamInfo<EighthBitCase>& info) { return info.param.name; });

TEST(EighthBit, ACharacterReadAloneIsNotLearnt) {
  // "A3" read as 脸 on two lines must not make 脸 the text's word for the
  // "A3" of "A3x3" too.
  const std::string text = "A3 V=UE\nA3 Extra\nA3x3\nA3x4\nA3x5\nA3x6\nA3x7\n3,4s A3\n";
  const std::optional<std::string> out = SetEighthBit(text);
  ASSERT_TRUE(out.has_value());
  EXPECT_NE(out->find("\nA3x3\nA3x4\nA3x5\nA3x6\nA3x7\n"), std::string::npos) << *out;
}

TEST(EighthBit, ASlipDoesNotTeachItself) {
  // A list of languages, all Chinese; the first reading reads 瓦伊语 ("M_RASo")
  // as ASCII, and the text's habits, learnt from that reading alone, must not
  // keep it so (its "_" and "A" follow nothing else in the text).
  const std::string text =
      "NZWH1p?KSo\n=]?KSo\n5BSo\nNw0`Q@So\nNZ6{6<So\nE2M~So\nHp5dSo\nIOKw2<So\n5$BsSo\n"
      "M_RASo\n1y5:So\nPYQ@@{So\n7(So\n6mSo\nS\"So\n";
  std::string all = text;
  for (char& c : all) {
    c = c == '\n' ? c : static_cast<char>(c | 0x80);
  }
  const std::optional<std::string> out = SetEighthBit(text);
  ASSERT_TRUE(out.has_value());
  EXPECT_EQ(testing::ToHex(*out), testing::ToHex(all));
}

struct StepCase {
  const char* name;
  unsigned char before;
  unsigned char next;
  unsigned char otherNext;  // less likely after `before` than `next`
  bool chinese;             // in Chinese text, else in English
};

TEST(AsciiPairs, TablesKnowTheirTexts) {
  const StepCase cases[] = {
      {"IdeographAfterIdeograph", kIdeographToken, kIdeographToken, 'Q', true},
      {"FormatAfterPercent", '%', 's', 'Q', true},
      {"IdeographAfterOpeningAngle", '<', kIdeographToken, 'Q', true},
      {"IdeographBeforeClosingAngle", kIdeographToken, '>', '|', true},
      {"FormatAfterQuotationMark", kPunctuationToken, '%', 'Q', true},
      {"QuotationMarkAfterFormat", 's', kPunctuationToken, 'Q', true},
      {"EnglishTh", 't', 'h', 'q', false},
      {"EnglishWordEnd", 'e', kBlankToken, 'Q', false},
      {"EnglishSeldomChinese", kBlankToken, 'a', kIdeographToken, false},
  };
  for (const StepCase& c : cases) {
    const auto step = c.chinese ? ChineseTextStep : EnglishTextStep;
    EXPECT_GT(step(c.before, c.next), step(c.before, c.otherNext)) << c.name;
  }
  EXPECT_GT(EnglishTextStep('t', 'h'), 0) << "likelier than a byte at random";
  EXPECT_LT(EnglishTextStep('Q', 'Q'), 0);
}

TEST(AsciiPairs, GeneratedTablesHaveTheirSize) {
  EXPECT_EQ(std::size(ascii_pairs_data::kChineseText), 97u * 97u);
  EXPECT_EQ(std::size(ascii_pairs_data::kEnglishText), 97u * 97u);
  EXPECT_EQ(std::size(ascii_pairs_data::kPunctuation), 319u);
  EXPECT_TRUE(std::is_sorted(std::begin(ascii_pairs_data::kPunctuation),
                             std::end(ascii_pairs_data::kPunctuation),
                             [](const auto& a, const auto& b) { return a.point < b.point; }));
}

TEST(AsciiPairs, IdeographAfterBlank) {
  EXPECT_EQ(std::size(ascii_pairs_data::kIdeographAfterBlank), 4u);
  EXPECT_LT(IdeographAfterBlank(kIdeographToken), -200) << "two characters parted by a blank";
  EXPECT_GT(IdeographAfterBlank('D'), 0) << "an ASCII word before characters";
  EXPECT_EQ(IdeographAfterBlank('%'), ascii_pairs_data::kIdeographAfterBlank[1]);
  EXPECT_EQ(IdeographAfterBlank(kPunctuationToken), ascii_pairs_data::kIdeographAfterBlank[3]);
  EXPECT_EQ(IdeographAfterBlank(kBlankToken), 0);
}

TEST(AsciiPairs, IdeographAfterSign) {
  EXPECT_EQ(std::size(ascii_pairs_data::kIdeographAfterSign), 94u);
  EXPECT_GT(IdeographAfterSign('-'), 200) << "卢巴-卢拉语";
  EXPECT_GT(IdeographAfterSign('/'), 0) << "是/否";
  EXPECT_LT(IdeographAfterSign('"'), 0);
  for (const unsigned char c : {'A', 'z', '0', ' ', '\x7F', '\x80'}) {
    EXPECT_EQ(IdeographAfterSign(c), 0) << c;
  }
}

TEST(AsciiPairs, CharactersAfterEachOther) {
  // By index (row - 1) * 94 + (column - 1): 文 CEC4, 件 BCFE, 的 B5C4, 数 CAFD,
  // 据 BEDD, 蝴 BAFB, 蝶 B5FB (a word the catalogues lack and the word list has).
  const auto index = [](unsigned code) {
    return static_cast<std::uint16_t>(((code >> 8) - 0xA1) * 94 + ((code & 0xFF) - 0xA1));
  };
  EXPECT_GT(PairAfterPair(index(0xCEC4), index(0xBCFE)), 200) << "文件";
  EXPECT_GT(PairAfterPair(index(0xCAFD), index(0xBEDD)), 200) << "数据";
  EXPECT_GT(PairAfterPair(index(0xBAFB), index(0xB5FB)), 200) << "蝴蝶";
  EXPECT_LT(PairAfterPair(index(0xBAFB), index(0xCEC4)), 0) << "蝴文";
  EXPECT_LT(PairAfterPair(index(0xBCFE), index(0xCEC4)), 0) << "件文";
  EXPECT_GT(PairAfterPair(index(0xCEC4), index(0xBCFE)),
            PairAfterPair(index(0xB5C4), index(0xBCFE)));
  EXPECT_EQ(PairAfterPair(index(0xAAA1), index(0xCEC4)), 0) << "no character there";
}

TEST(AsciiPairs, PairTablesAreSortedAndInRange) {
  using ascii_pairs_data::kBackoffs;
  using ascii_pairs_data::kPairs;
  EXPECT_EQ(std::size(kPairs), 79335u);
  EXPECT_EQ(std::size(kBackoffs), 5900u);
  EXPECT_TRUE(std::is_sorted(std::begin(kPairs), std::end(kPairs),
                             [](const auto& a, const auto& b) { return a.pair < b.pair; }));
  EXPECT_TRUE(std::is_sorted(std::begin(kBackoffs), std::end(kBackoffs),
                             [](const auto& a, const auto& b) { return a.first < b.first; }));
  EXPECT_LT(std::end(kPairs)[-1].pair, 94u * 94u * 94u * 94u);
  for (const auto& row : kBackoffs) {
    EXPECT_LT(row.score, 0) << row.first;
  }
}

TEST(AsciiPairs, WordsKnowChineseText) {
  struct WordCase {
    const char* word;
    bool starts;
    bool known;
  };
  const WordCase cases[] = {
      {"ID", true, true},   {"USB", true, true},    {"Debug", true, true},  // as "debug"
      {"42", true, true},   {"Backe", true, false},                         // of "backend"
      {"deb", true, false}, {"Qzx", false, false},  {"IDQ", false, false},
  };
  for (const WordCase& c : cases) {
    const AsciiWord word = LookUpAsciiWord(c.word);
    EXPECT_EQ(word.starts, c.starts) << c.word;
    EXPECT_EQ(word.score.has_value(), c.known) << c.word;
  }
  const auto score = [](const char* word) { return LookUpAsciiWord(word).score.value_or(-10000); };
  EXPECT_GT(score("ID"), score("USB"));
  EXPECT_GT(score("ID"), -600) << "about one word in 250";
  EXPECT_NEAR(score("Debug"), score("debug") - 139, 1) << "a quarter of the small letters' share";
  EXPECT_GT(score("42"), score("4242"));
}

TEST(AsciiPairs, WordTableIsSortedAndCounted) {
  using ascii_pairs_data::kWords;
  EXPECT_EQ(std::size(kWords), 1852u);
  EXPECT_EQ(ascii_pairs_data::kWordsSeen, 45531u);
  EXPECT_TRUE(std::is_sorted(std::begin(kWords), std::end(kWords),
                             [](const auto& a, const auto& b) { return a.word < b.word; }));
  for (const auto& row : kWords) {
    EXPECT_GE(row.count, 2) << row.word;
    EXPECT_FALSE(row.word.empty());
  }
}

TEST(AsciiPairs, PunctuationScoresKnowChineseText) {
  // The fullwidth comma and the quotation marks are among the commonest,
  // the ellipsis less so, a mark of mail the catalogues lack ("【") as if seen
  // once, an integral sign seldom used; ideographs and ASCII have none.
  ASSERT_TRUE(PunctuationScore(U'，').has_value());
  EXPECT_GT(*PunctuationScore(U'，'), 600);
  EXPECT_GT(*PunctuationScore(U'“'), 400);
  EXPECT_GT(*PunctuationScore(U'“'), *PunctuationScore(U'…'));
  EXPECT_GT(*PunctuationScore(U'…'), *PunctuationScore(U'【'));
  EXPECT_GT(*PunctuationScore(U'【'), *PunctuationScore(U'∮'));
  EXPECT_EQ(PunctuationScore(U'─'), PunctuationScore(U'【')) << "a rule of mail";
  EXPECT_LT(*PunctuationScore(U'∮'), 0);
  EXPECT_FALSE(PunctuationScore(U'中').has_value());
  EXPECT_FALSE(PunctuationScore(U'!').has_value());
  EXPECT_FALSE(PunctuationScore(U'﹁').has_value()) << "not in GB 2312";
}

}  // namespace
}  // namespace vortane
