#include "codec/restore_high_bits.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <random>
#include <string>

#include "support/random_bytes.h"
#include "support/stream_check.h"

namespace vortane {
namespace {

using testing::Hex;
using testing::ToHex;

struct RestoreCase {
  const char* name;
  std::string text;
  std::size_t start;
  std::size_t end;
  std::string expected;
};

void PrintTo(const RestoreCase& c, std::ostream* os) { *os << c.name; }

class RestoreHighBitsCases : public ::testing::TestWithParam<RestoreCase> {};

TEST_P(RestoreHighBitsCases, FlipsOnlyTheSelection) {
  const RestoreCase& c = GetParam();
  EXPECT_EQ(ToHex(RestoreHighBits(c.text, c.start, c.end)), ToHex(c.expected));
}

constexpr std::size_t kFar = std::numeric_limits<std::size_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Cases, RestoreHighBitsCases,
    ::testing::Values(
        RestoreCase{"StrippedGbRestored", "ab2bJTcd", 2, 6, "ab" + Hex("B2E2CAD4") + "cd"},
        RestoreCase{"EmptySelection", "ab2b", 2, 2, "ab2b"},
        RestoreCase{"ReversedSelection", "ab2b", 3, 1, "ab2b"},
        RestoreCase{"HighBytesLoseTheirBit", "\xB2\xE2", 0, 2, "2b"},
        RestoreCase{"LineBreakJoinsLines", "a\r\nb", 1, 3, "a" + Hex("8D8A") + "b"},
        RestoreCase{"ByteEightyBecomesZeroAndLengthKept", "a\x80z", 1, 2, Hex("61 00 7A")},
        RestoreCase{"EndClampedToText", "ab2b", 2, kFar, "ab" + Hex("B2E2")},
        RestoreCase{"StartPastTextChangesNothing", "ab", 5, 9, "ab"},
        RestoreCase{"EmptyText", "", 0, kFar, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RestoreHighBitsProperty, TwiceGivesTheTextBack) {
  std::mt19937 rng(21);
  for (int round = 0; round < 500; ++round) {
    const std::string text = testing::RandomBytes(rng, rng() % 50);
    const std::size_t start = rng() % 60;
    const std::size_t end = rng() % 60;
    const std::string once = RestoreHighBits(text, start, end);
    ASSERT_EQ(once.size(), text.size());
    ASSERT_EQ(ToHex(RestoreHighBits(once, start, end)), ToHex(text));
  }
}

}  // namespace
}  // namespace vortane
