#include "app/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vortane {
namespace {

// Every command keeps the number the menu resources give it, and a name that
// scripts can rely on.
TEST(CommandTable, NamesAndMenuNumbers) {
  const struct {
    Command command;
    std::string_view name;
    int menuId;
  } rows[] = {
      {Command::Open, "open", 32771},
      {Command::SaveAs, "save-as", 32772},
      {Command::Close, "close", 32773},
      {Command::Exit, "exit", 32774},
      {Command::DecodeBase64, "decode-base64", 32775},
      {Command::DecodeQuotedPrintable, "decode-quoted-printable", 32776},
      {Command::DecodeHz, "decode-hz", 32777},
      {Command::RestoreHighBits, "7bit-8bit", 32778},
      {Command::About, "about", 32779},
      {Command::HelpContents, "help-contents", 32780},
      {Command::SourceFromTarget, "source-from-target", 32781},
      {Command::TargetFromSource, "target-from-source", 32782},
      {Command::DecodeFileBase64, "decode-file-base64", 32785},
      {Command::DecodeFileQuotedPrintable, "decode-file-quoted-printable", 32786},
      {Command::DecodeFileHz, "decode-file-hz", 32787},
      {Command::WordWrap, "word-wrap", 32789},
      {Command::Setting, "setting", 32790},
      {Command::AddMark, "add-mark", 32793},
      {Command::RemoveMark, "remove-mark", 32794},
      {Command::Utf8Gb, "utf8-gb", 32795},
      {Command::Utf7Gb, "utf7-gb", 32796},
      {Command::Big5ToGb, "big5-to-gb", 32797},
      {Command::GbToBig5, "gb-to-big5", 32798},
      {Command::PasteToSource, "paste-to-source", 32799},
      {Command::CopySelectedTarget, "copy-selected-target", 32800},
      {Command::CodeConverter, "code-converter", 32801},
      {Command::Utf7Big5, "utf7-big5", 32802},
      {Command::Utf8Big5, "utf8-big5", 32803},
      {Command::DecodeFileUtf7, "decode-file-utf7", 32804},
      {Command::DecodeFileUtf8, "decode-file-utf8", 32805},
      {Command::AutoRepair, "auto-repair", 32806},
      {Command::OpenMessage, "open-message", 32850},
      {Command::DecodeWholeMessage, "decode-whole-message", 32851},
      {Command::Big5ToGbByPhrases, "big5-to-gb-by-phrases", 32820},
      {Command::GbToBig5ByPhrases, "gb-to-big5-by-phrases", 32821},
  };
  ASSERT_EQ(CommandTable().size(), std::size(rows));
  for (const auto& row : rows) {
    const CommandInfo* info = FindCommand(row.command);
    ASSERT_NE(info, nullptr) << row.name;
    EXPECT_EQ(info->command, row.command) << row.name;
    EXPECT_EQ(info->name, row.name);
    EXPECT_EQ(info->menuId, row.menuId) << row.name;
    EXPECT_EQ(CommandNamed(row.name), row.command) << row.name;
  }
}

TEST(CommandTable, EveryRowIsCompleteAndUnique) {
  std::set<std::string_view> names;
  std::set<int> ids;
  std::set<std::string_view> shortcuts;
  for (const CommandInfo& info : CommandTable()) {
    EXPECT_TRUE(names.insert(info.name).second) << info.name;
    EXPECT_TRUE(ids.insert(info.menuId).second) << info.name;
    if (!info.shortcut.empty()) {
      EXPECT_TRUE(shortcuts.insert(info.shortcut).second) << info.shortcut;
    }
    EXPECT_NE(info.handler, nullptr) << info.name;
    for (std::string_view caption : {info.caption.english, info.caption.gb, info.caption.big5}) {
      EXPECT_NE(caption.find('&'), std::string_view::npos) << info.name << " " << caption;
    }
  }
}

TEST(CommandTable, UnknownNamesAndValuesFindNothing) {
  for (std::string_view name : {"", "Open", "decode_base64", "open "}) {
    EXPECT_EQ(CommandNamed(name), std::nullopt) << name;
  }
  EXPECT_EQ(FindCommand(static_cast<Command>(-1)), nullptr);
  EXPECT_EQ(FindCommand(static_cast<Command>(CommandTable().size())), nullptr);
  EXPECT_EQ(FindCommand(static_cast<Command>(32775)), nullptr);
}

}  // namespace
}  // namespace vortane
