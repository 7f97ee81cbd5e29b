#include "help/about_pages.h"

#include <string>

#include "help/homepages.h"
#include "texts/tri_text.h"

namespace vortane {
namespace {

// The pages are written here with "\n" line ends and UTF-8 text; the page box
// gets CR LF line ends and the page's code.
constexpr std::string_view kEnglishHeading = "Introducing Mail Vortane";
constexpr std::string_view kEnglishPage = R"(Mail Vortane 1.0
================

Mail Vortane reads the mail that other programs
cannot show: Chinese text that arrived in a
transfer encoding, or in a character code that
your system does not display.

Paste or open the raw text in the source frame on
the left, choose a command from the menu, and read
the result in the target frame on the right.

What it decodes
---------------
Base 64
    the body of most attachments and of many
    Chinese mails.
Quoted Printable
    escapes such as "=B2=E2"; soft line breaks
    are joined again.
HZ
    GB text between ~{ and ~}, made to pass
    through 7-bit mail.
UTF-7, UTF-8
    Unicode mail, decoded into GB or Big5 as
    you choose.
7bit-8bit
    GB text whose high bits a mail server
    stripped: select a garbled stretch in the
    target frame and restore it.

GB and Big5
-----------
GB is the Chinese code of the mainland, Big5 the
code of Taiwan and Hong Kong. The commands
GB->Big5 and Big5->GB convert the source frame
into the other code character by character; a
character the other code lacks is left as it is.

Files
-----
The commands of "Decode file as" decode whole
files of any size into output files; the target
frame then shows a summary of the run. UTF-7 and
UTF-8 files can also become Unicode files.

The code converter
------------------
The Chinese code converter takes text in GB, Big5
or Unicode from the clipboard or from a file and
writes it in GB or Big5 to the clipboard or to a
file. It can add or remove the blank in front of
each Chinese character. It stays open, so you can
convert again and again.

Tidying up
----------
Word Wrap breaks the long lines of the target
text at the width you set; Add mark and Remove
mark put a quote mark in front of each line or
take it away.

Settings
--------
Setting... chooses the interface language
(English, Chinese GB or Chinese Big5), the
temporary folder, whether the clipboard is pasted
at start-up, the wrap width, the quote mark, and
whether Quoted Printable decoding mends Chinese
characters split by a line break. The settings
are kept in Vortane.ini in ~/.config/vortane
($XDG_CONFIG_HOME/vortane when that is set, or
the folder given with --settings-dir), beside
the window's size and splitter position.

Homepage
--------
Click one of the banners below to visit the Mail
Vortane homepage in Chinese GB, Chinese Big5 or
English.)";

constexpr std::string_view kGbHeading = "邮件Vortane简介";
constexpr std::string_view kGbPage = R"(邮件Vortane 1.0版
==================

邮件Vortane用来阅读别的程序显示不了的邮件：
用传输编码寄来的中文信件，或者用本机不能
显示的汉字内码写成的文本。

把原始文本粘贴或打开到左边的来源框里，从
菜单选一个命令，结果就显示在右边的结果框里。

能解的编码
----------
Base 64
    大多数附件和许多中文信件的正文都用它。
Quoted Printable
    “=B2=E2”这样的转义，软换行会自动接好。
HZ
    夹在~{和~}之间的GB文本，能通过只传
    7位的邮件通道。
UTF-7、UTF-8
    Unicode信件，可以按需要解成GB或BIG5。
7位-8位
    恢复被邮件服务器去掉高位的GB文本：在
    结果框里选中一段乱码，再执行这个命令。

GB码和BIG5码
------------
GB码是大陆的汉字内码，BIG5码是台湾和香港
的汉字内码。“GB码->Big5码”和“Big5码->GB码”
两个命令把来源框的文本逐字转成另一种内码；
另一种内码里没有的字保持原样。

文件解码
--------
“解码文件按”里的命令把任意大小的整个文件
解码成输出文件，结果框只显示解码的概况。
UTF-7和UTF-8文件还可以转成Unicode文件。

汉字内码转换器
--------------
汉字内码转换器从剪贴板或文件读取GB、BIG5
或Unicode文本，写成GB或BIG5，放回剪贴板
或存入文件，还可以在每个汉字前添加或删除
空格。转换器一直开着，可以接着转换。

整理文本
--------
“字符换行”按设定的宽度把结果框的长行折开；
“添加标志字符”和“删除标志字符”在每行前面
加上或去掉引用标志。

设定
----
“设定”选择界面语言（英文、GB中文或BIG5
中文）、临时目录、启动时是否自动粘贴、换行
宽度、引用标志，以及解Quoted Printable时
是否接好被换行拆开的汉字。设定保存在
~/.config/vortane目录的Vortane.ini文件里
(设了$XDG_CONFIG_HOME时是其下的vortane
目录，或--settings-dir给的目录)，窗口大小
和分隔条位置也保存在那里。

主页
----
点击下面的一条横幅，就可以访问邮件Vortane
的GB中文、BIG5中文或英文主页。)";

