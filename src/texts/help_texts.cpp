#include "texts/help_texts.h"

namespace vortane::help_text {

const TriText kTitle{"Help Contents", "帮助内容", "幫助內容"};

const std::array<TriText, kPageCount> kTabs{{
    {"Vortane Introduction", "Vortane介绍", "Vortane介紹"},
    {"Usage", "使用指南", "使用指南"},
    {"Encode Samples", "编码示例", "編碼示例"},
    {"Others", "其它", "其它"},
}};

const std::array<TriText, kPageCount> kPageTitles{{
    {"Simply Introduce", "简单介绍Vortane", "簡單介紹Vortane"},
    {"Some Usage Points", "简单的使用说明", "簡單的使用說明"},
    {"Some Code Samples", "几种编码示例", "幾種編碼示例"},
    {"Introduce The Author", "介绍作者及其他", "介紹作者及其他"},
}};

}  // namespace vortane::help_text
