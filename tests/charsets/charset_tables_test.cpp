// The tables against their sources: glibc's iconv over the whole two-byte
// space of both codes and a sample of GB 18030's four-byte space, ICU (when the
// test is built with it) over the same for GB 18030, and the codes where the
// table deliberately differs from each source pinned down row by row.
#include "charsets/charset_tables.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "charsets/charset_text.h"
#include "support/stream_check.h"

#if defined(VORTANE_HAVE_ICU)
#include <unicode/ucnv.h>
#endif

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

// One glibc conversion; nullopt where iconv refuses the input.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) {
      iconv_close(cd_);
    }
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  std::optional<std::string> Convert(std::string in) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buffer[64];
    char* src = in.data();
    std::size_t left = in.size();
    char* dst = buffer;
    std::size_t room = sizeof buffer;
    if (iconv(cd_, &src, &left, &dst, &room) == static_cast<std::size_t>(-1) || left != 0 ||
        iconv(cd_, nullptr, nullptr, &dst, &room) == static_cast<std::size_t>(-1)) {
      return std::nullopt;
    }
    return std::string(buffer, dst);
  }

 private:
  iconv_t cd_;
};

std::optional<std::string> Ours(Charset charset, const std::string& bytes) {
  const DecodedText d = DecodeToUtf8(charset, bytes);
  if (d.unreadable != 0) {
    return std::nullopt;
  }
  return d.utf8;
}

std::optional<std::string> OursWritten(Charset charset, const std::string& utf8) {
  const EncodedText e = EncodeFromUtf8(charset, utf8);
  if (e.unwritable != 0) {
    return std::nullopt;
  }
  return e.bytes;
}

std::string Show(const std::optional<std::string>& s) { return s ? ToHex(*s) : "-"; }

// UTF-8 of one scalar value, written out longhand.
std::string Utf8Of(char32_t p) {
  std::string s;
  const auto put = [&s](char32_t byte) { s += static_cast<char>(byte); };
  if (p < 0x80) {
    put(p);
  } else if (p < 0x800) {
    put(0xC0 | p >> 6), put(0x80 | (p & 0x3F));
  } else if (p < 0x10000) {
    put(0xE0 | p >> 12), put(0x80 | (p >> 6 & 0x3F)), put(0x80 | (p & 0x3F));
  } else {
    put(0xF0 | p >> 18), put(0x80 | (p >> 12 & 0x3F)), put(0x80 | (p >> 6 & 0x3F));
    put(0x80 | (p & 0x3F));
  }
  return s;
}

std::vector<std::string> GbTwoByteCodes() {
  std::vector<std::string> codes;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail != 0x7F) {
        codes.push_back({static_cast<char>(lead), static_cast<char>(trail)});
      }
    }
  }
  return codes;
}

std::string GbFourByte(std::uint32_t number) {
  const std::uint32_t code = GbFourByteCode(number);
  return {static_cast<char>(code >> 24), static_cast<char>(code >> 16 & 0xFF),
          static_cast<char>(code >> 8 & 0xFF), static_cast<char>(code & 0xFF)};
}

// Four-byte codes checked: every 7th of the BMP ones, every 997th of the
// supplementary ones, and the codes near the edges and changes below.
std::vector<std::string> GbFourByteSample() {
  std::vector<std::string> codes;
  for (std::uint32_t n = 0; n < kGbFourByteBmpCount; n += 7) {
    codes.push_back(GbFourByte(n));
  }
  for (std::uint32_t n = kGbSupplementaryFirst; n < kGbSupplementaryFirst + 0x100000; n += 997) {
    codes.push_back(GbFourByte(n));
  }
  for (const char* hex : {"81308130", "8431A439", "90308130", "E3329A35", "8135F437", "82359037",
                          "82359134", "84318236", "84318335", "95328236", "9536B937"}) {
    codes.push_back(Hex(hex));
  }
  return codes;
}

