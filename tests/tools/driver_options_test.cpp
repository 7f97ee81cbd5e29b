#include "driver/driver_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vortane {
namespace {

QStringList Line(std::initializer_list<const char*> words) {
  QStringList line{QStringLiteral("vortane-driver")};
  for (const char* word : words) {
    line << QString::fromUtf8(word);
  }
  return line;
}

TEST(DriverOptions, CommandsAreNamedAsInTheCommandTable) {
  QString error;
  const auto options = ParseDriverOptions(
      Line({"--command", "decode-base64", "--open-dialog", "settings", "--command", "7bit-8bit",
            "--settings-dir", "/s", "--display-code", "BIG5", "--show-menu", "1.4", "--set-text",
            "wrapNumberEdit=10", "--click", "okButton", "--screenshot", "/o.png"}),
      error);
  ASSERT_TRUE(options.has_value()) << error.toStdString();
  EXPECT_EQ(options->commands, (std::vector<Command>{Command::DecodeBase64, Command::Setting,
                                                     Command::RestoreHighBits}));
  EXPECT_EQ(options->settingsDirectory, QStringLiteral("/s"));
  EXPECT_EQ(options->displayCode, vortane::DisplayCode::Big5);
  EXPECT_EQ(options->showMenu, 1);
  EXPECT_EQ(options->showSubmenu, 4);
  ASSERT_EQ(options->steps.size(), 2U);
  EXPECT_EQ(options->steps[0].objectName, QStringLiteral("wrapNumberEdit"));
  EXPECT_EQ(options->steps[0].text, QStringLiteral("10"));
  EXPECT_EQ(options->steps[1].kind, DriverOptions::Step::Kind::Click);
  EXPECT_EQ(options->screenshot, QStringLiteral("/o.png"));
}

TEST(DriverOptions, EveryDisplayCodeIsNamedAsTheStatusLineShowsIt) {
  for (const vortane::DisplayCode code : vortane::kDisplayCodes) {
    QString error;
    const std::string name(vortane::DisplayCodeName(code));
    const std::string lower = QString::fromStdString(name).toLower().toStdString();
    const auto options = ParseDriverOptions(Line({"--display-code", lower.c_str()}), error);
    ASSERT_TRUE(options.has_value()) << name << ": " << error.toStdString();
    EXPECT_EQ(options->displayCode, code) << name;
  }
}

TEST(DriverOptions, MistakesAreUsageErrors) {
  const struct {
    QStringList line;
    const char* error;
  } cases[] = {
      {Line({"--command", "32775"}), "--command takes a command name"},
      {Line({"--command", "Decode-Base64"}), "--command takes a command name"},
      {Line({"--command"}), "--command needs a value"},
      {Line({"--open-dialog", "exit"}), "--open-dialog takes"},
      {Line({"--display-code", "utf8"}), "--display-code takes gb, gb18030"},
      {Line({"--set-text", "=x"}), "--set-text takes NAME=TEXT"},
      {Line({"--show-menu", "1.2.3"}), "--show-menu takes a number"},
      {Line({"--frobnicate", "x"}), "unknown option --frobnicate"},
  };
  for (const auto& c : cases) {
    QString error;
    EXPECT_FALSE(ParseDriverOptions(c.line, error).has_value()) << c.error;
    EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.error))) << error.toStdString();
  }
}

}  // namespace
}  // namespace vortane
