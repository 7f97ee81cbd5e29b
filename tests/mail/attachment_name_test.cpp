#include "mail/attachment_name.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vortane {
namespace {

struct NameCase {
  const char* name;
  std::string given;
  std::string safe;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class SafeNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(SafeNames, HostileNamesMadeSafe) {
  EXPECT_EQ(SafeAttachmentName(GetParam().given, 7), GetParam().safe);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SafeNames,
    ::testing::Values(NameCase{"Ordinary", "report.pdf", "report.pdf"},
                      NameCase{"Chinese", "\xE6\x8A\xA5\xE5\x91\x8A.doc",
                               "\xE6\x8A\xA5\xE5\x91\x8A.doc"},
                      NameCase{"AbsolutePath", "/etc/passwd", "_etc_passwd"},
                      NameCase{"ParentDirectories", "../../.bashrc", "_._.bashrc"},
                      NameCase{"WindowsPath", "..\\..\\x.exe", "_._x.exe"},
                      NameCase{"DotDotOnly", "..", "part-7"}, NameCase{"DotOnly", ".", "part-7"},
                      NameCase{"HiddenFile", ".profile", "profile"},
                      NameCase{"DotRunsInside", "a...b..c", "a.b.c"},
                      NameCase{"TrailingDotsAndBlanks", "name. . ", "name"},
                      NameCase{"Empty", "", "part-7"}, NameCase{"OnlyBlanks", "   ", "part-7"},
                      NameCase{"ControlCharacters",
                               std::string("a\nb\rc\x00"
                                           "d\x7F"
                                           "e",
                                           9),
                               "a_b_c_d_e"},
                      NameCase{"C1Control",
                               "a\xC2\x85"
                               "b",
                               "a_b"},
                      // U+202E turns "gpj.exe" into what looks like "exe.jpg".
                      NameCase{"BidiOverride", "photo\xE2\x80\xAEgpj.exe", "photogpj.exe"},
                      NameCase{"BidiIsolateAndMarks",
                               "\xE2\x81\xA6"
                               "a\xE2\x80\x8F"
                               "b\xE2\x81\xA9",
                               "ab"},
                      NameCase{"ZeroWidthAndByteOrderMark",
                               "a\xE2\x80\x8B"
                               "b\xEF\xBB\xBF"
                               "c",
                               "abc"},
                      NameCase{"LineSeparator",
                               "a\xE2\x80\xA8"
                               "b",
                               "a_b"},
                      NameCase{"InvalidUtf8",
                               "a\xFF"
                               "b",
                               "a_b"},
                      NameCase{"DashStays", "-rf", "-rf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SafeNames, LongNameCutAtCharacterKeepingExtension) {
  std::string longName;
  for (int i = 0; i < 100; ++i) {
    longName += "\xE4\xB8\xAD";  // 300 bytes
  }
  const std::string safe = SafeAttachmentName(longName + ".pdf", 1);
  EXPECT_LE(safe.size(), kMaxAttachmentNameBytes);
  EXPECT_TRUE(safe.ends_with("\xE4\xB8\xAD.pdf")) << safe;
  EXPECT_EQ((safe.size() - 4) % 3, 0u);
}

TEST(SafeNames, LongNameWithLongExtensionIsCutWhole) {
  const std::string safe = SafeAttachmentName("a." + std::string(300, 'x'), 1);
  EXPECT_EQ(safe.size(), kMaxAttachmentNameBytes);
}

struct NumberCase {
  const char* name;
  std::string safe;
  int attempt;
  std::string numbered;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }

class NumberedNames : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberedNames, NumberBeforeExtension) {
  EXPECT_EQ(NumberedAttachmentName(GetParam().safe, GetParam().attempt), GetParam().numbered);
}

INSTANTIATE_TEST_SUITE_P(Cases, NumberedNames,
                         ::testing::Values(NumberCase{"WithExtension", "a.pdf", 2, "a-2.pdf"},
                                           NumberCase{"WithoutExtension", "README", 3, "README-3"},
                                           NumberCase{"TwoDots", "a.tar.gz", 2, "a.tar-2.gz"},
                                           NumberCase{"PartName", "part-4", 12, "part-4-12"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NumberedNames, StaysWithinTheBound) {
  const std::string safe = SafeAttachmentName(std::string(300, 'n') + ".txt", 1);
  const std::string numbered = NumberedAttachmentName(safe, 1000);
  EXPECT_LE(numbered.size(), kMaxAttachmentNameBytes);
  EXPECT_TRUE(numbered.ends_with("-1000.txt"));
}

}  // namespace
}  // namespace vortane