// GB 18030-2022 moved 18 characters out of private use: each two-byte code and
// the four-byte code of its character swap their code points. ICU 72 and
// Python 3.11 read the 2005 table (the second point); glibc 2.36 reads the
// two-byte codes as 2022 does but cannot read the four-byte ones at all.
struct SwapRow {
  const char* code;
  char32_t ours;
  char32_t table2005;
};
constexpr SwapRow kGb2022Swaps[] = {
    {"A6D9", 0xFE10, 0xE78D},     {"A6DA", 0xFE12, 0xE78E},     {"A6DB", 0xFE11, 0xE78F},
    {"A6DC", 0xFE13, 0xE790},     {"A6DD", 0xFE14, 0xE791},     {"A6DE", 0xFE15, 0xE792},
    {"A6DF", 0xFE16, 0xE793},     {"A6EC", 0xFE17, 0xE794},     {"A6ED", 0xFE18, 0xE795},
    {"A6F3", 0xFE19, 0xE796},     {"FE59", 0x9FB4, 0xE81E},     {"FE61", 0x9FB5, 0xE826},
    {"FE66", 0x9FB6, 0xE82B},     {"FE67", 0x9FB7, 0xE82C},     {"FE6D", 0x9FB8, 0xE832},
    {"FE7E", 0x9FB9, 0xE843},     {"FE90", 0x9FBA, 0xE854},     {"FEA0", 0x9FBB, 0xE864},
    {"84318236", 0xE78D, 0xFE10}, {"84318237", 0xE78F, 0xFE11}, {"84318238", 0xE78E, 0xFE12},
    {"84318239", 0xE790, 0xFE13}, {"84318330", 0xE791, 0xFE14}, {"84318331", 0xE792, 0xFE15},
    {"84318332", 0xE793, 0xFE16}, {"84318333", 0xE794, 0xFE17}, {"84318334", 0xE795, 0xFE18},
    {"84318335", 0xE796, 0xFE19}, {"82359037", 0xE81E, 0x9FB4}, {"82359038", 0xE826, 0x9FB5},
    {"82359039", 0xE82B, 0x9FB6}, {"82359130", 0xE82C, 0x9FB7}, {"82359131", 0xE832, 0x9FB8},
    {"82359132", 0xE843, 0x9FB9}, {"82359133", 0xE854, 0x9FBA}, {"82359134", 0xE864, 0x9FBB},
};

// Six private-use codes whose characters Unicode later encoded in plane 2:
// GB 18030-2022 keeps them in private use (the plane-2 characters have their
// own four-byte codes), as ICU and Python do; glibc reads them as plane 2.
struct GlibcPlane2Row {
  const char* code;
  char32_t ours;
  char32_t glibc;
};
constexpr GlibcPlane2Row kGbGlibcPlane2[] = {
    {"FE51", 0xE816, 0x20087}, {"FE52", 0xE817, 0x20089}, {"FE53", 0xE818, 0x200CC},
    {"FE6C", 0xE831, 0x215D7}, {"FE76", 0xE83B, 0x2298F}, {"FE91", 0xE855, 0x241FE},
};

TEST(CharsetTables, GbTableHoldsEveryBmpCharacterOnceBothWays) {
  const Gb18030Tables& t = Gb18030Table();
  std::set<char32_t> seen;
  for (std::uint16_t p : t.twoByte) {
    EXPECT_TRUE(seen.insert(p).second) << std::hex << static_cast<std::uint32_t>(p);
  }
  for (std::uint16_t p : t.fourByte) {
    EXPECT_TRUE(seen.insert(p).second) << std::hex << static_cast<std::uint32_t>(p);
  }
  EXPECT_EQ(seen.size() + 0x80 + 0x800, 0x10000u);
  for (char32_t p = 1; p < 0x10000; ++p) {
    EXPECT_EQ(t.codeOf[p] == 0, p >= 0xD800 && p < 0xE000)
        << std::hex << static_cast<std::uint32_t>(p);
  }
  const std::uint32_t code = t.codeOf[0x9555];  // 镕
  EXPECT_EQ(code, 0xE946u);
  EXPECT_EQ(t.codeOf[0x20AC], 0xA2E3u);  // €
  EXPECT_EQ(t.codeOf[0x0080], 0x81308130u);
  EXPECT_EQ(t.codeOf[0xFFFF], 0x8431A439u);
}