constexpr std::string_view kBig5Heading = "郵件Vortane簡介";
constexpr std::string_view kBig5Page = R"(郵件Vortane 1.0版
==================

郵件Vortane用來閱讀別的程序顯示不了的郵件：
用傳輸編碼寄來的中文信件，或者用本機不能
顯示的漢字內碼寫成的文本。

把原始文本粘貼或打開到左邊的來源框裡，從
菜單選一個命令，結果就顯示在右邊的結果框裡。

能解的編碼
----------
Base 64
    大多數附件和許多中文信件的正文都用它。
Quoted Printable
    「=B2=E2」這樣的轉義，軟換行會自動接好。
HZ
    夾在~{和~}之間的GB文本，能通過只傳
    7位的郵件通道。
UTF-7、UTF-8
    Unicode信件，可以按需要解成GB或BIG5。
7位-8位
    恢復被郵件服務器去掉高位的GB文本：在
    結果框裡選中一段亂碼，再執行這個命令。

GB碼和BIG5碼
------------
GB碼是大陸的漢字內碼，BIG5碼是台灣和香港
的漢字內碼。「GB碼->Big5碼」和「Big5碼->GB碼」
兩個命令把來源框的文本逐字轉成另一種內碼；
另一種內碼裡沒有的字保持原樣。

文件解碼
--------
「解碼文件按」裡的命令把任意大小的整個文件
解碼成輸出文件，結果框只顯示解碼的概況。
UTF-7和UTF-8文件還可以轉成Unicode文件。

漢字內碼轉換器
--------------
漢字內碼轉換器從剪貼板或文件讀取GB、BIG5
或Unicode文本，寫成GB或BIG5，放回剪貼板
或存入文件，還可以在每個漢字前添加或刪除
空格。轉換器一直開著，可以接著轉換。

整理文本
--------
「字符換行」按設定的寬度把結果框的長行折開；
「添加標志字符」和「刪除標志字符」在每行前面
加上或去掉引用標志。

設定
----
「設定」選擇界面語言（英文、GB中文或BIG5
中文）、臨時目錄、啟動時是否自動粘貼、換行
寬度、引用標志，以及解Quoted Printable時
是否接好被換行拆開的漢字。設定保存在
~/.config/vortane目錄的Vortane.ini文件裡
(設了$XDG_CONFIG_HOME時是其下的vortane
目錄，或--settings-dir給的目錄)，窗口大小
和分隔條位置也保存在那裡。

主頁
----
點擊下面的一條橫幅，就可以訪問郵件Vortane
的GB中文、BIG5中文或英文主頁。)";

// CR LF line ends and the code of the page.
std::string PageBytes(std::string_view utf8, TextCode code, bool chinese) {
  std::string lines;
  lines.reserve(utf8.size() + utf8.size() / 16);
  for (const char c : utf8) {
    if (c == '\n') {
      lines += '\r';
    }
    lines += c;
  }
  return chinese ? EncodeUtf8As(lines, code) : lines;
}

}  // namespace

UiText AboutPageHeading(AboutPage page) {
  switch (page) {
    case AboutPage::Gb:
      return UiText{EncodeUtf8As(kGbHeading, TextCode::Gb), UiCode::Gb};
    case AboutPage::Big5:
      return UiText{EncodeUtf8As(kBig5Heading, TextCode::Big5), UiCode::Big5};
    case AboutPage::English:
      break;
  }
  return Ascii(kEnglishHeading);
}

UiText AboutPageText(AboutPage page) {
  switch (page) {
    case AboutPage::Gb:
      return UiText{PageBytes(kGbPage, TextCode::Gb, true), UiCode::Gb};
    case AboutPage::Big5:
      return UiText{PageBytes(kBig5Page, TextCode::Big5, true), UiCode::Big5};
    case AboutPage::English:
      break;
  }
  return UiText{PageBytes(kEnglishPage, TextCode::Gb, false), UiCode::Ascii};
}

std::string_view HomepageUrl(AboutPage page) {
  switch (page) {
    case AboutPage::Gb:
      return kHomepageGb;
    case AboutPage::Big5:
      return kHomepageBig5;
    case AboutPage::English:
      break;
  }
  return kHomepageEnglish;
}

WelcomeLines HomepageWelcome(AboutPage page) {
  switch (page) {
    case AboutPage::Gb:
      return {"欢迎访问邮件Vortane主页！", "两秒钟后进入主页……"};
    case AboutPage::Big5:
      return {"歡迎訪問郵件Vortane主頁！", "兩秒鐘後進入主頁……"};
    case AboutPage::English:
      break;
  }
  return {"Welcome to the Mail Vortane homepage!", "The homepage opens in two seconds..."};
}

}  // namespace vortane
