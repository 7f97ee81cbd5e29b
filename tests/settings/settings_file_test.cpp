#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::ToHex;

const std::string kDefaultFile =
    "[Mail Vortane]\r\nTemp Directory=/tmp/\r\nAuto paste=1\r\nRecognise double bytes=1\r\n"
    "Word wrap number=70\r\nMark character='>'\r\nInterface=1\r\n"
    "*Note:  1-->English, 0-->Chinese GB,  2-->Chinese Big5";

AppSettings Defaults() {
  AppSettings s;
  s.tempDirectory = "/tmp/";
  return s;
}

TEST(FormatSettingsFile, DefaultsByteForByte) {
  EXPECT_EQ(FormatSettingsFile(Defaults()), kDefaultFile);
}

TEST(FormatSettingsFile, FlagsAsOneOrZeroAndEmptyMarkAsNul) {
  AppSettings s = Defaults();
  s.tempDirectory = "/home/a b/tmp/";
  s.autoPaste = 5;
  s.recogniseDoubleBytes = 0;
  s.wordWrapNumber = -3;
  s.markCharacter = "";
  s.interfaceLanguage = InterfaceLanguage::FromNumber(-1);
  const std::string expected = std::string(
      "[Mail Vortane]\r\nTemp Directory=/home/a b/tmp/\r\nAuto paste=1\r\n"
      "Recognise double bytes=0\r\nWord wrap number=-3\r\nMark character='\0'\r\n"
      "Interface=-1\r\n*Note:  1-->English, 0-->Chinese GB,  2-->Chinese Big5",
      196);
  EXPECT_EQ(ToHex(FormatSettingsFile(s)), ToHex(expected));
}

struct ParseCase {
  const char* name;
  std::string file;
  int fieldsRead;
  AppSettings expected;  // read over defaults with the directory "/dflt/"
};

class ParseSettingsFileTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseSettingsFileTest, ReadsTheFields) {
  const ParseCase& c = GetParam();
  AppSettings s;
  s.tempDirectory = "/dflt/";
  EXPECT_EQ(ParseSettingsFile(c.file, s), c.fieldsRead);
  EXPECT_EQ(s.tempDirectory, c.expected.tempDirectory);
  EXPECT_EQ(s.autoPaste, c.expected.autoPaste);
  EXPECT_EQ(s.recogniseDoubleBytes, c.expected.recogniseDoubleBytes);
  EXPECT_EQ(s.wordWrapNumber, c.expected.wordWrapNumber);
  EXPECT_EQ(ToHex(s.markCharacter), ToHex(c.expected.markCharacter));
  EXPECT_EQ(s.interfaceLanguage, c.expected.interfaceLanguage);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseSettingsFileTest,
    ::testing::Values(
        ParseCase{"written_file", kDefaultFile, 6, AppSettings{.tempDirectory = "/tmp/"}},
        ParseCase{"bare_lf_and_blank_lines",
                  "[Mail Vortane]\nTemp Directory=/t/\n\n\nAuto paste=0\n  \t\n"
                  "Recognise double bytes=0\r\n\r\nWord wrap number=40\nMark character='#'\n\n"
                  "Interface=2",
                  6,
                  AppSettings{.tempDirectory = "/t/",
                              .autoPaste = 0,
                              .recogniseDoubleBytes = 0,
                              .wordWrapNumber = 40,
                              .markCharacter = "#",
                              .interfaceLanguage = Language::Big5}},
        ParseCase{"lines_run_together",
                  "[Mail Vortane]Temp Directory=/t/\nAuto paste=1Recognise double bytes=1"
                  "Word wrap number=70Mark character='>'Interface=0",
                  6, AppSettings{.tempDirectory = "/t/", .interfaceLanguage = Language::Gb}},
        ParseCase{"only_zero_turns_flags_off_and_numbers_unchecked",
                  "[Mail Vortane]\r\nTemp Directory=/t/\r\nAuto paste=5\r\n"
                  "Recognise double bytes=-1\r\nWord wrap number=10\r\nMark character=' '\r\n"
                  "Interface=7\r\n",
                  6,
                  AppSettings{.tempDirectory = "/t/",
                              .wordWrapNumber = 10,
                              .markCharacter = " ",
                              .interfaceLanguage = InterfaceLanguage::FromNumber(7)}},
        ParseCase{
            "temp_directory_with_blanks_keeps_later_fields",
            "[Mail Vortane]\r\nTemp Directory=/home/my files/tmp/\r\nAuto paste=0\r\n"
            "Recognise double bytes=1\r\nWord wrap number=50\r\nMark character='>'\r\n"
            "Interface=1",
            6,
            AppSettings{
                .tempDirectory = "/home/my files/tmp/", .autoPaste = 0, .wordWrapNumber = 50}},
        ParseCase{"nul_mark_reads_as_empty",
                  std::string("[Mail Vortane]\nTemp Directory=/t/\nAuto paste=1\n"
                              "Recognise double bytes=1\nWord wrap number=70\n"
                              "Mark character='\0'\nInterface=1",
                              122),
                  6, AppSettings{.tempDirectory = "/t/", .markCharacter = ""}},
        ParseCase{"misspelt_key_keeps_the_rest",
                  "[Mail Vortane]\nTemp Directory=/t/\nAuto paste=0\nRecognize double bytes=0\n"
                  "Word wrap number=40\nMark character='#'\nInterface=2",
                  2, AppSettings{.tempDirectory = "/t/", .autoPaste = 0}},
        ParseCase{"not_a_number_stops",
                  "[Mail Vortane]\nTemp Directory=/t/\nAuto paste=1\nRecognise double bytes=1\n"
                  "Word wrap number=abc\nMark character='#'\nInterface=2",
                  3, AppSettings{.tempDirectory = "/t/"}},
        ParseCase{"unclosed_mark_stops",
                  "[Mail Vortane]\nTemp Directory=/t/\nAuto paste=1\n"
                  "Recognise double bytes=1\nWord wrap number=33\nMark character='#\nInterface=2",
                  4, AppSettings{.tempDirectory = "/t/", .wordWrapNumber = 33}},
        ParseCase{"wrong_header_reads_nothing", "[Mail]\nTemp Directory=/t/\nAuto paste=0", 0,
                  AppSettings{.tempDirectory = "/dflt/"}},
        ParseCase{"empty_file", "", 0, AppSettings{.tempDirectory = "/dflt/"}},
        ParseCase{"huge_number_saturates",
                  "[Mail Vortane]\nTemp Directory=\nAuto paste=1\nRecognise double bytes=1\n"
                  "Word wrap number=99999999999999999999\nMark character='>'\nInterface=1",
                  6, AppSettings{.tempDirectory = "", .wordWrapNumber = 2147483647}}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(ParseSettingsFile, RoundTripsWhatFormatWrites) {
  AppSettings s;
  s.tempDirectory = "/var/tmp/with blank/";
  s.autoPaste = 0;
  s.recogniseDoubleBytes = 1;
  s.wordWrapNumber = 96;
  s.markCharacter = "\n";
  s.interfaceLanguage = Language::Gb;
  AppSettings back;
  EXPECT_EQ(ParseSettingsFile(FormatSettingsFile(s), back), 6);
  EXPECT_EQ(back.tempDirectory, s.tempDirectory);
  EXPECT_EQ(back.autoPaste, 0);
  EXPECT_EQ(back.wordWrapNumber, 96);
  EXPECT_EQ(back.markCharacter, "\n");
  EXPECT_EQ(back.interfaceLanguage, Language::Gb);
}

}  // namespace
}  // namespace vortane
