#include "app/menus.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "texts/tri_text.h"

namespace vortane {

namespace {

using Kind = MenuEntry::Kind;

// Which bars show an entry: the Chinese bars put Source->Target before
// Source<-Target, so that entry stands twice, once for each side.
enum class Bars { All, EnglishOnly, ChineseOnly };

// An entry of the three bars, with its caption in each language.
struct BarEntry {
  Kind kind;
  Command command;
  TriText caption;  // popups only: commands take theirs from the command table
  Bars bars = Bars::All;
};

constexpr BarEntry Popup(TriText caption) { return {Kind::Popup, Command::Open, caption}; }
constexpr BarEntry End() { return {Kind::EndPopup, Command::Open, {}}; }
constexpr BarEntry Separator() { return {Kind::Separator, Command::Open, {}}; }
constexpr BarEntry Item(Command command, Bars bars = Bars::All) {
  return {Kind::Command, command, {}, bars};
}

constexpr BarEntry kBars[] = {
    Popup({"&File", "文件(&F)", "文件(&F)"}),
    Item(Command::Open),
    Item(Command::OpenMessage),
    Item(Command::SaveAs),
    Item(Command::Close),
    Separator(),
    Popup({"&Decode file as", "解码文件按(&D)", "解碼文件按(&D)"}),
    Item(Command::DecodeFileBase64),
    Item(Command::DecodeFileQuotedPrintable),
    Item(Command::DecodeFileHz),
    Item(Command::DecodeFileUtf7),
    Item(Command::DecodeFileUtf8),
    End(),
    Separator(),
    Item(Command::CodeConverter),
    Separator(),
    Item(Command::Exit),
    End(),
    Popup({"&Decode", "解码(&D)", "解碼(&D)"}),
    Item(Command::AutoRepair),
    Separator(),
    Item(Command::DecodeBase64),
    Item(Command::DecodeQuotedPrintable),
    Item(Command::DecodeHz),
    Separator(),
    Item(Command::Utf7Gb),
    Item(Command::Utf8Gb),
    Separator(),
    Item(Command::Utf7Big5),
    Item(Command::Utf8Big5),
    Separator(),
    Item(Command::Big5ToGb),
    Item(Command::GbToBig5),
    Item(Command::Big5ToGbByPhrases),
    Item(Command::GbToBig5ByPhrases),
    Item(Command::DecodeWholeMessage),
    End(),
    Item(Command::RestoreHighBits),
    Popup({"&Edit", "编辑(&E)", "編輯(&E)"}),
    Item(Command::CopySelectedTarget),
    Item(Command::PasteToSource),
    Separator(),
    Item(Command::TargetFromSource, Bars::ChineseOnly),
    Item(Command::SourceFromTarget),
    Item(Command::TargetFromSource, Bars::EnglishOnly),
    Item(Command::AddMark),
    Item(Command::RemoveMark),
    Separator(),
    Item(Command::WordWrap),
    End(),
    Popup({"&Configuration", "配置(&C)", "配置(&C)"}),
    Item(Command::Setting),
    End(),
    Popup({"&Help", "帮助(&H)", "幫助(&H)"}),
    Item(Command::About),
    Item(Command::HelpContents),
    End(),
};

// Every bar leaves out the one entry that stands for the other side.
constexpr std::size_t kBarSize = std::size(kBars) - 1;
static_assert(std::ranges::count(kBars, Bars::EnglishOnly, &BarEntry::bars) == 1);
static_assert(std::ranges::count(kBars, Bars::ChineseOnly, &BarEntry::bars) == 1);

std::array<MenuEntry, kBarSize> BuildBar(MenuResource menu) {
  const Bars leftOut = menu == MenuResource::English ? Bars::ChineseOnly : Bars::EnglishOnly;
  std::array<MenuEntry, kBarSize> bar{};
  std::size_t n = 0;
  for (const BarEntry& e : kBars) {
    if (e.bars == leftOut) {
      continue;
    }
    const TriText& captions = e.kind == Kind::Command ? FindCommand(e.command)->caption : e.caption;
    const std::string_view caption = menu == MenuResource::ChineseGb     ? captions.gb
                                     : menu == MenuResource::ChineseBig5 ? captions.big5
                                                                         : captions.english;
    bar[n++] = {e.kind, e.command, caption};
  }
  return bar;
}

}  // namespace

std::span<const MenuEntry> MenuTable(MenuResource menu) {
  // Built once, on first use, from the two tables.
  static const auto kEnglishMenu = BuildBar(MenuResource::English);
  static const auto kGbMenu = BuildBar(MenuResource::ChineseGb);
  static const auto kBig5Menu = BuildBar(MenuResource::ChineseBig5);
  switch (menu) {
    case MenuResource::ChineseGb:
      return kGbMenu;
    case MenuResource::ChineseBig5:
      return kBig5Menu;
    case MenuResource::English:
      break;
  }
  return kEnglishMenu;
}

}  // namespace vortane
