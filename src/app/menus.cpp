#include "app/menus.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "app/command_ids.h"
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
  int id;
  TriText caption;
  Bars bars = Bars::All;
};

constexpr BarEntry Popup(TriText caption) { return {Kind::Popup, 0, caption}; }
constexpr BarEntry End() { return {Kind::EndPopup, 0, {}}; }
constexpr BarEntry Separator() { return {Kind::Separator, 0, {}}; }
constexpr BarEntry Item(int id, TriText caption, Bars bars = Bars::All) {
  return {Kind::Command, id, caption, bars};
}
// A caption that reads the same in every language.
constexpr TriText Same(std::string_view caption) { return {caption, caption, caption}; }

constexpr BarEntry kBars[] = {
    Popup({"&File", "文件(&F)", "文件(&F)"}),
    Item(kCmdOpen, {"&Open...", "打开(&O)...", "打開(&O)..."}),
    Item(kCmdSaveAs, {"Save &As...", "另存为(&A)...", "另存為(&A)..."}),
    Item(kCmdClose, {"&Close", "关闭(&C)", "關閉(&C)"}),
    Separator(),
    Popup({"&Decode file as", "解码文件按(&D)", "解碼文件按(&D)"}),
    Item(kCmdDecodeFileBase64, Same("&Base 64...")),
    Item(kCmdDecodeFileQuotedPrintable, Same("&Quoted Printable...")),
    Item(kCmdDecodeFileHz, Same("&HZ code...")),
    Item(kCmdDecodeFileUtf7, Same("UTF-&7->Unicode...")),
    Item(kCmdDecodeFileUtf8, Same("UTF-&8->Unicode...")),
    End(),
    Separator(),
    Item(kCmdCodeConverter,
         {"Chinese code &Converter", "汉字内码转换器(&C)", "漢字內碼轉換器(&C)"}),
    Separator(),
    Item(kCmdExit, {"E&xit", "退出(&x)", "退出(&x)"}),
    End(),
    Popup({"&Decode", "解码(&D)", "解碼(&D)"}),
    Item(kCmdDecodeBase64, {"&Base 64(MIME)", "&Base 64", "&Base 64"}),
    Item(kCmdDecodeQuotedPrintable,
         {"&Quoted Printable(MIME)", "&Quoted Printable", "&Quoted Printable"}),
    Item(kCmdDecodeHz, Same("&HZ code")),
    Separator(),
    Item(kCmdUtf7Gb, Same("U&TF-7(GB)")),
    Item(kCmdUtf8Gb, Same("&UTF-8(GB)")),
    Separator(),
    Item(kCmdUtf7Big5, Same("U&TF-7(BIG5)")),
    Item(kCmdUtf8Big5, Same("&UTF-8(BIG5)")),
    Separator(),
    Item(kCmdBig5ToGb, {"&Big5->GB(Chinese)", "&Big5码->GB码", "&Big5碼->GB碼"}),
    Item(kCmdGbToBig5, {"&GB->Big5(Chinese)", "&GB码->Big5码", "&GB碼->Big5碼"}),
    End(),
    Item(kCmd7bit8bit, {"&7bit-8bit", "&7位-8位", "&7位-8位"}),
    Popup({"&Edit", "编辑(&E)", "編輯(&E)"}),
    Item(kCmdCopySelectedTarget,
         {"&Copy Selectted Target", "复制所选目标文本(&C)", "複製所選目標文本(&C)"}),
    Item(kCmdPasteToSource, {"&Paste to Source", "粘贴到源文本(&P)", "粘貼到源文本(&P)"}),
    Separator(),
    Item(kCmdTargetFromSource, {"Source->&Target", "源文本->目标文本(&T)", "源文本->目標文本(&T)"},
         Bars::ChineseOnly),
    Item(kCmdSourceFromTarget, {"&Source<-Target", "源文本<-目标文本(&S)", "源文本<-目標文本(&S)"}),
    Item(kCmdTargetFromSource, {"Source->&Target", "源文本->目标文本(&T)", "源文本->目標文本(&T)"},
         Bars::EnglishOnly),
    Item(kCmdAddMark, {"&Add mark", "添加标志字符(&A)", "添加標志字符(&A)"}),
    Item(kCmdRemoveMark, {"&Remove mark", "删除标志字符(&R)", "刪除標志字符(&R)"}),
    Separator(),
    Item(kCmdWordWrap, {"&Word Wrap", "字符换行(&W)", "字符換行(&W)"}),
    End(),
    Popup({"&Configuration", "配置(&C)", "配置(&C)"}),
    Item(kCmdSetting, {"&Setting...", "设定(&S)...", "設定(&S)..."}),
    End(),
    Popup({"&Help", "帮助(&H)", "幫助(&H)"}),
    Item(kCmdAbout, {"&About Mail Vortane", "关于邮件Vortane(&A)", "關于郵件Vortane(&A)"}),
    Item(kCmdHelpContents, {"&Help Contents", "帮助内容(&H)", "幫助內容(&H)"}),
    End(),
};

// Every bar leaves out the one entry that stands for the other side.
constexpr std::size_t kBarSize = std::size(kBars) - 1;
static_assert(std::ranges::count(kBars, Bars::EnglishOnly, &BarEntry::bars) == 1);
static_assert(std::ranges::count(kBars, Bars::ChineseOnly, &BarEntry::bars) == 1);

constexpr std::array<MenuEntry, kBarSize> BuildBar(MenuResource menu) {
  const Bars leftOut = menu == MenuResource::English ? Bars::ChineseOnly : Bars::EnglishOnly;
  std::array<MenuEntry, kBarSize> bar{};
  std::size_t n = 0;
  for (const BarEntry& e : kBars) {
    if (e.bars == leftOut) {
      continue;
    }
    const std::string_view caption = menu == MenuResource::ChineseGb     ? e.caption.gb
                                     : menu == MenuResource::ChineseBig5 ? e.caption.big5
                                                                         : e.caption.english;
    bar[n++] = {e.kind, e.id, caption};
  }
  return bar;
}

constexpr auto kEnglishMenu = BuildBar(MenuResource::English);
constexpr auto kGbMenu = BuildBar(MenuResource::ChineseGb);
constexpr auto kBig5Menu = BuildBar(MenuResource::ChineseBig5);

}  // namespace

std::span<const MenuEntry> MenuTable(MenuResource menu) {
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
