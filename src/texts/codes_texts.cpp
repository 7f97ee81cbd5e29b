#include "texts/codes_texts.h"

#include <array>

namespace vortane::codes_text {

const TriText kOpenEncodingTitle{"Open As", "打开方式", "打開方式"};
const TriText kOpenEncodingLabel{"Text encoding of %1:", "%1 的文本编码:", "%1 的文本編碼:"};
const TriText kOpenBytes{"Bytes as they are (shown in the frame's code)",
                         "原样字节(按窗口的显示内码)", "原樣字節(按窗口的顯示內碼)"};
const TriText kMarkFound{" (byte-order mark found)", " (发现字节顺序标记)", " (發現字節順序標記)"};
const TriText kOpenUnreadable{
    "%1 byte sequences of %2 could not be read as %3 and became replacement characters.",
    "%2 中有 %1 处字节无法按 %3 读取,已换成替换字符。",
    "%2 中有 %1 處字節無法按 %3 讀取,已換成替換字符。"};

const TriText kSaveEncodingTitle{"Save As", "另存为", "另存為"};
const TriText kSaveEncodingLabel{"Encoding to write:", "写入的编码:", "寫入的編碼:"};
const TriText kSaveBytes{"Bytes unchanged", "原样字节(不转换)", "原樣字節(不轉換)"};
const TriText kSaveUtf16LeWithMark{"UTF-16LE with byte-order mark", "UTF-16LE(带字节顺序标记)",
                                   "UTF-16LE(帶字節順序標記)"};
const TriText kSaveLossQuestion{
    "In %1, %2 characters cannot be written and will become \"?\", and %3 bytes that %4 "
    "cannot read will become replacement characters. Save anyway?",
    "按 %1 存储时,有 %2 个字符无法写入,将变为\"?\";有 %3 个字节无法按 %4 读取,"
    "将变为替换字符。仍然存储吗?",
    "按 %1 存儲時,有 %2 個字符無法寫入,將變為\"?\";有 %3 個字節無法按 %4 讀取,"
    "將變為替換字符。仍然存儲嗎?"};
const TriText kSaveLossCaption{"Characters lost", "字符丢失", "字符丟失"};

const TriText kDisplayCodeTip{"Display code of this frame", "本窗口的显示内码", "本窗口的顯示內碼"};

const TriText kConvertedWithLosses{
    "Converted, but %1 characters could not be written in the target code and became \"?\", "
    "and %2 byte sequences could not be read in the source code.",
    "转换完成,但有 %1 个字符无法写成结果内码,已变为\"?\";有 %2 处字节无法按来源内码读取。",
    "轉換完成,但有 %1 個字符無法寫成結果內碼,已變為\"?\";有 %2 處字節無法按來源內碼讀取。"};

std::span<const TriText* const> CodesTexts() {
  static constexpr std::array<const TriText*, 13> kAll{
      &kOpenEncodingTitle,   &kOpenEncodingLabel, &kOpenBytes,         &kMarkFound,
      &kOpenUnreadable,      &kSaveEncodingTitle, &kSaveEncodingLabel, &kSaveBytes,
      &kSaveUtf16LeWithMark, &kSaveLossQuestion,  &kSaveLossCaption,   &kDisplayCodeTip,
      &kConvertedWithLosses};
  return kAll;
}

}  // namespace vortane::codes_text
