#include "app/menus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "texts/tri_text.h"

namespace vortane {
namespace {

constexpr MenuResource kMenus[] = {MenuResource::English, MenuResource::ChineseGb,
                                   MenuResource::ChineseBig5};

int IdOf(Command command) { return FindCommand(command)->menuId; }

// The menu's entries as a shape: ids for commands, P/E/S for popup, end and separator.
std::vector<int> Shape(std::span<const MenuEntry> table) {
  std::vector<int> shape;
  for (const MenuEntry& e : table) {
    switch (e.kind) {
      case MenuEntry::Kind::Command:
        shape.push_back(IdOf(e.command));
        break;
      case MenuEntry::Kind::Popup:
        shape.push_back(-1);
        break;
      case MenuEntry::Kind::EndPopup:
        shape.push_back(-2);
        break;
      case MenuEntry::Kind::Separator:
        shape.push_back(-3);
        break;
    }
  }
  return shape;
}

TEST(MenuTable, EveryCommandOnceAndPopupsBalanced) {
  const std::set<Command> allIds = {Command::Open,
                                    Command::SaveAs,
                                    Command::Close,
                                    Command::Exit,
                                    Command::DecodeBase64,
                                    Command::DecodeQuotedPrintable,
                                    Command::DecodeHz,
                                    Command::RestoreHighBits,
                                    Command::About,
                                    Command::HelpContents,
                                    Command::SourceFromTarget,
                                    Command::TargetFromSource,
                                    Command::DecodeFileBase64,
                                    Command::DecodeFileQuotedPrintable,
                                    Command::DecodeFileHz,
                                    Command::WordWrap,
                                    Command::Setting,
                                    Command::AddMark,
                                    Command::RemoveMark,
                                    Command::Utf8Gb,
                                    Command::Utf7Gb,
                                    Command::Big5ToGb,
                                    Command::GbToBig5,
                                    Command::PasteToSource,
                                    Command::CopySelectedTarget,
                                    Command::CodeConverter,
                                    Command::Utf7Big5,
                                    Command::Utf8Big5,
                                    Command::DecodeFileUtf7,
                                    Command::DecodeFileUtf8,
                                    Command::AutoRepair,

                                    Command::OpenMessage,
                                    Command::DecodeWholeMessage,

                                    Command::Big5ToGbByPhrases,
                                    Command::GbToBig5ByPhrases};
  for (MenuResource menu : kMenus) {
    std::multiset<Command> ids;
    int depth = 0;
    std::vector<Command> topLevelCommands;
    int popupsOnBar = 0;
    for (const MenuEntry& e : MenuTable(menu)) {
      if (e.kind == MenuEntry::Kind::Command) {
        ids.insert(e.command);
        EXPECT_FALSE(e.caption.empty());
        if (depth == 0) {
          topLevelCommands.push_back(e.command);
        }
      } else if (e.kind == MenuEntry::Kind::Popup) {
        popupsOnBar += depth == 0 ? 1 : 0;
        ++depth;
      } else if (e.kind == MenuEntry::Kind::EndPopup) {
        --depth;
        ASSERT_GE(depth, 0);
      } else {
        EXPECT_GT(depth, 0) << "separator on the bar";
      }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(std::set<Command>(ids.begin(), ids.end()), allIds);
    EXPECT_EQ(ids.size(), allIds.size());
    EXPECT_EQ(topLevelCommands, std::vector<Command>{Command::RestoreHighBits});
    EXPECT_EQ(popupsOnBar, 5);
  }
}

TEST(MenuTable, ChineseMenusSwapOnlySourceAndTargetCopies) {
  std::vector<int> english = Shape(MenuTable(MenuResource::English));
  const auto from = std::find(english.begin(), english.end(), IdOf(Command::SourceFromTarget));
  ASSERT_NE(from, english.end());
  ASSERT_EQ(*(from + 1), IdOf(Command::TargetFromSource));
  std::iter_swap(from, from + 1);
  EXPECT_EQ(Shape(MenuTable(MenuResource::ChineseGb)), english);
  EXPECT_EQ(Shape(MenuTable(MenuResource::ChineseBig5)), english);
}

TEST(MenuTable, CaptionsConvertCompletelyIntoTheMenuCode) {
  const struct {
    MenuResource menu;
    std::optional<TextCode> code;  // nullopt: ASCII only
  } menus[] = {{MenuResource::English, std::nullopt},
               {MenuResource::ChineseGb, TextCode::Gb},
               {MenuResource::ChineseBig5, TextCode::Big5}};
  for (const auto& [menu, code] : menus) {
    for (const MenuEntry& e : MenuTable(menu)) {
      if (!code) {
        EXPECT_TRUE(std::all_of(e.caption.begin(), e.caption.end(), [](char c) {
          return static_cast<unsigned char>(c) < 0x80;
        })) << e.caption;
        continue;
      }
      bool complete = true;
      (void)EncodeUtf8As(e.caption, *code, &complete);
      EXPECT_TRUE(complete) << e.caption;
    }
  }
}

std::string_view CaptionOf(MenuResource menu, Command command) {
  for (const MenuEntry& e : MenuTable(menu)) {
    if (e.kind == MenuEntry::Kind::Command && e.command == command) {
      return e.caption;
    }
  }
  return {};
}

TEST(MenuTable, CaptionsThatDifferBetweenMenus) {
  struct Row {
    Command id;
    std::string_view english, gb, big5;
  };
  const Row rows[] = {
      {Command::DecodeBase64, "&Base 64(MIME)", "&Base 64", "&Base 64"},
      {Command::CopySelectedTarget, "&Copy Selectted Target", "复制所选目标文本(&C)",
       "複製所選目標文本(&C)"},
      {Command::RestoreHighBits, "&7bit-8bit", "&7位-8位", "&7位-8位"},
      {Command::Utf7Big5, "U&TF-7(BIG5)", "U&TF-7(BIG5)", "U&TF-7(BIG5)"},
      {Command::CodeConverter, "Chinese code &Converter", "汉字内码转换器(&C)",
       "漢字內碼轉換器(&C)"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(CaptionOf(MenuResource::English, r.id), r.english);
    EXPECT_EQ(CaptionOf(MenuResource::ChineseGb, r.id), r.gb);
    EXPECT_EQ(CaptionOf(MenuResource::ChineseBig5, r.id), r.big5);
  }
}

// Automatic... opens the Decode menu in every bar, and its key is not one the
// frames edit with (Ctrl+D deletes a character in a text edit on X11).
TEST(MenuTable, AutomaticFirstInTheDecodeMenu) {
  for (MenuResource menu : kMenus) {
    const auto table = MenuTable(menu);
    const auto base64 = std::find_if(table.begin(), table.end(), [](const MenuEntry& e) {
      return e.kind == MenuEntry::Kind::Command && e.command == Command::DecodeBase64;
    });
    ASSERT_NE(base64, table.end());
    ASSERT_GE(base64 - table.begin(), 3);
    EXPECT_EQ((base64 - 3)->kind, MenuEntry::Kind::Popup);
    EXPECT_EQ((base64 - 2)->command, Command::AutoRepair);
    EXPECT_EQ((base64 - 1)->kind, MenuEntry::Kind::Separator);
  }
  const std::string_view shortcut = FindCommand(Command::AutoRepair)->shortcut;
  EXPECT_FALSE(shortcut.empty());
  for (const std::string_view editing : {"Ctrl+D", "Ctrl+A", "Ctrl+C", "Ctrl+V", "Ctrl+X", "Ctrl+Z",
                                         "Ctrl+Y", "Ctrl+K", "Ctrl+H", "Ctrl+Shift+A"}) {
    EXPECT_NE(shortcut, editing);
  }
}

}  // namespace
}  // namespace vortane
