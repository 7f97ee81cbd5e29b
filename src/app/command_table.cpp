#include "app/command_table.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "app/text_transform_dialog.h"

namespace vortane {

namespace {

using D = TextTransformDialog;

// A caption that reads the same in every language.
constexpr TriText Same(std::string_view caption) { return {caption, caption, caption}; }

constexpr CommandInfo kCommands[] = {
    {Command::Open,
     "open",
     32771,
     {"&Open...", "打开(&O)...", "打開(&O)..."},
     "Ctrl+O",
     &D::OnOpen},
    {Command::SaveAs,
     "save-as",
     32772,
     {"Save &As...", "另存为(&A)...", "另存為(&A)..."},
     "Ctrl+S",
     &D::OnSaveAs},
    {Command::Close, "close", 32773, {"&Close", "关闭(&C)", "關閉(&C)"}, "", &D::OnClose},
    {Command::DecodeFileBase64, "decode-file-base64", 32785, Same("&Base 64..."), "",
     &D::OnDecodeFileBase64},
    {Command::DecodeFileQuotedPrintable, "decode-file-quoted-printable", 32786,
     Same("&Quoted Printable..."), "", &D::OnDecodeFileQuotedPrintable},
    {Command::DecodeFileHz, "decode-file-hz", 32787, Same("&HZ code..."), "", &D::OnDecodeFileHz},
    {Command::DecodeFileUtf7, "decode-file-utf7", 32804, Same("UTF-&7->Unicode..."), "",
     &D::OnDecodeFileUtf7},
    {Command::DecodeFileUtf8, "decode-file-utf8", 32805, Same("UTF-&8->Unicode..."), "",
     &D::OnDecodeFileUtf8},
    {Command::CodeConverter,
     "code-converter",
     32801,
     {"Chinese code &Converter", "汉字内码转换器(&C)", "漢字內碼轉換器(&C)"},
     "",
     &D::OnCodeConverter},
    {Command::Exit, "exit", 32774, {"E&xit", "退出(&x)", "退出(&x)"}, "Ctrl+Q", &D::OnExit},
    {Command::DecodeBase64,
     "decode-base64",
     32775,
     {"&Base 64(MIME)", "&Base 64", "&Base 64"},
     "",
     &D::OnDecodeBase64},
    {Command::DecodeQuotedPrintable,
     "decode-quoted-printable",
     32776,
     {"&Quoted Printable(MIME)", "&Quoted Printable", "&Quoted Printable"},
     "",
     &D::OnDecodeQuotedPrintable},
    {Command::DecodeHz, "decode-hz", 32777, Same("&HZ code"), "", &D::OnDecodeHz},
    {Command::Utf7Gb, "utf7-gb", 32796, Same("U&TF-7(GB)"), "", &D::OnUtf7Gb},
    {Command::Utf8Gb, "utf8-gb", 32795, Same("&UTF-8(GB)"), "", &D::OnUtf8Gb},
    {Command::Utf7Big5, "utf7-big5", 32802, Same("U&TF-7(BIG5)"), "", &D::OnUtf7Big5},
    {Command::Utf8Big5, "utf8-big5", 32803, Same("&UTF-8(BIG5)"), "", &D::OnUtf8Big5},
    {Command::Big5ToGb,
     "big5-to-gb",
     32797,
     {"&Big5->GB(Chinese)", "&Big5码->GB码", "&Big5碼->GB碼"},
     "",
     &D::OnBig5ToGb},
    {Command::GbToBig5,
     "gb-to-big5",
     32798,
     {"&GB->Big5(Chinese)", "&GB码->Big5码", "&GB碼->Big5碼"},
     "",
     &D::OnGbToBig5},
    {Command::RestoreHighBits,
     "7bit-8bit",
     32778,
     {"&7bit-8bit", "&7位-8位", "&7位-8位"},
     "",
     &D::OnRestoreHighBits},
    {Command::CopySelectedTarget,
     "copy-selected-target",
     32800,
     {"&Copy Selectted Target", "复制所选目标文本(&C)", "複製所選目標文本(&C)"},
     "",
     &D::OnCopySelectedTarget},
    {Command::PasteToSource,
     "paste-to-source",
     32799,
     {"&Paste to Source", "粘贴到源文本(&P)", "粘貼到源文本(&P)"},
     "",
     &D::OnPasteToSource},
    {Command::SourceFromTarget,
     "source-from-target",
     32781,
     {"&Source<-Target", "源文本<-目标文本(&S)", "源文本<-目標文本(&S)"},
     "",
     &D::OnSourceFromTarget},
    {Command::TargetFromSource,
     "target-from-source",
     32782,
     {"Source->&Target", "源文本->目标文本(&T)", "源文本->目標文本(&T)"},
     "",
     &D::OnTargetFromSource},
    {Command::AddMark,
     "add-mark",
     32793,
     {"&Add mark", "添加标志字符(&A)", "添加標志字符(&A)"},
     "",
     &D::OnAddMark},
    {Command::RemoveMark,
     "remove-mark",
     32794,
     {"&Remove mark", "删除标志字符(&R)", "刪除標志字符(&R)"},
     "",
     &D::OnRemoveMark},
    {Command::WordWrap,
     "word-wrap",
     32789,
     {"&Word Wrap", "字符换行(&W)", "字符換行(&W)"},
     "",
     &D::OnWordWrap},
    {Command::Setting,
     "setting",
     32790,
     {"&Setting...", "设定(&S)...", "設定(&S)..."},
     "",
     &D::OnSetting},
    {Command::About,
     "about",
     32779,
     {"&About Mail Vortane", "关于邮件Vortane(&A)", "關于郵件Vortane(&A)"},
     "",
     &D::OnAbout},
    {Command::HelpContents,
     "help-contents",
     32780,
     {"&Help Contents", "帮助内容(&H)", "幫助內容(&H)"},
     "F1",
     &D::OnHelpContents},
    {Command::AutoRepair,
     "auto-repair",
     32806,
     {"&Automatic...", "自动(&A)...", "自動(&A)..."},
     "F9",
     &D::OnAutoRepair},
    {Command::OpenMessage,
     "open-message",
     32850,
     {"Open &message...", "打开邮件(&M)...", "打開郵件(&M)..."},
     "",
     &D::OnOpenMessage},
    {Command::DecodeWholeMessage,
     "decode-whole-message",
     32851,
     {"&Whole message", "整封邮件(&W)", "整封郵件(&W)"},
     "",
     &D::OnDecodeWholeMessage},
    {Command::Big5ToGbByPhrases,
     "big5-to-gb-by-phrases",
     32820,
     {"Big5->GB b&y phrases", "Big5码->GB码(按词组)(&Y)", "Big5碼->GB碼(按詞組)(&Y)"},
     "",
     &D::OnBig5ToGbByPhrases},
    {Command::GbToBig5ByPhrases,
     "gb-to-big5-by-phrases",
     32821,
     {"GB->Big5 by &phrases", "GB码->Big5码(按词组)(&P)", "GB碼->Big5碼(按詞組)(&P)"},
     "",
     &D::OnGbToBig5ByPhrases},
};

// The table is indexed by the enumeration, so that finding a row is a lookup.
constexpr bool InEnumerationOrder() {
  for (std::size_t i = 0; i < std::size(kCommands); ++i) {
    if (static_cast<std::size_t>(kCommands[i].command) != i) {
      return false;
    }
  }
  return true;
}
static_assert(InEnumerationOrder());
static_assert(std::size(kCommands) == static_cast<std::size_t>(Command::GbToBig5ByPhrases) + 1);

}  // namespace

std::span<const CommandInfo> CommandTable() { return kCommands; }

const CommandInfo* FindCommand(Command command) {
  const auto index = static_cast<std::size_t>(command);
  return index < std::size(kCommands) ? &kCommands[index] : nullptr;
}

std::optional<Command> CommandNamed(std::string_view name) {
  const auto found = std::ranges::find(kCommands, name, &CommandInfo::name);
  if (found == std::end(kCommands)) {
    return std::nullopt;
  }
  return found->command;
}

}  // namespace vortane
