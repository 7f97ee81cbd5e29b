// The settings dialog's texts and the settings file's messages. The dialog's
// caption and labels follow InterfaceLanguage::ForLabels; the write error follows
// ForMessages; the validation messages are English in every language.
#pragma once

#include <span>
#include <string_view>

#include "texts/tri_text.h"

namespace vortane::texts {

inline constexpr TriText kSettingsCaption{"Configuration", "配置", "配置"};
inline constexpr TriText kTempDirectoryLabel{"Temp Diectory", "临时文件夹", "臨時文件夾"};
inline constexpr TriText kAutoPasteLabel{"Auto Paste when Startup", "启动时自动粘贴",
                                         "啟動時自動粘貼"};
inline constexpr TriText kDoubleBytesLabel{"Recognise Double Byte Characters", "识别双字节",
                                           "識別雙字節"};
inline constexpr TriText kWrapNumberLabel{"Wrap Characters Number", "换行字符数", "換行字符數"};
inline constexpr TriText kMarkLabel{"Mark Character", "标志字符", "標志字符"};

// The language buttons: the same in every language, each in its own code.
inline constexpr std::string_view kGbRadioUtf8 = "中文界面(GB)";      // shown GB-coded
inline constexpr std::string_view kBig5RadioUtf8 = "中文界面(BIG5)";  // shown Big5-coded
inline constexpr std::string_view kEnglishRadio = "English Interface";

// The settings file cannot be written (at start-up, or at OK of the dialog).
inline constexpr TriText kSettingsWriteError{
    "Write protect error!Can not write to file Vortane.ini.", "写保护错误,不能写文件Vortane.ini.",
    "寫保護錯誤,不能寫文件Vortane.ini."};

// Validation messages of the dialog's OK, English in every language.
inline constexpr std::string_view kEnterInteger = "Please enter an integer.";
// %1 and %2 are the bounds.
inline constexpr std::string_view kEnterIntegerBetween =
    "Please enter an integer between %1 and %2.";
// %1 is the most characters allowed.
inline constexpr std::string_view kEnterNoMoreThan = "Please enter no more than %1 characters.";

// Every TriText above, for the completeness check of the catalogue.
[[nodiscard]] std::span<const TriText> SettingsTexts();

}  // namespace vortane::texts
