#include "texts/about_texts.h"

namespace vortane::about_text {

const TriText kTitle{"About Mail Vortane", "关于邮件Vortane", "關于郵件Vortane"};
const TriText kVersion{"Mail Vortane Version 1.0", "邮件Vortane1.0版", "郵件Vortane1.0版"};

const TriText kShortText{
    "Mail Vortane decodes mail text and converts Chinese codes.\r\n"
    "Click the blue area of the icon for the GB page, the green area "
    "for the Big5 page and the red area for the English page.",
    "邮件Vortane解码邮件文本，转换汉字内码。\r\n"
    "点击图标的蓝色区域看GB介绍，绿色区域看BIG5介绍，红色区域看英文介绍。",
    "郵件Vortane解碼郵件文本，轉換漢字內碼。\r\n"
    "點擊圖標的藍色區域看GB介紹，綠色區域看BIG5介紹，紅色區域看英文介紹。"};

}  // namespace vortane::about_text
