#include "help/help_pages.h"

#include <string>

#include "help/homepages.h"
#include "texts/tri_text.h"

namespace vortane {
namespace {

constexpr std::string_view kSampleIndent = "        ";
constexpr std::string_view kHomepageIndent = "    ";

// Builds a page body line by line: text written here as UTF-8 is encoded in
// the page's code, sample bytes are copied as they are.
class Body {
 public:
  explicit Body(TextCode code) : code_(code) {}

  Body& Line(std::string_view utf8) {
    Break();
    text_ += EncodeUtf8As(utf8, code_);
    return *this;
  }
  // The empty line between paragraphs.
  Body& Blank() { return Line(""); }
  Body& Sample(std::string_view bytes) {
    Break();
    text_ += kSampleIndent;
    text_ += bytes;
    return *this;
  }
  Body& Homepage(std::string_view url) {
    Break();
    text_ += kHomepageIndent;
    text_ += url;
    return *this;
  }
  [[nodiscard]] std::string Take() { return std::move(text_); }

 private:
  void Break() {
    if (started_) {
      text_ += "\r\n";
    }
    started_ = true;
  }

  TextCode code_;
  std::string text_;
  bool started_ = false;
};

std::string EnglishPage(int page) {
  Body body(TextCode::Gb);  // ASCII throughout, apart from the sample bytes
  switch (page) {
    case 0:
      body.Line(
              "Vortane is a appropriable software to decode the common mail code on the internet.")
          .Blank()
          .Line(
              "It decodes Base64, Quoted-Printable, HZ, UTF-7 and UTF-8 mail text into GB or "
              "Big5 Chinese, converts text between GB and Big5, and restores Chinese text "
              "whose high bits were stripped on a 7-bit mail path.")
          .Blank()
          .Line(
              "Mail Vortane is one small program with nothing else to install: its help, its "
              "three interface languages and its code tables are built in. Its settings are "
              "kept in the file Vortane.ini in the working folder.")
          .Blank()
          .Line(
              "The decodings have been tested on mail from many mail programs and servers. "
              "Mail that breaks the rules of its code is decoded up to the first error; if a "
              "result looks wrong, see the points on the Usage page.");
      break;
    case 1:
      body.Line(
              "1. Remove the mail header before decoding, in text and in files alike. "
              "Decoding stops by itself at a format error.")
          .Line(
              "2. Open loads a text file into the source frame and Save As stores the target "
              "text in a file. Decoding, editing and the other commands work on the two "
              "frames, which hold plain text of less than 64 KB.")
          .Line(
              "3. The Decode file as commands work on files only, with no limit of size or "
              "format.")
          .Line(
              "4. 7bit-8bit serves mail whose high bits were stripped by a server without "
              "8-bit transfer. Such text cannot be decoded automatically: select a garbled "
              "stretch in the target frame (up to the next normal English text), choose "
              "7bit-8bit, and repeat for the remaining stretches.")
          .Line("5. Word Wrap, like 7bit-8bit, works on the target frame.");
      break;
    case 2:
      body.Line("    1, Base 64 code sample")
          .Sample(kSampleBase64)
          .Line("    2, Quoted Printable code sample")
          .Sample(kSampleQuotedPrintable)
          .Line("    3, HZ code code sample")
          .Sample(kSampleHz)
          .Line("    4, UTF-7 code sample")
          .Sample(kSampleUtf7)
          .Line("    5, UTF-8 code sample")
          .Sample(kSampleUtf8)
          .Line("    6, lose high order bit code sample")
          .Sample(kSampleHighBitsLost)
          .Line("    7, GB,BIG5 are both 8bit Chinese codes")
          .Sample(kSampleGbSentence)
          .Sample(kSampleBig5Sentence);
      break;
    case 3:
      body.Line(
              "Mail Vortane is written and looked after by a small team of developers who "
              "read Chinese mail every day and wanted one simple tool for all the codes it "
              "arrives in.")
          .Blank()
          .Line(
              "Reports of mail that does not decode, questions and ideas are all welcome. "
              "News, new versions and the way to reach the developers are on the homepage:")
          .Homepage(kHomepageEnglish)
          .Blank()
          .Line("Thank you for using Mail Vortane!");
      break;
    default:
      break;
  }
  return body.Take();
}

std::string GbPage(int page) {
  Body body(TextCode::Gb);
  switch (page) {
    case 0:
      body.Line("Vortane是一个用来解码因特网上常见邮件编码的实用软件。")
          .Blank()
          .Line(
              "它能把Base64、Quoted-Printable、HZ、UTF-7和UTF-8编码的邮件文本解码成GB或"
              "BIG5汉字，能在GB和BIG5之间转换，还能恢复在7位邮件通道上丢失了高位的汉字文本。")
          .Blank()
          .Line(
              "邮件Vortane只是一个小程序，不用另外安装别的东西：帮助、三种界面语言和汉字码表"
              "都在程序里面。设置保存在工作目录的Vortane.ini文件中。")
          .Blank()
          .Line(
              "各种解码都用许多邮件程序和服务器发出的信件测试过。不合编码规则的信件会解码到"
              "出错的地方为止；结果不对时，请看看“使用指南”一页的说明。");
      break;
    case 1:
      body.Line("界面上的基本操作一看就明白，这里只是几点说明。")
          .Line("1. 无论解码文本还是文件，都要先去掉信头；遇到格式错误时解码自动停止。")
          .Line(
              "2. “打开”把文本文件读入来源框，“另存为”把结果框的文本存入文件；解码、编辑等"
              "操作都在这两个框里进行，框里是小于64K的纯文本。")
          .Line("3. “解码文件按”的各个命令只对文件操作，不限文件的大小和格式。")
          .Line(
              "4. “7位-8位”用于经过不支持8位传输的服务器、丢失了高位的信件。这种文本无法"
              "自动解码，只能分段恢复：在结果框里选中一段乱码（到下一段正常英文为止），执行"
              "“7位-8位”，再对其余各段重复。")
          .Line("5. “字符换行”和“7位-8位”一样，只对结果框操作。");
      break;
    case 2:
      body.Line("    1, Base 64编码示例（只有字母、数字、加号、斜线和等号）")
          .Sample(kSampleBase64)
          .Line("    2, Quoted Printable编码示例（汉字变成等号加两位十六进制数）")
          .Sample(kSampleQuotedPrintable)
          .Line("    3, HZ编码示例（汉字夹在~{和~}之间，不带高位）")
          .Sample(kSampleHz)
          .Line("    4, UTF-7编码示例（加号和减号之间是Base 64形式的Unicode）")
          .Sample(kSampleUtf7)
          .Line("    5, UTF-8编码示例（每个汉字占三个字节）")
          .Sample(kSampleUtf8)
          .Line("    6, 丢失高位的编码示例（汉字变成杂乱的字母和符号）")
          .Sample(kSampleHighBitsLost)
          .Line("    7, GB和BIG5都是8位汉字内码（同一句话的GB码和BIG5码）")
          .Sample(kSampleGbSentence)
          .Sample(kSampleBig5Sentence);
      break;
    case 3:
      body.Line(
              "邮件Vortane由一个小小的开发组编写和维护。我们每天都读中文邮件，希望有一个简单"
              "的工具来处理邮件里的各种编码。")
          .Blank()
          .Line(
              "欢迎来信报告不能解码的邮件，提出问题和建议。最新消息、新版本和联系方法请见"
              "主页：")
          .Homepage(kHomepageGb)
          .Blank()
          .Line("谢谢使用邮件Vortane！");
      break;
    default:
      break;
  }
  return body.Take();
}

std::string Big5Page(int page) {
  Body body(TextCode::Big5);
  switch (page) {
    case 0:
      body.Line("Vortane是一個用來解碼因特網上常見郵件編碼的實用軟件。")
          .Blank()
          .Line(
              "它能把Base64、Quoted-Printable、HZ、UTF-7和UTF-8編碼的郵件文本解碼成GB或"
              "BIG5漢字，能在GB和BIG5之間轉換，還能恢復在7位郵件通道上丟失了高位的漢字文本。")
          .Blank()
          .Line(
              "郵件Vortane只是一個小程序，不用另外安裝別的東西：幫助、三種界面語言和漢字碼表"
              "都在程序裡面。設置保存在工作目錄的Vortane.ini文件中。")
          .Blank()
          .Line(
              "各種解碼都用許多郵件程序和服務器發出的信件測試過。不合編碼規則的信件會解碼到"
              "出錯的地方為止；結果不對時，請看看「使用指南」一頁的說明。");
      break;
    case 1:
      body.Line("界面上的基本操作一看就明白，這裡只是幾點說明。")
          .Line("1. 無論解碼文本還是文件，都要先去掉信頭；遇到格式錯誤時解碼自動停止。")
          .Line(
              "2. 「打開」把文本文件讀入來源框，「另存為」把結果框的文本存入文件；解碼、編輯等"
              "操作都在這兩個框裡進行，框裡是小於64K的純文本。")
          .Line("3. 「解碼文件按」的各個命令只對文件操作，不限文件的大小和格式。")
          .Line(
              "4. 「7位-8位」用於經過不支持8位傳輸的服務器、丟失了高位的信件。這種文本無法"
              "自動解碼，只能分段恢復：在結果框裡選中一段亂碼（到下一段正常英文為止），執行"
              "「7位-8位」，再對其餘各段重複。")
          .Line("5. 「字符換行」和「7位-8位」一樣，只對結果框操作。");
      break;
    case 2:
      body.Line("    1, Base 64編碼示例（只有字母、數字、加號、斜線和等號）")
          .Sample(kSampleBase64)
          .Line("    2, Quoted Printable編碼示例（漢字變成等號加兩位十六進制數）")
          .Sample(kSampleQuotedPrintable)
          .Line("    3, HZ編碼示例（漢字夾在~{和~}之間，不帶高位）")
          .Sample(kSampleHz)
          .Line("    4, UTF-7編碼示例（加號和減號之間是Base 64形式的Unicode）")
          .Sample(kSampleUtf7)
          .Line("    5, UTF-8編碼示例（每個漢字佔三個字節）")
          .Sample(kSampleUtf8)
          .Line("    6, 丟失高位的編碼示例（漢字變成雜亂的字母和符號）")
          .Sample(kSampleHighBitsLost)
          .Line("    7, GB和BIG5都是8位漢字內碼（同一句話的BIG5碼和GB碼）")
          .Sample(kSampleBig5Sentence)
          .Sample(kSampleGbSentence);
      break;
    case 3:
      body.Line(
              "郵件Vortane由一個小小的開發組編寫和維護。我們每天都讀中文郵件，希望有一個簡單"
              "的工具來處理郵件裡的各種編碼。")
          .Blank()
          .Line(
              "歡迎來信報告不能解碼的郵件，提出問題和建議。最新消息、新版本和聯繫方法請見"
              "主頁：")
          .Homepage(kHomepageBig5)
          .Blank()
          .Line("謝謝使用郵件Vortane！");
      break;
    default:
      break;
  }
  return body.Take();
}

}  // namespace

UiText HelpPageBody(int page, Language language) {
  switch (language) {
    case Language::Gb:
      return UiText{GbPage(page), UiCode::Gb};
    case Language::Big5:
      return UiText{Big5Page(page), UiCode::Big5};
    case Language::English:
      break;
  }
  // Only the samples page holds bytes outside ASCII.
  return UiText{EnglishPage(page), page == 2 ? UiCode::Gb : UiCode::Ascii};
}

}  // namespace vortane
