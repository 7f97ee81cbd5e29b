#include "charsets/label_map.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vortane {
namespace {

struct LabelCase {
  const char* label;
  std::optional<Charset> charset;
};

// Mail labels a subset; the bytes are the superset's.
constexpr LabelCase kLabelCases[] = {
    {"gb2312", Charset::Gb18030},
    {"GB2312", Charset::Gb18030},
    {"  \"gb2312\"  ", Charset::Gb18030},
    {"'GBK'", Charset::Gb18030},
    {"x-gbk", Charset::Gb18030},
    {"CP936", Charset::Gb18030},
    {"euc-cn", Charset::Gb18030},
    {"csGB2312", Charset::Gb18030},
    {"chinese", Charset::Gb18030},
    {"gb18030", Charset::Gb18030},
    {"big5", Charset::Big5Hkscs},
    {"Big5-HKSCS", Charset::Big5Hkscs},
    {"x-big5", Charset::Big5Hkscs},
    {"cn-big5", Charset::Big5Hkscs},
    {"x-x-big5", Charset::Big5Hkscs},
    {"cp950", Charset::Big5Hkscs},
    {"MS950", Charset::Big5Hkscs},
    {"hz-gb-2312", Charset::Hz},
    {"utf-7", Charset::Utf7},
    {"unicode-1-1-utf-7", Charset::Utf7},
    {"UTF-8", Charset::Utf8},
    {"utf8", Charset::Utf8},
    {"\tutf-16\r\n", Charset::Utf16},
    {"utf-16le", Charset::Utf16Le},
    {"utf-16be", Charset::Utf16Be},
    // Near misses stay unknown.
    {"", std::nullopt},
    {"\"\"", std::nullopt},
    {"gb", std::nullopt},
    {"unicode", std::nullopt},
    {"gb 2312", std::nullopt},
    {"utf-88", std::nullopt},
    {"big5 hkscs", std::nullopt},
    {"iso-8859-1", std::nullopt},
};

TEST(CharsetForLabel, ReadsEachLabel) {
  for (const LabelCase& c : kLabelCases) {
    EXPECT_EQ(CharsetForLabel(c.label), c.charset) << '"' << c.label << '"';
  }
}

TEST(CharsetLabels, EveryLabelIsLowerCaseUniqueAndReadsAsItsCode) {
  std::set<std::string_view> seen;
  for (const CharsetLabel& l : CharsetLabels()) {
    EXPECT_TRUE(seen.insert(l.label).second) << l.label;
    EXPECT_EQ(CharsetForLabel(l.label), l.charset) << l.label;
    for (char c : l.label) {
      EXPECT_FALSE(c >= 'A' && c <= 'Z') << l.label;
    }
  }
  EXPECT_EQ(seen.size(), 23u);
}

TEST(CharsetName, EachNameIsALabelOfItsOwnCode) {
  for (Charset c : {Charset::Gb18030, Charset::Big5Hkscs, Charset::Utf8, Charset::Utf16Le,
                    Charset::Utf16Be, Charset::Utf16, Charset::Hz, Charset::Utf7}) {
    EXPECT_EQ(CharsetForLabel(CharsetName(c)), c) << CharsetName(c);
  }
}

}  // namespace
}  // namespace vortane
