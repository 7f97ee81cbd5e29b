#include "app/menus.h"

#include <array>

namespace vortane {

namespace {

using Kind = MenuEntry::Kind;

constexpr MenuEntry Popup(std::string_view caption) { return {Kind::Popup, 0, caption}; }
constexpr MenuEntry End() { return {Kind::EndPopup, 0, {}}; }
constexpr MenuEntry Separator() { return {Kind::Separator, 0, {}}; }
constexpr MenuEntry Item(int id, std::string_view caption) { return {Kind::Command, id, caption}; }

// The three bars share their shape; the Chinese ones put Source->Target
// before Source<-Target.
constexpr std::array kEnglishMenu{
    Popup("&File"),
    Item(32771, "&Open..."),
    Item(32772, "Save &As..."),
    Item(32773, "&Close"),
    Separator(),
    Popup("&Decode file as"),
    Item(32785, "&Base 64..."),
    Item(32786, "&Quoted Printable..."),
    Item(32787, "&HZ code..."),
    Item(32804, "UTF-&7->Unicode..."),
    Item(32805, "UTF-&8->Unicode..."),
    End(),
    Separator(),
    Item(32801, "Chinese code &Converter"),
    Separator(),
    Item(32774, "E&xit"),
    End(),
    Popup("&Decode"),
    Item(32775, "&Base 64(MIME)"),
    Item(32776, "&Quoted Printable(MIME)"),
    Item(32777, "&HZ code"),
    Separator(),
    Item(32796, "U&TF-7(GB)"),
    Item(32795, "&UTF-8(GB)"),
    Separator(),
    Item(32802, "U&TF-7(BIG5)"),
    Item(32803, "&UTF-8(BIG5)"),
    Separator(),
    Item(32797, "&Big5->GB(Chinese)"),
    Item(32798, "&GB->Big5(Chinese)"),
    End(),
    Item(32778, "&7bit-8bit"),
    Popup("&Edit"),
    Item(32800, "&Copy Selectted Target"),
    Item(32799, "&Paste to Source"),
    Separator(),
    Item(32781, "&Source<-Target"),
    Item(32782, "Source->&Target"),
    Item(32793, "&Add mark"),
    Item(32794, "&Remove mark"),
    Separator(),
    Item(32789, "&Word Wrap"),
    End(),
    Popup("&Configuration"),
    Item(32790, "&Setting..."),
    End(),
    Popup("&Help"),
    Item(32779, "&About Mail Vortane"),
    Item(32780, "&Help Contents"),
    End(),
};

constexpr std::array kGbMenu{
    Popup("文件(&F)"),
    Item(32771, "打开(&O)..."),
    Item(32772, "另存为(&A)..."),
    Item(32773, "关闭(&C)"),
    Separator(),
    Popup("解码文件按(&D)"),
    Item(32785, "&Base 64..."),
    Item(32786, "&Quoted Printable..."),
    Item(32787, "&HZ code..."),
    Item(32804, "UTF-&7->Unicode..."),
    Item(32805, "UTF-&8->Unicode..."),
    End(),
    Separator(),
    Item(32801, "汉字内码转换器(&C)"),
    Separator(),
    Item(32774, "退出(&x)"),
    End(),
    Popup("解码(&D)"),
    Item(32775, "&Base 64"),
    Item(32776, "&Quoted Printable"),
    Item(32777, "&HZ code"),
    Separator(),
    Item(32796, "U&TF-7(GB)"),
    Item(32795, "&UTF-8(GB)"),
    Separator(),
    Item(32802, "U&TF-7(BIG5)"),
    Item(32803, "&UTF-8(BIG5)"),
    Separator(),
    Item(32797, "&Big5码->GB码"),
    Item(32798, "&GB码->Big5码"),
    End(),
    Item(32778, "&7位-8位"),
    Popup("编辑(&E)"),
    Item(32800, "复制所选目标文本(&C)"),
    Item(32799, "粘贴到源文本(&P)"),
    Separator(),
    Item(32782, "源文本->目标文本(&T)"),
    Item(32781, "源文本<-目标文本(&S)"),
    Item(32793, "添加标志字符(&A)"),
    Item(32794, "删除标志字符(&R)"),
    Separator(),
    Item(32789, "字符换行(&W)"),
    End(),
    Popup("配置(&C)"),
    Item(32790, "设定(&S)..."),
    End(),
    Popup("帮助(&H)"),
    Item(32779, "关于邮件Vortane(&A)"),
    Item(32780, "帮助内容(&H)"),
    End(),
};

constexpr std::array kBig5Menu{
    Popup("文件(&F)"),
    Item(32771, "打開(&O)..."),
    Item(32772, "另存為(&A)..."),
    Item(32773, "關閉(&C)"),
    Separator(),
    Popup("解碼文件按(&D)"),
    Item(32785, "&Base 64..."),
    Item(32786, "&Quoted Printable..."),
    Item(32787, "&HZ code..."),
    Item(32804, "UTF-&7->Unicode..."),
    Item(32805, "UTF-&8->Unicode..."),
    End(),
    Separator(),
    Item(32801, "漢字內碼轉換器(&C)"),
    Separator(),
    Item(32774, "退出(&x)"),
    End(),
    Popup("解碼(&D)"),
    Item(32775, "&Base 64"),
    Item(32776, "&Quoted Printable"),
    Item(32777, "&HZ code"),
    Separator(),
    Item(32796, "U&TF-7(GB)"),
    Item(32795, "&UTF-8(GB)"),
    Separator(),
    Item(32802, "U&TF-7(BIG5)"),
    Item(32803, "&UTF-8(BIG5)"),
    Separator(),
    Item(32797, "&Big5碼->GB碼"),
    Item(32798, "&GB碼->Big5碼"),
    End(),
    Item(32778, "&7位-8位"),
    Popup("編輯(&E)"),
    Item(32800, "複製所選目標文本(&C)"),
    Item(32799, "粘貼到源文本(&P)"),
    Separator(),
    Item(32782, "源文本->目標文本(&T)"),
    Item(32781, "源文本<-目標文本(&S)"),
    Item(32793, "添加標志字符(&A)"),
    Item(32794, "刪除標志字符(&R)"),
    Separator(),
    Item(32789, "字符換行(&W)"),
    End(),
    Popup("配置(&C)"),
    Item(32790, "設定(&S)..."),
    End(),
    Popup("幫助(&H)"),
    Item(32779, "關于郵件Vortane(&A)"),
    Item(32780, "幫助內容(&H)"),
    End(),
};

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

UiCode MenuCode(MenuResource menu) {
  switch (menu) {
    case MenuResource::ChineseGb:
      return UiCode::Gb;
    case MenuResource::ChineseBig5:
      return UiCode::Big5;
    case MenuResource::English:
      break;
  }
  return UiCode::Ascii;
}

}  // namespace vortane
