#include "texts/converter_texts.h"

namespace vortane::converter_text {

const TriText kTitle{"Chinese Code Converter", "汉字内码转换器", "漢字內碼轉換器"};
const TriText kBrowse{"Browse", "浏览...", "瀏覽..."};
const TriText kConvert{"&Convert", "转换(&C)", "轉換(&C)"};
const TriText kExit{"E&xit", "退出(&X)", "退出(&X)"};
const TriText kConvertMethod{"Convert Method", "转换方法", "轉換方法"};
const TriText kSourceText{"Source Text", "来源", "來源"};
const TriText kTargetText{"Target Text", "结果", "結果"};
const TriText kBlankDealing{"Blank dealing", "空格处理", "空格處理"};
const TriText kAddBlank{"Add a blank before Chinese character", "汉字前添加空格", "漢字前添加空格"};
const TriText kRemoveBlank{"Remove a blank before Chinese character", "汉字前删除空格",
                           "漢字前刪除空格"};
const TriText kKeepStill{"Keep Still", "不处理", "不處理"};
const TriText kClipboard{"Clipboard", "剪贴板", "剪貼板"};
const TriText kFile{"File", "文件", "文件"};
const TriText kCodeSelect{"Code Select", "内码选择", "內碼選擇"};
const TriText kSourceTextCode{"Source Text Code", "来源文本内码", "來源文本內碼"};
const TriText kTargetTextCode{"Target Text Code", "结果文本内码", "結果文本內碼"};

const TriText kUnicodeFromClipboard{"Can not convert Unicode text from clipboard!",
                                    "不能将剪贴板上的Unicode文本转换!",
                                    "不能將剪貼板上的Unicode文本轉換!"};
const TriText kCannotOpenClipboard{"Fail to open clipboard!", "打开剪贴板失败!", "打開剪貼板失敗!"};
const TriText kNoClipboardText{"No data in clipboard!", "剪贴板上没有文本!", "剪貼板上沒有文本!"};
const TriText kCannotObtainText{"Fail to obtain text from clipboard!", "从剪贴板上取得文本失败!",
                                "從剪貼板上取得文本失敗!"};
const TriText kOpenFileError{"Open file error,can not convert!", "文件打开错误,无法转换!",
                             "文件打開錯誤,無法轉換!"};
const TriText kConvertOk{"Convert Ok!", "转换成功!", "轉換成功!"};
// Handing the result to the clipboard fails when the clipboard cannot take it.
const TriText kResultToClipboardFailed{"Fail to convert!", "打开剪贴板失败!", "打開剪貼板失敗!"};
const TriText kSameFile{"Source and target are the same file, can not convert!",
                        "来源和结果是同一个文件,无法转换!", "來源和結果是同一個文件,無法轉換!"};
const TriText kCannotWriteScratch{"Fail to save clipboard text to temporary file!",
                                  "剪贴板文本存入临时文件失败!", "剪貼板文本存入臨時文件失敗!"};
const TriText kCannotReadResult{"Fail to read converted text from temporary file!",
                                "从临时文件读取转换结果失败!", "從臨時文件讀取轉換結果失敗!"};
const TriText kReadError{"Read file error, convert failed!", "读文件错误,转换失败!",
                         "讀文件錯誤,轉換失敗!"};
const TriText kWriteError{"Write file error, convert failed!", "写文件错误,转换失败!",
                          "寫文件錯誤,轉換失敗!"};

}  // namespace vortane::converter_text