TEST(CharsetTables, Big5TableCountsAndKnownRows) {
  const Big5HkscsTables& t = Big5HkscsTable();
  std::size_t codes = 0;
  std::size_t writable = 0;
  for (std::uint32_t p : t.points) {
    codes += p != 0;
  }
  for (std::uint16_t c : t.bmpCode) {
    writable += c != 0;
  }
  for (std::uint16_t c : t.plane2Code) {
    writable += c != 0;
  }
  EXPECT_EQ(codes, 18463u);
  EXPECT_EQ(t.pairs.size(), 4u);
  // Every code is written back but the four pairs and eight read-only codes.
  EXPECT_EQ(writable, 18463u - 4 - 8);
  EXPECT_EQ(t.bmpCode[0x4E00], 0xA440);  // 一
  EXPECT_EQ(t.bmpCode[0x5605], 0x9DEF);  // 嘅
  EXPECT_EQ(t.bmpCode[0x43F0], 0x8740);  // HKSCS-2008
  EXPECT_EQ(t.plane2Code[0x1D53], 0x877B);
  EXPECT_EQ(t.bmpCode[0x2550], 0xF9F9);  // written as F9F9, also read from A2A4
}

TEST(CharsetTables, GbTwoByteSpaceMatchesGlibcBothWays) {
  Iconv decode("UTF-8", "GB18030");
  Iconv encode("GB18030", "UTF-8");
  ASSERT_TRUE(decode.ok() && encode.ok());
  std::map<std::string, std::string> expected;
  for (const GlibcPlane2Row& row : kGbGlibcPlane2) {
    expected[Hex(row.code)] = Utf8Of(row.ours);
    EXPECT_EQ(decode.Convert(Hex(row.code)), Utf8Of(row.glibc)) << row.code;
  }
  int checked = 0;
  for (const std::string& code : GbTwoByteCodes()) {
    const auto ours = Ours(Charset::Gb18030, code);
    const auto found = expected.find(code);
    const auto theirs =
        found != expected.end() ? std::optional(found->second) : decode.Convert(code);
    ASSERT_TRUE(ours.has_value()) << ToHex(code);
    EXPECT_EQ(Show(ours), Show(theirs)) << ToHex(code);
    EXPECT_EQ(Show(OursWritten(Charset::Gb18030, *ours)), ToHex(code)) << ToHex(code);
    ++checked;
  }
  EXPECT_EQ(checked, 23940);
}

TEST(CharsetTables, GbFourByteSampleMatchesGlibc) {
  Iconv decode("UTF-8", "GB18030");
  ASSERT_TRUE(decode.ok());
  std::set<std::string> unreadableToGlibc;
  for (const SwapRow& row : kGb2022Swaps) {
    if (std::string_view(row.code).size() == 8) {
      unreadableToGlibc.insert(Hex(row.code));
    }
  }
  for (const std::string& code : GbFourByteSample()) {
    const auto ours = Ours(Charset::Gb18030, code);
    ASSERT_TRUE(ours.has_value()) << ToHex(code);
    EXPECT_EQ(Show(OursWritten(Charset::Gb18030, *ours)), ToHex(code));
    if (unreadableToGlibc.count(code) != 0) {
      EXPECT_EQ(decode.Convert(code), std::nullopt) << ToHex(code);
    } else {
      EXPECT_EQ(Show(ours), Show(decode.Convert(code))) << ToHex(code);
    }
  }
}

TEST(CharsetTables, GbRowsThatDifferFromTheSources) {
  for (const SwapRow& row : kGb2022Swaps) {
    EXPECT_EQ(Show(Ours(Charset::Gb18030, Hex(row.code))), ToHex(Utf8Of(row.ours))) << row.code;
    EXPECT_EQ(Show(OursWritten(Charset::Gb18030, Utf8Of(row.ours))), ToHex(Hex(row.code)));
  }
  for (const GlibcPlane2Row& row : kGbGlibcPlane2) {
    EXPECT_EQ(Show(Ours(Charset::Gb18030, Hex(row.code))), ToHex(Utf8Of(row.ours))) << row.code;
    // The plane-2 character keeps its own four-byte code.
    const auto written = OursWritten(Charset::Gb18030, Utf8Of(row.glibc));
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->size(), 4u) << row.code;
  }
  // Python 3.11 still reads the 2000 table here: A8BC as private use.
  EXPECT_EQ(Show(Ours(Charset::Gb18030, Hex("A8BC"))), ToHex("ḿ"));
  EXPECT_EQ(Show(Ours(Charset::Gb18030, Hex("8135F437"))), ToHex("\uE7C7"));
}

