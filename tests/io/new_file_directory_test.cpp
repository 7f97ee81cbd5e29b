#include "io/new_file_directory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "support/temp_dir.h"

namespace vortane {
namespace {

using testing::ScopedTempDir;

TEST(NewFileDirectory, CreatesAndWrites) {
  ScopedTempDir dir;
  int error = -1;
  auto target = NewFileDirectory::Open(dir.path(), error);
  ASSERT_TRUE(target.has_value());
  EXPECT_EQ(error, 0);
  EXPECT_EQ(target->CreateNewFile("a.txt", "bytes").error, 0);
  EXPECT_EQ(ScopedTempDir::Read(dir.File("a.txt")), "bytes");
}

struct RefusedCase {
  const char* name;
  void (*prepare)(const ScopedTempDir& dir);
  std::string fileName;
  int error;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class NewFileRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(NewFileRefused, NothingOverwrittenOrFollowed) {
  ScopedTempDir dir;
  dir.Write("victim", "keep");
  GetParam().prepare(dir);
  int error = 0;
  auto target = NewFileDirectory::Open(dir.path(), error);
  ASSERT_TRUE(target.has_value());
  EXPECT_EQ(target->CreateNewFile(GetParam().fileName, "evil").error, GetParam().error);
  EXPECT_EQ(ScopedTempDir::Read(dir.File("victim")), "keep");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewFileRefused,
    ::testing::Values(
        RefusedCase{"ExistingFile", [](const ScopedTempDir&) {}, "victim", EEXIST},
        RefusedCase{"SymlinkToFile",
                    [](const ScopedTempDir& d) {
                      ASSERT_EQ(::symlink(d.File("victim").c_str(), d.File("link").c_str()), 0);
                    },
                    "link", EEXIST},
        RefusedCase{"DanglingSymlink",
                    [](const ScopedTempDir& d) {
                      ASSERT_EQ(::symlink(d.File("nowhere").c_str(), d.File("link").c_str()), 0);
                    },
                    "link", EEXIST},
        RefusedCase{"PathInName", [](const ScopedTempDir&) {}, "../victim", EINVAL},
        RefusedCase{"EmptyName", [](const ScopedTempDir&) {}, "", EINVAL}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NewFileDirectory, DanglingSymlinkCreatesNoFileAtItsTarget) {
  ScopedTempDir dir;
  ASSERT_EQ(::symlink(dir.File("target").c_str(), dir.File("link").c_str()), 0);
  int error = 0;
  auto target = NewFileDirectory::Open(dir.path(), error);
  ASSERT_TRUE(target.has_value());
  EXPECT_EQ(target->CreateNewFile("link", "x").error, EEXIST);
  EXPECT_FALSE(ScopedTempDir::Exists(dir.File("target")));
}

TEST(NewFileDirectory, MissingOrNotADirectory) {
  ScopedTempDir dir;
  dir.Write("file", "x");
  int error = 0;
  EXPECT_FALSE(NewFileDirectory::Open(dir.File("missing"), error).has_value());
  EXPECT_EQ(error, ENOENT);
  EXPECT_FALSE(NewFileDirectory::Open(dir.File("file"), error).has_value());
  EXPECT_EQ(error, ENOTDIR);
}

}  // namespace
}  // namespace vortane
