#include "cjk/code_tables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vortane {
namespace {

using Lookup = std::optional<std::uint16_t> (*)(std::uint32_t);
using Table = std::span<const CodePair> (*)();

std::string HexKey(std::uint32_t key) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", key);
  return text;
}

// ---------------------------------------------------------------------------
// Shape of each table: extent, order, first and last row.

struct TableShape {
  const char* name;
  Table table;
  std::size_t rows;
  CodePair firstRow;
  CodePair lastRow;
};

class CodeTableShape : public ::testing::TestWithParam<TableShape> {};

TEST_P(CodeTableShape, HasItsRowCountAndEnds) {
  const TableShape& shape = GetParam();
  const auto rows = shape.table();
  ASSERT_EQ(rows.size(), shape.rows);
  EXPECT_EQ(rows.front().first, shape.firstRow.first);
  EXPECT_EQ(rows.front().second, shape.firstRow.second);
  EXPECT_EQ(rows.back().first, shape.lastRow.first);
  EXPECT_EQ(rows.back().second, shape.lastRow.second);
}

TEST_P(CodeTableShape, FirstColumnStrictlyAscendingAndValuesBelow0x10000) {
  const auto rows = GetParam().table();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_GT(rows[i].first, 0u) << "row " << i;
    EXPECT_GT(rows[i].second, 0u) << "row " << i;
    EXPECT_LT(rows[i].first, 0x10000u) << "row " << i;
    EXPECT_LT(rows[i].second, 0x10000u) << "row " << i;
    if (i > 0) {
      EXPECT_LT(rows[i - 1].first, rows[i].first) << "row " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllTables, CodeTableShape,
    ::testing::Values(
        TableShape{"GbUnicode", GbUnicodeTable, 7445, {0x2121, 0x3000}, {0x777E, 0x9F44}},
        TableShape{"GbBig5", GbBig5Table, 6793, {0xA1A2, 0xA142}, {0xF7FD, 0xC24D}},
        TableShape{"Big5Unicode", Big5UnicodeTable, 13710, {0xA140, 0x3000}, {0xF9D5, 0x9F98}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Ranges and groups of the first column.

std::size_t CountFirstIn(std::span<const CodePair> rows, std::uint32_t low, std::uint32_t high) {
  std::size_t count = 0;
  for (const CodePair& row : rows) {
    count += row.first >= low && row.first <= high ? 1 : 0;
  }
  return count;
}

TEST(CodeTableRanges, GbUnicodeHoldsRowColumnCodesInItsThreeGroups) {
  const auto rows = GbUnicodeTable();
  for (const CodePair& row : rows) {
    const std::uint32_t high = row.first >> 8;
    const std::uint32_t low = row.first & 0xFF;
    EXPECT_TRUE(high >= 0x21 && high <= 0x77 && low >= 0x21 && low <= 0x7E) << HexKey(row.first);
  }
  EXPECT_EQ(CountFirstIn(rows, 0x2121, 0x297E), 682u);   // symbols
  EXPECT_EQ(CountFirstIn(rows, 0x3021, 0x577E), 3755u);  // level-1 Hanzi
  EXPECT_EQ(CountFirstIn(rows, 0x5821, 0x777E), 3008u);  // level-2 Hanzi
}

TEST(CodeTableRanges, Big5UnicodeHoldsBig5CodesInItsFourGroups) {
  const auto rows = Big5UnicodeTable();
  for (const CodePair& row : rows) {
    const std::uint32_t trail = row.first & 0xFF;
    EXPECT_TRUE((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE))
        << HexKey(row.first);
  }
  EXPECT_EQ(CountFirstIn(rows, 0xA140, 0xA3BF), 408u);   // symbols
  EXPECT_EQ(CountFirstIn(rows, 0xA440, 0xC67E), 5401u);  // level-1 Hanzi
  EXPECT_EQ(CountFirstIn(rows, 0xC6A1, 0xC7FC), 249u);   // ETEN additions
  EXPECT_EQ(CountFirstIn(rows, 0xC940, 0xF9D5), 7652u);  // level-2 Hanzi
}

// Every GB-Big5 row joins a GB 2312 code to a plain Big5 code: one the
// Big5-Unicode table holds with a real character, outside the ETEN additions.
TEST(CodeTableRanges, GbBig5JoinsGb2312CodesToPlainBig5Codes) {
  std::vector<std::uint32_t> gbText(0x10000, 0);
  for (const CodePair& row : GbUnicodeTable()) gbText[row.first + 0x8080] = row.second;
  std::vector<std::uint32_t> big5(0x10000, 0);
  for (const CodePair& row : Big5UnicodeTable()) big5[row.first] = row.second;

  for (const CodePair& row : GbBig5Table()) {
    EXPECT_NE(gbText[row.first], 0u) << "not GB 2312: " << HexKey(row.first);
    EXPECT_NE(big5[row.second], 0u) << "not Big5: " << HexKey(row.second);
    EXPECT_NE(big5[row.second], 0xFFFDu) << "replaced Big5 code: " << HexKey(row.second);
    EXPECT_FALSE(row.second >= 0xC6A1 && row.second <= 0xC7FC)
        << "ETEN addition: " << HexKey(row.second);
  }
}

TEST(CodeTableRanges, GbBig5LeavesOutSpaceKanaAndCyrillic) {
  const auto rows = GbBig5Table();
  EXPECT_EQ(CountFirstIn(rows, 0xA1A1, 0xA1A1), 0u);
  EXPECT_EQ(CountFirstIn(rows, 0xA4A1, 0xA5FE), 0u);    // hiragana, katakana
  EXPECT_EQ(CountFirstIn(rows, 0xA7A1, 0xA7FE), 0u);    // Cyrillic
  EXPECT_EQ(CountFirstIn(rows, 0xA1A2, 0xAFFE), 274u);  // the symbols kept
}

// ---------------------------------------------------------------------------
// Known rows.

struct KnownRow {
  Table table;
  std::uint32_t first;
  std::uint32_t second;
};

std::optional<std::uint32_t> SecondOf(std::span<const CodePair> rows, std::uint32_t first) {
  for (const CodePair& row : rows) {
    if (row.first == first) return row.second;
  }
  return std::nullopt;
}

class CodeTableKnownRow : public ::testing::TestWithParam<KnownRow> {};

TEST_P(CodeTableKnownRow, HoldsThePair) {
  const KnownRow& row = GetParam();
  EXPECT_EQ(SecondOf(row.table(), row.first), std::optional<std::uint32_t>(row.second))
      << HexKey(row.first);
}

INSTANTIATE_TEST_SUITE_P(GbUnicode, CodeTableKnownRow,
                         ::testing::Values(KnownRow{GbUnicodeTable, 0x2122, 0x3001},
                                           KnownRow{GbUnicodeTable, 0x2123, 0x3002},
                                           KnownRow{GbUnicodeTable, 0x2124, 0x30FB},
                                           KnownRow{GbUnicodeTable, 0x212A, 0x2015},
                                           KnownRow{GbUnicodeTable, 0x212C, 0x2225},  // not U+2016
                                           KnownRow{GbUnicodeTable, 0x214E, 0x2225},
                                           KnownRow{GbUnicodeTable, 0x3021, 0x554A},
                                           KnownRow{GbUnicodeTable, 0x5821, 0x4E8D},
                                           KnownRow{GbUnicodeTable, 0x6D43, 0x783B}));

INSTANTIATE_TEST_SUITE_P(
    Big5Unicode, CodeTableKnownRow,
    ::testing::Values(
        KnownRow{Big5UnicodeTable, 0xA141, 0xFF0C}, KnownRow{Big5UnicodeTable, 0xA142, 0x3001},
        KnownRow{Big5UnicodeTable, 0xA143, 0x3002}, KnownRow{Big5UnicodeTable, 0xA145, 0x2022},
        KnownRow{Big5UnicodeTable, 0xA14E, 0xFF64}, KnownRow{Big5UnicodeTable, 0xA1C2, 0x203E},
        KnownRow{Big5UnicodeTable, 0xA1E3, 0x223C}, KnownRow{Big5UnicodeTable, 0xA1F2, 0x2641},
        KnownRow{Big5UnicodeTable, 0xA1F3, 0x2609}, KnownRow{Big5UnicodeTable, 0xA241, 0xFF0F},
        KnownRow{Big5UnicodeTable, 0xA242, 0xFF3C}, KnownRow{Big5UnicodeTable, 0xA440, 0x4E00},
        KnownRow{Big5UnicodeTable, 0xA441, 0x4E59}, KnownRow{Big5UnicodeTable, 0xA451, 0x5341},
        KnownRow{Big5UnicodeTable, 0xA4CA, 0x5345}, KnownRow{Big5UnicodeTable, 0xC6A1, 0x30FE},
        KnownRow{Big5UnicodeTable, 0xC7E9, 0x2460}, KnownRow{Big5UnicodeTable, 0xC940, 0x4E42},
        // Codes held but mapped to the replacement character.
        KnownRow{Big5UnicodeTable, 0xA15A, 0xFFFD}, KnownRow{Big5UnicodeTable, 0xA1C3, 0xFFFD},
        KnownRow{Big5UnicodeTable, 0xA1C5, 0xFFFD}, KnownRow{Big5UnicodeTable, 0xA1FE, 0xFFFD},
        KnownRow{Big5UnicodeTable, 0xA240, 0xFFFD}, KnownRow{Big5UnicodeTable, 0xA2CC, 0xFFFD},
        KnownRow{Big5UnicodeTable, 0xA2CE, 0xFFFD}));

INSTANTIATE_TEST_SUITE_P(
    GbBig5, CodeTableKnownRow,
    ::testing::Values(KnownRow{GbBig5Table, 0xA1A3, 0xA143}, KnownRow{GbBig5Table, 0xA1A4, 0xA145},
                      KnownRow{GbBig5Table, 0xA1A5, 0xA1C2},
                      KnownRow{GbBig5Table, 0xB0A1, 0xB0DA},    // 啊
                      KnownRow{GbBig5Table, 0xB7A2, 0xB56F},    // 发 -> 發
                      KnownRow{GbBig5Table, 0xB9FA, 0xB0EA},    // 国 -> 國
                      KnownRow{GbBig5Table, 0xCFB0, 0xB2DF},    // 习 -> 習
                      KnownRow{GbBig5Table, 0xD6D0, 0xA4A4},    // 中
                      KnownRow{GbBig5Table, 0xD6F8, 0xB5DB},    // 著
                      KnownRow{GbBig5Table, 0xD7C5, 0xB5DB},    // 着 -> 著
                      KnownRow{GbBig5Table, 0xBCEE, 0xC650},    // 碱 -> 鹼
                      KnownRow{GbBig5Table, 0xBCEF, 0xC650},    // 硷 -> 鹼
                      KnownRow{GbBig5Table, 0xC4E3, 0xA741},    // 你: ASCII trail byte
                      KnownRow{GbBig5Table, 0xBAC3, 0xA66E},    // 好
                      KnownRow{GbBig5Table, 0xD6D3, 0xC4C1}));  // 钟 -> 鐘, not 鍾

// Code points the tables must not hold at all.
TEST(CodeTableKnownRow, DroppedCodePointsStandInNoRow) {
  for (const CodePair& row : GbUnicodeTable()) {
    EXPECT_NE(row.second, 0x2016u) << HexKey(row.first);
  }
  for (const CodePair& row : Big5UnicodeTable()) {
    EXPECT_TRUE(row.second != 0x2574 && row.second != 0xFFE3 && row.second != 0x02CD)
        << HexKey(row.first);
  }
}

// ---------------------------------------------------------------------------
// Lookups: known answers, including the first-row tie-break.

struct LookupCase {
  const char* what;
  Lookup lookup;
  std::uint32_t key;
  std::optional<std::uint16_t> expected;
};

class CodeLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(CodeLookup, GivesTheFirstRowsValue) {
  const LookupCase& c = GetParam();
  EXPECT_EQ(c.lookup(c.key), c.expected) << HexKey(c.key);
}

constexpr std::optional<std::uint16_t> kNotFound = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    KnownAnswers, CodeLookup,
    ::testing::Values(
        LookupCase{"UnicodeToGbSpace", LookupUnicodeToGb, 0x3000, 0xA1A1},
        LookupCase{"UnicodeToBig5Space", LookupUnicodeToBig5, 0x3000, 0xA140},
        LookupCase{"UnicodeToGbLastRow", LookupUnicodeToGb, 0x9F44, 0xF7FE},
        LookupCase{"UnicodeToGbLevel2", LookupUnicodeToGb, 0x783B, 0xEDC3},
        LookupCase{"UnicodeToGbDroppedDoubleBar", LookupUnicodeToGb, 0x2016, kNotFound},
        LookupCase{"UnicodeToGbParallelFirstRow", LookupUnicodeToGb, 0x2225, 0xA1AC},
        LookupCase{"UnicodeToBig5ReplacementFirstRow", LookupUnicodeToBig5, 0xFFFD, 0xA15A},
        LookupCase{"UnicodeToBig5SolidusKeptRow", LookupUnicodeToBig5, 0xFF0F, 0xA241},
        LookupCase{"UnicodeToBig5BackslashKeptRow", LookupUnicodeToBig5, 0xFF3C, 0xA242},
        LookupCase{"UnicodeToBig5TenKeptRow", LookupUnicodeToBig5, 0x5341, 0xA451},
        LookupCase{"UnicodeToBig5DroppedMacron", LookupUnicodeToBig5, 0xFFE3, kNotFound},
        LookupCase{"UnicodeToBig5EtenKana", LookupUnicodeToBig5, 0x30FE, 0xC6A1},
        LookupCase{"GbToBig5Space", LookupGbToBig5, 0xA1A1, kNotFound},
        LookupCase{"GbToBig5Hiragana", LookupGbToBig5, 0xA4A2, kNotFound},
        LookupCase{"GbToBig5LastRow", LookupGbToBig5, 0xF7FD, 0xC24D},
        LookupCase{"GbToBig5Zhong", LookupGbToBig5, 0xD6D0, 0xA4A4},
        LookupCase{"GbToBig5RowColumnFormIsNoKey", LookupGbToBig5, 0x5650, kNotFound},
        LookupCase{"Big5ToGbZhuFirstRow", LookupBig5ToGb, 0xB5DB, 0xD6F8},
        LookupCase{"Big5ToGbJianFirstRow", LookupBig5ToGb, 0xC650, 0xBCEE},
        LookupCase{"Big5ToGbSpace", LookupBig5ToGb, 0xA140, kNotFound},
        LookupCase{"Big5ToGbGuo", LookupBig5ToGb, 0xB0EA, 0xB9FA},
        LookupCase{"Big5ToGbAsciiTrail", LookupBig5ToGb, 0xA741, 0xC4E3},
        LookupCase{"Big5ToGbSigmaStaysGreek", LookupBig5ToGb, 0xA355, 0xA6B2},
        LookupCase{"Big5ToGbQuoteNotFullwidthLookAlike", LookupBig5ToGb, 0xA1A8, 0xA1B1},
        LookupCase{"GbToBig5Zero", LookupGbToBig5, 0, kNotFound},
        LookupCase{"Big5ToGbZero", LookupBig5ToGb, 0, kNotFound},
        LookupCase{"UnicodeToGbZero", LookupUnicodeToGb, 0, kNotFound},
        LookupCase{"UnicodeToBig5Zero", LookupUnicodeToBig5, 0, kNotFound},
        // A key above 16 bits must not be cut down to a held one.
        LookupCase{"GbToBig5Above16Bits", LookupGbToBig5, 0x1D6D0, kNotFound},
        LookupCase{"Big5ToGbAbove16Bits", LookupBig5ToGb, 0x1B5DB, kNotFound},
        LookupCase{"UnicodeToGbAbove16Bits", LookupUnicodeToGb, 0x13000, kNotFound},
        LookupCase{"UnicodeToBig5Above16Bits", LookupUnicodeToBig5, 0x10000, kNotFound}),
    [](const auto& info) { return std::string(info.param.what); });

// ---------------------------------------------------------------------------
// Every key against a deliberately plain linear scan of the table.

enum class Compared { First, Second };

std::optional<std::uint32_t> ScanTable(std::span<const CodePair> rows, Compared column,
                                       std::uint32_t offset, std::uint32_t key) {
  for (const CodePair& row : rows) {
    if (column == Compared::First && row.first == key) return row.second + offset;
    if (column == Compared::Second && row.second == key) return row.first + offset;
  }
  return std::nullopt;
}

struct ScanCase {
  const char* name;
  Lookup lookup;
  Table table;
  Compared column;
  std::uint32_t offset;
};

class CodeLookupAgainstScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(CodeLookupAgainstScan, AgreesOnEveryKey) {
  const ScanCase& c = GetParam();
  const auto rows = c.table();
  std::vector<std::uint32_t> keys;
  for (std::uint32_t key = 0; key <= 0xFFFF; ++key) keys.push_back(key);
  for (std::uint32_t key : {0x10000u, 0x1A1A2u, 0x1A140u, 0x13000u, 0x8000A4A4u, 0xFFFFFFFFu}) {
    keys.push_back(key);
  }
  int mismatches = 0;
  for (std::uint32_t key : keys) {
    const auto expected = ScanTable(rows, c.column, c.offset, key);
    const auto actual = c.lookup(key);
    if (actual != expected && ++mismatches <= 10) {
      ADD_FAILURE() << "key " << HexKey(key) << ": lookup "
                    << (actual ? HexKey(*actual) : "not found") << ", scan "
                    << (expected ? HexKey(*expected) : "not found");
    }
  }
  EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(
    AllLookups, CodeLookupAgainstScan,
    ::testing::Values(
        ScanCase{"GbToBig5", LookupGbToBig5, GbBig5Table, Compared::First, 0},
        ScanCase{"Big5ToGb", LookupBig5ToGb, GbBig5Table, Compared::Second, 0},
        ScanCase{"UnicodeToGb", LookupUnicodeToGb, GbUnicodeTable, Compared::Second, 0x8080},
        ScanCase{"UnicodeToBig5", LookupUnicodeToBig5, Big5UnicodeTable, Compared::Second, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vortane