TEST(CharsetTables, Big5TwoByteSpaceMatchesGlibcBothWays) {
  Iconv decode("UTF-8", "BIG5-HKSCS");
  ASSERT_TRUE(decode.ok());
  int readable = 0;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail > 0x7E && trail < 0xA1) {
        continue;
      }
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      const auto ours = Ours(Charset::Big5Hkscs, code);
      EXPECT_EQ(Show(ours), Show(decode.Convert(code))) << ToHex(code);
      readable += ours.has_value();
    }
  }
  EXPECT_EQ(readable, 18463);
  // glibc passes 0x80 through as U+0080; 0x80 is no Big5-HKSCS code here.
  EXPECT_EQ(decode.Convert("\x80"), "\u0080");
  EXPECT_EQ(Ours(Charset::Big5Hkscs, "\x80"), std::nullopt);
}

TEST(CharsetTables, Big5WritesEveryCharacterAsGlibcDoes) {
  Iconv encode("BIG5-HKSCS", "UTF-8");
  ASSERT_TRUE(encode.ok());
  int writable = 0;
  for (char32_t p = 0x81; p < 0x30000; ++p) {
    if ((p >= 0xD800 && p < 0xE000) || (p >= 0x10000 && p < 0x20000)) {
      continue;
    }
    const std::string utf8 = Utf8Of(p);
    const auto ours = OursWritten(Charset::Big5Hkscs, utf8);
    ASSERT_EQ(Show(ours), Show(encode.Convert(utf8))) << std::hex << static_cast<std::uint32_t>(p);
    writable += ours.has_value();
  }
  EXPECT_EQ(writable, 18463 - 4 - 8);
}

// Python 3.11's big5hkscs has the 2004 table: it lacks the 68 codes 877A-87DF
// that HKSCS-2008 added, and reads seven Big5 codes glibc leaves out.
TEST(CharsetTables, Big5RowsThatDifferFromPython) {
  for (unsigned trail = 0x7A; trail <= 0xDF; ++trail) {
    if (trail > 0x7E && trail < 0xA1) {
      continue;
    }
    EXPECT_TRUE(Ours(Charset::Big5Hkscs, {'\x87', static_cast<char>(trail)}).has_value())
        << std::hex << trail;
  }
  EXPECT_EQ(Show(Ours(Charset::Big5Hkscs, Hex("877A 87DF"))), ToHex("\u3875\u9FCB"));
  for (const char* code : {"A15A", "A1C3", "A1C5", "A1FE", "A240", "A2CC", "A2CE"}) {
    EXPECT_EQ(Ours(Charset::Big5Hkscs, Hex(code)), std::nullopt) << code;
  }
  // Of the characters Python writes there, two have no other code.
  EXPECT_EQ(OursWritten(Charset::Big5Hkscs, "\u02CD"), std::nullopt);
  EXPECT_EQ(OursWritten(Charset::Big5Hkscs, "\u2574"), std::nullopt);
}

#if defined(VORTANE_HAVE_ICU)
// ICU 72's gb18030 differs from the table only in the 36 codes of the swaps.
TEST(CharsetTables, GbMatchesIcuOutsideThe2022Swaps) {
  UErrorCode error = U_ZERO_ERROR;
  UConverter* cnv = ucnv_open("gb18030", &error);
  ASSERT_TRUE(U_SUCCESS(error));
  std::map<std::string, SwapRow> swapped;
  for (const SwapRow& row : kGb2022Swaps) {
    swapped.emplace(Hex(row.code), row);
  }
  std::vector<std::string> codes = GbTwoByteCodes();
  for (const std::string& code : GbFourByteSample()) {
    codes.push_back(code);
  }
  for (const std::string& code : codes) {
    UChar units[8];
    error = U_ZERO_ERROR;
    const int32_t n =
        ucnv_toUChars(cnv, units, 8, code.data(), static_cast<int32_t>(code.size()), &error);
    ASSERT_TRUE(U_SUCCESS(error)) << ToHex(code);
    std::string be;
    for (int32_t i = 0; i < n; ++i) {
      be += static_cast<char>(units[i] >> 8);
      be += static_cast<char>(units[i] & 0xFF);
    }
    const std::string theirs = DecodeToUtf8(Charset::Utf16Be, be).utf8;
    const auto found = swapped.find(code);
    if (found != swapped.end()) {
      EXPECT_EQ(ToHex(theirs), ToHex(Utf8Of(found->second.table2005))) << ToHex(code);
    } else {
      EXPECT_EQ(Show(Ours(Charset::Gb18030, code)), ToHex(theirs)) << ToHex(code);
    }
  }
  ucnv_close(cnv);
}
#endif

}  // namespace
}  // namespace vortane
