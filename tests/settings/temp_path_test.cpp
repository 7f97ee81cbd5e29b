#include "settings/temp_path.h"

#include <gtest/gtest.h>

namespace vortane {
namespace {

TEST(TempFilePath, AddsTheSeparatorOnlyWhenMissing) {
  const struct {
    const char* dir;
    const char* expected;
  } cases[] = {
      {"/tmp/", "/tmp/~utf_7.tmp"},
      {"/tmp", "/tmp/~utf_7.tmp"},
      {"/a dir/x", "/a dir/x/~utf_7.tmp"},
      {"", "~utf_7.tmp"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TempFilePath(c.dir, "~utf_7.tmp"), c.expected) << c.dir;
  }
}

}  // namespace
}  // namespace vortane
