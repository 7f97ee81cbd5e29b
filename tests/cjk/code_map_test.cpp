#include "cjk/code_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "cjk/code_tables.h"

namespace vortane {
namespace {

struct RouteCase {
  const char* name;
  CodeRoute route;
  CodeLookup lookup;  // nullptr: every key to itself
};

void PrintTo(const RouteCase& c, std::ostream* os) { *os << c.name; }

class SharedCodeMapRoutes : public ::testing::TestWithParam<RouteCase> {};

TEST_P(SharedCodeMapRoutes, EveryKeyGivesTheFoundCodeOrItself) {
  const RouteCase& c = GetParam();
  const CodeMap& map = SharedCodeMap(c.route);
  std::size_t found = 0;
  for (std::uint32_t key = 0; key < 0x10000; ++key) {
    const auto code = c.lookup != nullptr ? c.lookup(key) : std::nullopt;
    found += code ? 1 : 0;
    ASSERT_EQ(map[key], code.value_or(static_cast<std::uint16_t>(key))) << std::hex << key;
  }
  EXPECT_EQ(found == 0, c.lookup == nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    All, SharedCodeMapRoutes,
    ::testing::Values(RouteCase{"Copy", CodeRoute::Copy, nullptr},
                      RouteCase{"GbToBig5", CodeRoute::GbToBig5, LookupGbToBig5},
                      RouteCase{"Big5ToGb", CodeRoute::Big5ToGb, LookupBig5ToGb},
                      RouteCase{"UnicodeToGb", CodeRoute::UnicodeToGb, LookupUnicodeToGb},
                      RouteCase{"UnicodeToBig5", CodeRoute::UnicodeToBig5, LookupUnicodeToBig5}),
    [](const ::testing::TestParamInfo<RouteCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vortane
