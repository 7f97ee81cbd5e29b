#include "texts/repair_texts.h"

#include <array>

namespace vortane::repair_text {

const TriText kTitle{"Automatic Repair", "自动修复", "自動修復"};
const TriText kReadingsLabel{
    "&Readings found, best first:", "找到的读法(最佳在前)(&R):", "找到的讀法(最佳在前)(&R):"};
const TriText kPreviewLabel{"Preview:", "预览:", "預覽:"};
const TriText kNoReading{"No Chinese reading found. The text is left as it was.",
                         "找不到中文读法。文本保持原样。", "找不到中文讀法。文本保持原樣。"};

const TriText kThen{", then ", ",然后", ",然後"};
const TriText kStepBase64{"Base64", "Base64", "Base64"};
const TriText kStepQuotedPrintable{"Quoted-Printable", "Quoted-Printable", "Quoted-Printable"};
const TriText kStepQuotedPrintableRepaired{"Quoted-Printable with double-byte repair",
                                           "Quoted-Printable(修补双字节)",
                                           "Quoted-Printable(修補雙字節)"};
const TriText kStepHz{"HZ", "HZ", "HZ"};
const TriText kStepUtf7{"UTF-7", "UTF-7", "UTF-7"};
const TriText kStepEighthBit{"eighth bit set", "恢复第八位", "恢復第八位"};
const TriText kStepShownAsLatin1{"shown as Latin-1", "误作 Latin-1 显示", "誤作 Latin-1 顯示"};
const TriText kStepShownAsCp1252{"shown as CP1252", "误作 CP1252 显示", "誤作 CP1252 顯示"};
const TriText kStepShownAsGbk{"shown as GBK", "误作 GBK 显示", "誤作 GBK 顯示"};
const TriText kStepShownAsBig5{"shown as Big5", "误作 Big5 显示", "誤作 Big5 顯示"};

std::span<const TriText* const> RepairTexts() {
  static constexpr std::array<const TriText*, 15> kAll{
      &kTitle,
      &kReadingsLabel,
      &kPreviewLabel,
      &kNoReading,
      &kThen,
      &kStepBase64,
      &kStepQuotedPrintable,
      &kStepQuotedPrintableRepaired,
      &kStepHz,
      &kStepUtf7,
      &kStepEighthBit,
      &kStepShownAsLatin1,
      &kStepShownAsCp1252,
      &kStepShownAsGbk,
      &kStepShownAsBig5,
  };
  return kAll;
}

}  // namespace vortane::repair_text
