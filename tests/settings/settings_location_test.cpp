#include "settings/settings_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace vortane {
namespace {

using testing::ScopedTempDir;

TEST(SettingsFolder, ChosenThenXdgThenHomeThenWorkingFolder) {
  const struct {
    std::optional<std::string> chosen;
    const char* xdg;
    const char* home;
    std::string expected;
  } cases[] = {
      {"/chosen", "/xdg", "/home/u", "/chosen"},
      {"relative/dir", "/xdg", "/home/u", "relative/dir"},
      {std::nullopt, "/xdg", "/home/u", "/xdg/vortane"},
      {std::nullopt, "/xdg/", "/home/u", "/xdg/vortane"},
      {std::nullopt, "", "/home/u", "/home/u/.config/vortane"},
      {std::nullopt, "relative", "/home/u", "/home/u/.config/vortane"},
      {std::nullopt, nullptr, "/home/u/", "/home/u/.config/vortane"},
      {std::nullopt, nullptr, nullptr, "."},
      {std::nullopt, nullptr, "", "."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SettingsFolder(c.chosen, c.xdg, c.home), c.expected)
        << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
  }
}

TEST(PrepareSettingsFolder, MakesTheFolderAndMovesAnOldFileInOnce) {
  ScopedTempDir dir;
  dir.Write("Vortane.ini", "old settings");
  const std::string folder = dir.File("config/vortane");

  auto outcome = PrepareSettingsFolder(folder, dir.path());
  ASSERT_TRUE(outcome.ready) << outcome.error;
  EXPECT_TRUE(outcome.migrated);
  EXPECT_EQ(ScopedTempDir::Read(folder + "/Vortane.ini"), "old settings");
  EXPECT_EQ(ScopedTempDir::Read(dir.File("Vortane.ini")), "old settings");  // left alone
  struct stat st {};
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700U);

  // From then on the new file is the one read, whatever the old one says.
  dir.Write("Vortane.ini", "changed later");
  outcome = PrepareSettingsFolder(folder, dir.path());
  EXPECT_TRUE(outcome.ready);
  EXPECT_FALSE(outcome.migrated);
  EXPECT_EQ(ScopedTempDir::Read(folder + "/Vortane.ini"), "old settings");
}

TEST(PrepareSettingsFolder, CasesWithoutAMove) {
  const struct {
    const char* name;
    bool oldFile;  // the old folder holds Vortane.ini
    bool newFile;  // the new folder holds one already
    bool passOld;  // an old folder is given (not with --settings-dir)
    bool migrated;
    std::string newContent;  // "" for none
  } cases[] = {
      {"nothing anywhere", false, false, true, false, ""},
      {"new already there", true, true, true, false, "new"},
      {"chosen folder takes nothing", true, false, false, false, ""},
  };
  for (const auto& c : cases) {
    ScopedTempDir dir;
    const std::string folder = dir.File("cfg");
    std::filesystem::create_directory(folder);
    if (c.oldFile) {
      dir.Write("Vortane.ini", "old");
    }
    if (c.newFile) {
      dir.Write("cfg/Vortane.ini", "new");
    }
    const auto outcome =
        PrepareSettingsFolder(folder, c.passOld ? std::optional(dir.path()) : std::nullopt);
    EXPECT_TRUE(outcome.ready) << c.name;
    EXPECT_EQ(outcome.migrated, c.migrated) << c.name;
    EXPECT_EQ(ScopedTempDir::Read(folder + "/Vortane.ini").value_or(""), c.newContent) << c.name;
  }
}

TEST(PrepareSettingsFolder, AFileInTheWayIsReported) {
  ScopedTempDir dir;
  dir.Write("blocker", "x");
  const auto outcome = PrepareSettingsFolder(dir.File("blocker/vortane"), std::nullopt);
  EXPECT_FALSE(outcome.ready);
  EXPECT_EQ(outcome.error, ENOTDIR);
}

}  // namespace
}  // namespace vortane
