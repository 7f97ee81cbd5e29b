#include "texts/message_texts.h"

#include <array>

namespace vortane::message_text {

const TriText kViewTitle{"Message - %1", "邮件 - %1", "郵件 - %1"};
const TriText kMessageList{"Messages in this file:", "本文件中的邮件:", "本文件中的郵件:"};
const TriText kNumberColumn{"No.", "序号", "序號"};

const TriText kSubject{"Subject", "主题", "主題"};
const TriText kFrom{"From", "发件人", "發件人"};
const TriText kTo{"To", "收件人", "收件人"};
const TriText kCc{"Cc", "抄送", "副本"};
const TriText kDate{"Date", "日期", "日期"};

const TriText kTypeColumn{"Type", "类型", "類型"};
const TriText kDeclaredColumn{"Declared charset", "声明的字符集", "聲明的字符集"};
const TriText kReadAsColumn{"Read as", "实际读取按", "實際讀取按"};
const TriText kEncodingColumn{"Transfer encoding", "传输编码", "傳輸編碼"};
const TriText kSizeColumn{"Size", "大小", "大小"};
const TriText kFileNameColumn{"File name", "文件名", "文件名"};
const TriText kNone{"-", "-", "-"};
const TriText kReadAs{"&Read as...", "读取按(&R)...", "讀取按(&R)..."};
const TriText kAsDeclared{"As the message declares", "按邮件的声明", "按郵件的聲明"};
const TriText kSaveAttachment{"&Save attachment...", "保存附件(&S)...", "保存附件(&S)..."};
const TriText kCloseView{"&Close", "关闭(&C)", "關閉(&C)"};
const TriText kNotText{
    "(Not a text part: %1 bytes. Use Save attachment, or Read as to read it as text.)",
    "(不是文本部分:%1 字节。请用\"保存附件\",或用\"读取按\"当作文本读取。)",
    "(不是文本部分:%1 字節。請用\"保存附件\",或用\"讀取按\"當作文本讀取。)"};
const TriText kGuessedMark{" (guessed)", " (推测)", " (推測)"};

const TriText kSavedUnderOtherName{"The name was taken or unsafe; the attachment was saved as %1.",
                                   "该文件名已被占用或不安全,附件已保存为 %1。",
                                   "該文件名已被佔用或不安全,附件已保存為 %1。"};
const TriText kCannotSaveAttachment{"Cannot save the attachment as %1: %2",
                                    "无法将附件保存为 %1:%2", "無法將附件保存為 %1:%2"};
const TriText kFileDialogMail{"Mail Files(*.eml;*.mbox)", "邮件文件(*.eml;*.mbox)",
                              "郵件文件(*.eml;*.mbox)"};

const TriText kSourceCut{
    "The source frame holds only the start of %1, so the message is read in part. Use File > "
    "Open message... to read it whole.",
    "源文本只有 %1 的开头部分,邮件只能读取一部分。请用\"文件 > 打开邮件...\"读取整封邮件。",
    "源文本只有 %1 的開頭部分,郵件只能讀取一部分。請用\"文件 > 打開郵件...\"讀取整封郵件。"};
const TriText kSourceUnclean{
    "%1 parts of 8-bit text did not read cleanly: pasted text may have lost characters the "
    "frame's display code cannot hold. Use File > Open message... to read the file's bytes.",
    "有 %1 个 8 位文本部分读取不完整:粘贴的文本可能丢失了窗口显示内码无法容纳的字符。"
    "请用\"文件 > 打开邮件...\"读取文件的原始字节。",
    "有 %1 個 8 位文本部分讀取不完整:粘貼的文本可能丟失了窗口顯示內碼無法容納的字符。"
    "請用\"文件 > 打開郵件...\"讀取文件的原始字節。"};
const TriText kWholeMessageDone{"Read %1 messages with %2 parts.",
                                "已读取 %1 封邮件,共 %2 个部分。",
                                "已讀取 %1 封郵件,共 %2 個部分。"};

std::span<const TriText* const> MessageTexts() {
  static constexpr std::array<const TriText*, 27> kAll{&kViewTitle,
                                                       &kMessageList,
                                                       &kNumberColumn,
                                                       &kSubject,
                                                       &kFrom,
                                                       &kTo,
                                                       &kCc,
                                                       &kDate,
                                                       &kTypeColumn,
                                                       &kDeclaredColumn,
                                                       &kReadAsColumn,
                                                       &kEncodingColumn,
                                                       &kSizeColumn,
                                                       &kFileNameColumn,
                                                       &kNone,
                                                       &kReadAs,
                                                       &kAsDeclared,
                                                       &kSaveAttachment,
                                                       &kCloseView,
                                                       &kNotText,
                                                       &kGuessedMark,
                                                       &kSavedUnderOtherName,
                                                       &kCannotSaveAttachment,
                                                       &kFileDialogMail,
                                                       &kSourceCut,
                                                       &kSourceUnclean,
                                                       &kWholeMessageDone};
  return kAll;
}

}  // namespace vortane::message_text
