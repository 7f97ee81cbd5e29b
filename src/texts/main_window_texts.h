// The main window's texts in the three interface languages: title, prompts,
// the decode-file summary and notice, and the messages of the file commands.
// Placeholders %1 and %2 are filled by FormatText (texts/format_text.h).
#pragma once

#include <span>
#include <string_view>

#include "texts/tri_text.h"

namespace vortane::texts {

// Window title.
inline constexpr TriText kTitle{"Mail Vortane", "邮件Vortane", "郵件Vortane"};

// The quit question and its caption.
inline constexpr TriText kQuitQuestion{
    "You do Not save the target text!Are you sure you want to quit?",
    "您没有存储目标文本到文件!确实要退出吗?", "您沒有存儲目標文本到文件!確實要退出嗎?"};
inline constexpr TriText kQuitCaption{"Quit?", "退出?", "退出?"};

// The save question asked before Open and the file decodings, and its caption.
inline constexpr TriText kSaveQuestion{"Save the target texts as file?", "存储目标文本到文件?",
                                       "存儲目標文本到文件?"};
inline constexpr TriText kSaveCaption{"Save?", "存储?", "存儲?"};

// Decode-file summary in the target frame: "<open prefix><input path>", CR LF
// CR LF, "<method prefix><method label>", and at the end CR LF CR LF,
// "<object prefix><output path>".
inline constexpr TriText kOpenFilePrefix{"Open filename=", "打开文件=", "打開文件="};
inline constexpr TriText kOpenMethodPrefix{"Open method=", "打开方式=", "打開方式="};
inline constexpr TriText kObjectFilePrefix{"Object filename=", "存储文件=", "存儲文件="};
// Replaces the object line when the user cancelled a running decoding.
inline constexpr TriText kDecodeCancelled{"Decoding cancelled: no output file was written.",
                                          "解码已取消:没有写输出文件.",
                                          "解碼已取消:沒有寫輸出文件."};

// The notice shown before the save dialog of a file decoding.
inline constexpr TriText kDecodeFileNotice{
    "After decoding, you should save object as file, and the object would not be displayed "
    "in the target box.If no filename is inputted, the default filename is Vortane.tmp.",
    "在解码之后,目标码将不在目标框中显示,您应该输入一个存储的文件名,如果没有,缺省文件名为"
    "Vortane.tmp.",
    "在解碼之后,目標碼將不在目標框中顯示,您應該輸入一個存儲的文件名,如果沒有,缺省文件名為"
    "Vortane.tmp."};

// The write error of a file decoding (the output could not be opened or
// written, or the input could not be read).
inline constexpr TriText kWriteProtectError{"Write protect error!", "写保护错误.", "寫保護錯誤."};

// Label of the progress display of a file decoding; %1 the input file.
inline constexpr TriText kDecodingProgress{"Decoding %1 ...", "正在解码 %1 ...", "正在解碼 %1 ..."};

// Open and the file decodings: the chosen file cannot be read. %1 the file,
// %2 the cause.
inline constexpr TriText kCannotOpenFile{"Can not open the file %1: %2", "不能打开文件 %1: %2",
                                         "不能打開文件 %1: %2"};

// Open: the file did not fit the source frame whole. %1 the file.
inline constexpr TriText kOpenTextCut{
    "The file %1 is longer than 65535 bytes or holds a 0 byte: the source frame shows only "
    "its beginning. To decode a whole file, use File > Decode file as.",
    "文件 %1 超过65535字节或含有0字节,源文本框只显示其开头部分.要解码整个文件,请用"
    "\"文件\"菜单中的\"解码文件按\".",
    "文件 %1 超過65535字節或含有0字節,源文本框只顯示其開頭部分.要解碼整個文件,請用"
    "\"文件\"菜單中的\"解碼文件按\"."};

// Save As: the target text could not be written. %1 the file, %2 the cause.
inline constexpr TriText kSaveFailed{"Can not write the file %1: %2. The target text is not saved.",
                                     "不能写文件 %1: %2. 目标文本没有存储.",
                                     "不能寫文件 %1: %2. 目標文本沒有存儲."};

// A file decoding whose output file is its input file. %1 the file.
inline constexpr TriText kOutputIsInput{
    "The output file %1 is the input file: it would be emptied before it is read. Choose "
    "another output file.",
    "输出文件 %1 就是输入文件:它会在读之前被清空.请选择另一个输出文件.",
    "輸出文件 %1 就是輸入文件:它會在讀之前被清空.請選擇另一個輸出文件."};

// Status line: characters typed or pasted into a frame that its display code
// cannot hold became "?". %1 the count, %2 the code ("GB" or "Big5").
inline constexpr TriText kOneCharacterNotHeld{"%1 character could not be held in %2 and became ?",
                                              "有%1个字符不能用%2码表示,已变成?",
                                              "有%1個字符不能用%2碼表示,已變成?"};
inline constexpr TriText kCharactersNotHeld{"%1 characters could not be held in %2 and became ?",
                                            "有%1个字符不能用%2码表示,已变成?",
                                            "有%1個字符不能用%2碼表示,已變成?"};

// English only in every language: the UTF-7 scratch file cannot be written.
inline constexpr std::string_view kTempFileError = "Write Temp file ERROR!Check your TEMP Path";

// Every text above, for the completeness check of the catalogue.
[[nodiscard]] std::span<const TriText> MainWindowTexts();

}  // namespace vortane::texts
