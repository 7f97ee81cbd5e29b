#include "texts/phrases_texts.h"

#include <array>

namespace vortane::phrases_text {

const TriText kByPhrases{"By phrases", "按词组转换", "按詞組轉換"};
const TriText kRegionTaiwan{"Taiwan", "台湾", "台灣"};
const TriText kRegionTaiwanVocabulary{"Taiwan, vocabulary", "台湾(含用词)", "台灣(含用詞)"};
const TriText kRegionHongKong{"Hong Kong", "香港", "香港"};
const TriText kRegionTip{"Region the traditional text is written for or read from",
                         "繁体文本所用的地区", "繁體文本所用的地區"};

const TriText kOpenccFailed{"Conversion by phrases is not available: %1", "无法按词组转换: %1",
                            "無法按詞組轉換: %1"};
const TriText kListUnreadable{"Can not read the phrase list %1: %2. Nothing was converted.",
                              "不能读词组表 %1: %2. 没有转换.", "不能讀詞組表 %1: %2. 沒有轉換."};
const TriText kListLinesSkipped{
    "In the phrase list %1, %2 lines are not \"from<TAB>to\" and were skipped.",
    "词组表 %1 中有 %2 行不是\"原词<TAB>新词\",已跳过.",
    "詞組表 %1 中有 %2 行不是\"原詞<TAB>新詞\",已跳過."};
const TriText kConvertOkWithFallbacks{
    "Convert Ok! %1 characters have no phrase form in the target code and were converted "
    "character by character.",
    "转换完成! 有 %1 个字符在目标内码中没有词组写法,已逐字转换.",
    "轉換完成! 有 %1 個字符在目標內碼中沒有詞組寫法,已逐字轉換."};

std::span<const TriText* const> PhrasesTexts() {
  static constexpr std::array<const TriText*, 9> kAll{
      &kByPhrases,      &kRegionTaiwan,     &kRegionTaiwanVocabulary,
      &kRegionHongKong, &kRegionTip,        &kOpenccFailed,
      &kListUnreadable, &kListLinesSkipped, &kConvertOkWithFallbacks};
  return kAll;
}

}  // namespace vortane::phrases_text
